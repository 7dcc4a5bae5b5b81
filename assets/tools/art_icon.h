// The program icon: the player's ship from the common sheet, scaled down to
// 16, 32 and 48 pixels, written as one .ico file (32-bit entries with alpha).
#pragma once
#include <string>
#include <vector>

#include "art_canvas.h"

int WriteIcon(const std::string& path, const std::vector<Sheet>& sheets, const Palette& p);
