// libFuzzer target: any bytes, as a bitmap file and as a bitmap resource,
// loaded as the game loads a sheet and drawn as it draws one. The decoder
// must refuse or decode, never read outside what it was given, and hand
// back a picture of the size it says; the picture is then brought to the
// palette, copied into a sheet of its own size and stretched into one of
// another size (as a reload into a restored surface does), given the colour
// key, and blitted onto the back buffer whole, in part and past its edges,
// at places inside and across the screen's borders.
#include <cstddef>
#include <cstdint>

#include "game/media/bitmap.h"
#include "game/media/bitmap_surface.h"
#include "game/media/display.h"
#include "game/media/host/host_display.h"
#include "game/media/palette.h"

namespace {
// The display once: the host adaptor's memory surfaces and a palette unlike
// the cube, so that the nearest-colour search has work to do.
bool DisplayUp() {
  static const bool up = [] {
    HostRecordBlits(false);  // a million inputs: no record of what was drawn
    if (InitDisplay(0) != DdOk) return false;
    PaletteEntry table[PaletteSize];
    for (int32_t i = 0; i < PaletteSize; ++i)
      table[i] = {uint8_t(i), uint8_t(255 - i), uint8_t(i * 7), 0};
    return PortCreatePalette(table, &GamePalette) == DdOk;
  }();
  return up;
}

void BlitSheet(SurfaceHandle sheet, int32_t w, int32_t h, const uint8_t* data, size_t size) {
  SetSourceColourKey(sheet, TransparentColour);
  SheetSurfaces[EnemySheet] = sheet;
  // A place of the input's own choosing besides the fixed ones.
  int32_t x = size > 1 ? int32_t(data[size - 1]) * 4 - 300 : 0;
  int32_t y = size > 2 ? int32_t(data[size - 2]) * 3 - 200 : 0;
  const int32_t places[][2] = {{0, 0}, {-w / 2, -h / 2}, {ScreenWidth - w / 2, ScreenHeight - h / 2},
                               {x, y}};
  const Rect parts[] = {{0, 0, w, h}, {w / 3, h / 4, w - w / 5, h}, {w - 4, h - 4, w + 4, h + 4}};
  for (const auto& at : places)
    for (const Rect& part : parts)
      for (int32_t flags : {BlitOpaque, BlitColourKey}) BlitClipped(at[0], at[1], part, flags, EnemySheet);
  SheetSurfaces[EnemySheet] = 0;
  PortReleaseSurface(sheet);
}

void Check(DecodedBitmap& picture, const uint8_t* data, size_t size) {
  size_t count = size_t(picture.width) * size_t(picture.height);
  bool indexed = picture.direct.empty();
  if ((indexed ? picture.pixels.size() : picture.direct.size()) != count) __builtin_trap();
  // A few code bytes can ask for the largest picture: millions of pixels
  // are plain loops to map and copy and would only slow the search. Those
  // are decoded and checked; every picture up to 512 x 512 goes on.
  if (count > 512 * 512) return;
  if (!DisplayUp()) __builtin_trap();
  PaletteEntry palette[PaletteSize];
  SheetPaletteColours(palette);
  MapBitmapToPalette(picture, palette);
  if (picture.pixels.size() != count || !picture.direct.empty()) __builtin_trap();
  const int32_t sizes[][2] = {{picture.width, picture.height}, {37, 23}};
  for (const auto& s : sizes) {
    SurfaceHandle sheet = 0;
    if (PortCreateSurface(s[0], s[1], &sheet) != DdOk || !sheet) __builtin_trap();
    if (CopyBitmapToSurface(sheet, &picture, 0, 0, 0, 0) != DdOk) __builtin_trap();
    BlitSheet(sheet, s[0], s[1], data, size);
  }
  if (HostDisplayMisuse() != 0) __builtin_trap();  // a released or unknown handle reached the port
  HostClearDisplayCalls();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  DecodedBitmap picture;
  if (DecodeBitmapFile(data, size, picture)) Check(picture, data, size);
  if (DecodeBitmapResource(data, size, picture)) Check(picture, data, size);
  return 0;
}
