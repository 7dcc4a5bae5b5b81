#pragma once
#include <cstdint>

// Text and numbers from the bitmap font: 16 x 16 cells, 12-pixel pen.
void DrawFontText(int32_t x, int32_t y, const char* text);
void DrawFontNumber(int32_t x, int32_t y, int32_t value, int32_t divisor);
