#pragma once
#include <cstdint>

#include "game/media/display_port.h"
#include "game/media/rect.h"

// Text through the system's fonts onto a surface, as GDI does it: GetDC,
// transparent background, a font, a colour and DrawText (centred lines),
// ReleaseDC. win32: GDI on the DirectDraw surface; host: a small fixed font
// of its own in the nearest colour of the screen's palette.
using FontHandle = uintptr_t;

struct TextItem {
  const char* text;  // code page 932, lines separated by line feeds
  Rect rect;         // drawn centred in it, from its top, clipped to it
  uint8_t red, green, blue;
  int32_t withFont;  // 1: the font given to PortDrawTexts; 0: the DC's own
};

// CreateFontIndirect with this height, weight and character set, every
// other field 0 and no face name; 0 when it cannot be made.
FontHandle PortCreateFont(int32_t height, int32_t weight, int32_t charSet);
void PortDeleteFont(FontHandle font);
// One GetDC ... ReleaseDC around all the items; the result of GetDC.
int32_t PortDrawTexts(SurfaceHandle surface, FontHandle font, const TextItem* items,
                      int32_t count);
