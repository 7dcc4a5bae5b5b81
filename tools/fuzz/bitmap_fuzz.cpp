// libFuzzer target: any bytes, as a bitmap file and as a bitmap resource,
// then brought to a palette. The decoder must refuse or decode, never read
// outside what it was given, and hand back a picture of the size it says.
#include <cstddef>
#include <cstdint>

#include "game/media/bitmap.h"

static void Check(DecodedBitmap& picture) {
  size_t count = size_t(picture.width) * size_t(picture.height);
  bool indexed = picture.direct.empty();
  if ((indexed ? picture.pixels.size() : picture.direct.size()) != count) __builtin_trap();
  // A few code bytes can ask for the largest picture; bringing millions of
  // pixels to a palette is plain loops, and would only slow the search.
  if (count > 65536) return;
  PaletteEntry palette[PaletteSize];
  for (int32_t i = 0; i < PaletteSize; ++i)
    palette[i] = {uint8_t(i), uint8_t(255 - i), uint8_t(i * 7), 0};
  MapBitmapToPalette(picture, palette);
  if (picture.pixels.size() != count || !picture.direct.empty()) __builtin_trap();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  DecodedBitmap picture;
  if (DecodeBitmapFile(data, size, picture)) Check(picture);
  if (DecodeBitmapResource(data, size, picture)) Check(picture);
  return 0;
}
