// A contact sheet of every bitmap at twice its size, for looking at the art.
#pragma once
#include <string>
#include <vector>

#include "art_canvas.h"

int WritePreview(const std::string& path, const std::vector<Sheet>& sheets);
