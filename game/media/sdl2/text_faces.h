#pragma once
// The fonts of GDI text where the program draws its own lines (the native
// window and the page): what a font handle asked for, and the surface and
// colours a text call draws with. PortCreateFont and PortDeleteFont of
// those ports are here.
#include <cstdint>

#include "game/media/host/host_surfaces.h"
#include "game/media/palette.h"
#include "game/media/text_port.h"

// How an item is drawn: the font's pixel height (the DC's own font where the
// item does not take the call's font), bold, and whether it is the call's.
struct ItemFace {
  int32_t pixels;
  bool bold;
  bool own;
};
ItemFace FaceOfItem(FontHandle font, const TextItem& item);

// The surface of a text call and the primary palette's colours (the default
// table where there is none yet); DdOk, or the error the call returns.
int32_t TextSurface(SurfaceHandle surface, HostSurfaceRecord** out, PaletteEntry* colours);
