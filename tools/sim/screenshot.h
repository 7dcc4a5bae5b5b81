#pragma once
#include <string>

// The picture on the host display's screen as a PNG: the front buffer in the
// colours of the palette in effect now, fades included. 1 written, 0 not.
int WriteScreenshot(const std::string& path);
