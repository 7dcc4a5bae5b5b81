#include "game/media/font.h"

#include "game/media/display.h"

constexpr int32_t FontCell = 16;
constexpr int32_t FontPitch = 12;

// Tested on each glyph's corner; the first glyph outside ends the call.
static bool GlyphInBounds(int32_t x, int32_t y) {
  return x > -80 && y > -816 && x < 767 && y < 1279;
}

void DrawFontText(int32_t x, int32_t y, const char* text) {
  for (const char* p = text; *p; ++p, x += FontPitch) {
    int32_t b = static_cast<signed char>(*p);
    if (b <= 32 || b >= 127) continue;  // space, controls, Shift-JIS bytes
    int32_t k = b - 32;
    Rect cell{(k % 32) * FontCell, (k / 32) * FontCell, 0, 0};
    cell.right = cell.left + FontCell;
    cell.bottom = cell.top + FontCell;
    if (!GlyphInBounds(x, y)) return;
    BlitClipped(x, y, cell, BlitColourKey, FontSheet);
  }
}

// The cell of a digit; one far past any sheet for a quotient so large that
// its column would not fit in 32 bits.
static Rect DigitCell(int32_t digit) {
  int64_t left = 256 + int64_t(FontCell) * digit;
  if (left < INT32_MIN || left > INT32_MAX - FontCell) left = INT32_MAX - FontCell;
  return Rect{int32_t(left), 0, int32_t(left) + FontCell, FontCell};
}

void DrawFontNumber(int32_t x, int32_t y, int32_t value, int32_t divisor) {
  while (divisor >= 10) {
    divisor /= 10;
    int32_t digit = value / divisor;
    // An over-wide value gives a first digit of 10 or more: the cells after
    // "9" are drawn, as the player would see on an overflowing counter.
    Rect cell = DigitCell(digit);
    if (!GlyphInBounds(x, y)) return;
    BlitClipped(x, y, cell, BlitColourKey, FontSheet);
    value %= divisor;
    x += FontPitch;
  }
}
