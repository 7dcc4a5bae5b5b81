// libFuzzer target: any bytes, as a bitmap file and as a bitmap resource.
// The decoder must refuse or decode, never read outside what it was given.
#include <cstddef>
#include <cstdint>

#include "game/media/bitmap.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  DecodedBitmap picture;
  if (DecodeBitmapFile(data, size, picture)) {
    if (picture.pixels.size() != size_t(picture.width) * size_t(picture.height)) __builtin_trap();
  }
  if (DecodeBitmapResource(data, size, picture)) {
    if (picture.pixels.size() != size_t(picture.width) * size_t(picture.height)) __builtin_trap();
  }
  return 0;
}
