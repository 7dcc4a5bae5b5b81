#include "game/media/bitmap_surface.h"

#include <cstring>

#include "game/media/bitmap_port.h"
#include "game/media/display.h"
#include "game/media/palette.h"
#include "game/media/screen_effect.h"
#include "game/media/stage_sheets.h"

// Room for the largest picture we accept at 32 bits, and its headers.
constexpr size_t BitmapFileLimit = size_t(BitmapMaxPixels) * 4 + 4096;

void SheetPaletteColours(PaletteEntry* table) {
  // A fade rewrites GamePalette's entries; the sheets keep the colours it
  // stands for, which the screen effect holds.
  if (GamePalette && ScreenEffect.palette == GamePalette) {
    std::memcpy(table, ScreenEffect.saved, sizeof ScreenEffect.saved);
    return;
  }
  // Without a palette of our own the art is still drawn for the colours
  // of the palette bitmap, and keeps its indices.
  if (!GamePalette) return BuildPaletteTable(StartUpSheetName(FontSheet), table);
  CurrentPaletteTable(table);
}

static int32_t DecodeBitmapBytes(const char* name, int32_t fromProgram, DecodedBitmap& out) {
  std::vector<uint8_t> bytes;
  if (fromProgram && PortFindBitmapResource(name, bytes) &&
      DecodeBitmapResource(bytes.data(), bytes.size(), out))
    return 1;
  bytes.clear();
  if (!PortReadDataFile(name, BitmapFileLimit, bytes)) return 0;
  return DecodeBitmapFile(bytes.data(), bytes.size(), out);
}

int32_t LoadBitmapPicture(const char* name, int32_t fromProgram, DecodedBitmap& out) {
  out = DecodedBitmap{};
  if (!name || !*name || !DecodeBitmapBytes(name, fromProgram, out)) return 0;
  PaletteEntry table[PaletteSize];
  SheetPaletteColours(table);
  MapBitmapToPalette(out, table);
  return 1;
}

int32_t LockSurface(SurfaceHandle surface, SurfaceLock* lock) {
  int32_t r;
  do r = PortLock(surface, lock);
  while (r == DderrWasStillDrawing);
  return r;
}

SurfaceHandle LoadBitmapSurface(const char* name, int32_t* width, int32_t* height,
                                int32_t fromProgram) {
  DecodedBitmap picture;
  if (!LoadBitmapPicture(name, fromProgram, picture)) return 0;
  int32_t w = width && *width > 0 ? *width : picture.width;
  int32_t h = height && *height > 0 ? *height : picture.height;
  if (width) *width = picture.width;
  if (height) *height = picture.height;
  SurfaceHandle surface = 0;
  if (PortCreateSurface(w, h, &surface) != DdOk || !surface) return 0;
  CopyBitmapToSurface(surface, &picture, 0, 0, 0, 0);
  return surface;
}

int32_t ReloadBitmap(SurfaceHandle surface, const char* name, int32_t* width, int32_t* height,
                     int32_t fromProgram) {
  DecodedBitmap picture;
  if (!LoadBitmapPicture(name, fromProgram, picture)) {
    PortDebugLine("handle is null\n");
    return DderrGeneric;
  }
  if (width) *width = picture.width;
  if (height) *height = picture.height;
  int32_t r = CopyBitmapToSurface(surface, &picture, 0, 0, 0, 0);
  if (r != DdOk) PortDebugLine("ddcopybitmap failed\n");
  return r;
}

// Nearest-pixel stretch of the source rectangle over the whole surface; at
// the same size it is a plain copy of the indices.
static void StretchRows(const DecodedBitmap& b, int32_t x, int32_t y, int32_t w, int32_t h,
                        const SurfaceLock& lock) {
  for (int32_t row = 0; row < lock.height; ++row) {
    int32_t sy = y + int32_t(int64_t(row) * h / lock.height);
    const uint8_t* from = &b.pixels[size_t(sy) * size_t(b.width)];
    uint8_t* to = lock.bits + int64_t(row) * lock.pitch;
    if (w == lock.width) {
      std::memcpy(to, from + x, size_t(w));
      continue;
    }
    for (int32_t col = 0; col < lock.width; ++col) to[col] = from[x + int64_t(col) * w / lock.width];
  }
}

int32_t CopyBitmapToSurface(SurfaceHandle surface, const DecodedBitmap* bitmap, int32_t x,
                            int32_t y, int32_t width, int32_t height) {
  if (!bitmap || !surface || bitmap->pixels.empty()) return DderrGeneric;
  PortRestore(surface);
  if (width == 0) width = bitmap->width;
  if (height == 0) height = bitmap->height;
  // Nothing is read from outside the picture.
  if (x < 0 || y < 0 || width <= 0 || height <= 0 || width > bitmap->width - x ||
      height > bitmap->height - y)
    return DderrInvalidParams;
  SurfaceLock lock{};
  int32_t r = LockSurface(surface, &lock);
  if (r != DdOk) return r;
  if (lock.bitCount == 8 && lock.bits) StretchRows(*bitmap, x, y, width, height, lock);
  PortUnlock(surface);
  return DdOk;
}

static int32_t ReadPixel00(SurfaceHandle surface, uint32_t* value) {
  SurfaceLock lock{};
  if (LockSurface(surface, &lock) != DdOk) return 0;
  uint32_t word = 0;
  std::memcpy(&word, lock.bits, lock.pitch >= 4 ? 4 : 1);
  uint32_t mask = lock.bitCount >= 32 ? 0xFFFFFFFFu : (1u << lock.bitCount) - 1;
  *value = word & mask;
  PortUnlock(surface);
  return 1;
}

static int32_t WritePixel00(SurfaceHandle surface, uint8_t index) {
  SurfaceLock lock{};
  if (LockSurface(surface, &lock) != DdOk) return 0;
  lock.bits[0] = index;
  PortUnlock(surface);
  return 1;
}

// The colour goes through pixel (0, 0), as drawing it would choose the
// nearest entry of the game's palette; the pixel is put back afterwards.
uint32_t MatchColour(SurfaceHandle surface, uint32_t colour) {
  uint32_t saved = 0;
  int32_t keep = 0;
  if (colour != ClrInvalid && ReadPixel00(surface, &saved)) {
    PaletteEntry table[PaletteSize];
    SheetPaletteColours(table);
    keep = WritePixel00(surface, uint8_t(NearestPaletteIndex(table, colour)));
  }
  uint32_t value = 0xFFFFFFFFu;
  ReadPixel00(surface, &value);
  if (keep) WritePixel00(surface, uint8_t(saved));
  return value;
}

void SetSourceColourKey(SurfaceHandle surface, uint32_t colour) {
  PortSetColourKey(surface, MatchColour(surface, colour));
}
