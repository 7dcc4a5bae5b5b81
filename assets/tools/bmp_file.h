// 8-bit Windows bitmaps: BITMAPFILEHEADER, BITMAPINFOHEADER, a 256-entry
// colour table, bottom-up rows padded to 4 bytes, no compression.
#pragma once
#include <string>

#include "art_canvas.h"

int WriteBitmap(const std::string& path, const Sheet& s, const Palette& p);
