#include "game/media/bitmap.h"

#include <cstring>

uint32_t ReadLe32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
uint16_t ReadLe16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }

constexpr size_t FileHeaderSize = 14;
constexpr uint32_t InfoHeaderSize = 40;
constexpr uint32_t BiRgb = 0;

// `info` points at the BITMAPINFOHEADER inside [base, base + size);
// `pixelOffset` is where the rows start, counted from base.
static int32_t DecodeRows(const uint8_t* base, size_t size, size_t infoAt, uint64_t pixelOffset,
                          DecodedBitmap& out) {
  const uint8_t* info = base + infoAt;
  int32_t width = static_cast<int32_t>(ReadLe32(info + 4));
  int32_t height = static_cast<int32_t>(ReadLe32(info + 8));
  if (ReadLe16(info + 12) != 1 || ReadLe16(info + 14) != 8) return 0;
  if (ReadLe32(info + 16) != BiRgb) return 0;
  bool topDown = height < 0;
  if (topDown) {
    if (height == INT32_MIN) return 0;
    height = -height;
  }
  if (width <= 0 || height <= 0 || width > BitmapMaxSide || height > BitmapMaxSide) return 0;
  uint64_t stride = (uint64_t(width) + 3) & ~uint64_t(3);
  // The last row needs only its pixels, not its padding.
  uint64_t needed = stride * uint64_t(height - 1) + uint64_t(width);
  if (pixelOffset > size || needed > size - pixelOffset) return 0;
  out.width = width;
  out.height = height;
  out.pixels.assign(size_t(width) * size_t(height), 0);
  for (int32_t row = 0; row < height; ++row) {
    int32_t fileRow = topDown ? row : height - 1 - row;
    std::memcpy(&out.pixels[size_t(row) * size_t(width)],
                base + pixelOffset + uint64_t(fileRow) * stride, size_t(width));
  }
  return 1;
}

// Colour-table entries after an 8-bit header: the used-colours field, or all 256.
static uint64_t ColourTableBytes(const uint8_t* info) {
  uint32_t used = ReadLe32(info + 32);
  if (used == 0 || used > 256) used = 256;
  return uint64_t(used) * 4;
}

static int32_t InfoHeaderFits(size_t size, size_t at) {
  if (size < at + InfoHeaderSize) return 0;
  return 1;
}

int32_t DecodeBitmapResource(const uint8_t* data, size_t size, DecodedBitmap& out) {
  out = DecodedBitmap{};
  if (!data || !InfoHeaderFits(size, 0)) return 0;
  uint32_t headerSize = ReadLe32(data);
  if (headerSize < InfoHeaderSize) return 0;  // the old core header is not ours
  return DecodeRows(data, size, 0, uint64_t(headerSize) + ColourTableBytes(data), out);
}

int32_t DecodeBitmapFile(const uint8_t* data, size_t size, DecodedBitmap& out) {
  out = DecodedBitmap{};
  if (!data || !InfoHeaderFits(size, FileHeaderSize)) return 0;
  if (data[0] != 'B' || data[1] != 'M') return 0;
  const uint8_t* info = data + FileHeaderSize;
  uint32_t headerSize = ReadLe32(info);
  if (headerSize < InfoHeaderSize) return 0;
  uint64_t offset = ReadLe32(data + 10);
  // A zero offset is seen in hand-made files: the rows then follow the table.
  if (offset == 0) offset = FileHeaderSize + uint64_t(headerSize) + ColourTableBytes(info);
  return DecodeRows(data, size, FileHeaderSize, offset, out);
}
