#include "game/media/bitmap.h"

#include "game/media/bitmap_rows.h"

uint32_t ReadLe32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
uint16_t ReadLe16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }

constexpr size_t FileHeaderSize = 14;
constexpr uint32_t CoreHeaderSize = 12;
constexpr uint32_t InfoHeaderSize = 40;
constexpr uint32_t MaskBytes = 12;  // red, green and blue masks

// The header sizes Windows reads: info, its two extensions with masks and
// alpha, V4 and V5. The core header is read on its own.
static bool IsInfoHeaderSize(uint32_t size) {
  return size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

// Which bit counts go with which compression.
static bool IsKnownFormat(uint32_t bits, uint32_t compression) {
  switch (compression) {
    case BiRgb:
      return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
    case BiRle8:
      return bits == 8;
    case BiRle4:
      return bits == 4;
    case BiBitfields:
      return bits == 16 || bits == 32;
    default:
      return false;
  }
}

// The masks a bitmap of 16 or 32 bits has without BI_BITFIELDS.
static void DefaultMasks(BitmapLayout& l) {
  bool five = l.bits == 16;
  l.masks[0] = five ? 0x7C00u : 0xFF0000u;
  l.masks[1] = five ? 0x03E0u : 0x00FF00u;
  l.masks[2] = five ? 0x001Fu : 0x0000FFu;
}

static int32_t ReadCoreHeader(const uint8_t* info, BitmapLayout& l) {
  l.width = ReadLe16(info + 4);
  l.height = ReadLe16(info + 6);
  l.planes = ReadLe16(info + 8);
  l.bits = ReadLe16(info + 10);
  l.compression = BiRgb;
  l.entrySize = 3;
  l.tableEntries = l.bits <= 8 ? 1u << l.bits : 0;
  l.tableAt = CoreHeaderSize;
  return l.bits == 1 || l.bits == 4 || l.bits == 8 || l.bits == 24;
}

static int32_t ReadInfoHeader(const uint8_t* info, size_t available, uint32_t headerSize,
                              BitmapLayout& l) {
  int32_t width = int32_t(ReadLe32(info + 4));
  int32_t height = int32_t(ReadLe32(info + 8));
  if (height == INT32_MIN) return 0;
  l.topDown = height < 0;
  l.width = width;
  l.height = l.topDown ? -height : height;
  l.planes = ReadLe16(info + 12);
  l.bits = ReadLe16(info + 14);
  l.compression = ReadLe32(info + 16);
  l.dataSize = ReadLe32(info + 20);
  uint32_t used = ReadLe32(info + 32);
  l.entrySize = 4;
  l.tableEntries = used ? (used > 256 ? 256 : used) : (l.bits <= 8 ? 1u << l.bits : 0);
  l.tableAt = headerSize;
  if (l.compression == BiBitfields) {
    // A plain info header is followed by the masks; later headers hold them.
    if (headerSize == InfoHeaderSize) l.tableAt += MaskBytes;
    if (InfoHeaderSize + MaskBytes > available) return 0;
    for (int32_t i = 0; i < 3; ++i) l.masks[i] = ReadLe32(info + InfoHeaderSize + 4 * i);
  }
  // Run-length coded rows always run upwards.
  if (l.topDown && (l.compression == BiRle4 || l.compression == BiRle8)) return 0;
  return 1;
}

// `info` is where the header starts inside [base, base + size).
static int32_t ReadLayout(const uint8_t* base, size_t size, size_t infoAt, BitmapLayout& l) {
  if (size < infoAt + 4) return 0;
  const uint8_t* info = base + infoAt;
  uint32_t headerSize = ReadLe32(info);
  if (headerSize != CoreHeaderSize && !IsInfoHeaderSize(headerSize)) return 0;
  if (size - infoAt < headerSize) return 0;
  int32_t ok = headerSize == CoreHeaderSize ? ReadCoreHeader(info, l)
                                            : ReadInfoHeader(info, size - infoAt, headerSize, l);
  if (!ok || l.planes != 1 || !IsKnownFormat(l.bits, l.compression)) return 0;
  if (l.compression == BiRgb && l.bits >= 16) DefaultMasks(l);
  if (l.width <= 0 || l.height <= 0 || l.width > BitmapMaxSide || l.height > BitmapMaxSide)
    return 0;
  if (int64_t(l.width) * l.height > BitmapMaxPixels) return 0;
  l.tableAt += infoAt;
  return 1;
}

// The colours of a table that lies wholly inside the buffer; only as many
// as the bit count can index.
static int32_t ReadColourTable(const uint8_t* base, size_t size, const BitmapLayout& l,
                               DecodedBitmap& out) {
  if (l.bits > 8) return 1;
  uint32_t n = l.tableEntries < (1u << l.bits) ? l.tableEntries : 1u << l.bits;
  if (l.tableAt > size || uint64_t(n) * l.entrySize > size - l.tableAt) return 0;
  const uint8_t* entry = base + l.tableAt;
  out.colours.resize(n);
  for (uint32_t i = 0; i < n; ++i, entry += l.entrySize)
    out.colours[i] = uint32_t(entry[2]) | uint32_t(entry[1]) << 8 | uint32_t(entry[0]) << 16;
  return 1;
}

static int32_t DecodeLayout(const uint8_t* base, size_t size, const BitmapLayout& l,
                            uint64_t pixelsAt, DecodedBitmap& out) {
  if (!ReadColourTable(base, size, l, out) || pixelsAt > size) return 0;
  out.width = l.width;
  out.height = l.height;
  int32_t ok;
  if (l.compression == BiRle4 || l.compression == BiRle8) {
    uint64_t length = size - pixelsAt;
    if (l.dataSize && l.dataSize < length) length = l.dataSize;
    ok = DecodeRunLengthRows(base + pixelsAt, size_t(length), l, out);
  } else {
    ok = DecodeUncompressedRows(base + pixelsAt, size_t(size - pixelsAt), l, out);
  }
  if (!ok) out = DecodedBitmap{};
  return ok;
}

int32_t FindColourTable(const uint8_t* data, size_t size, size_t infoAt, ColourTablePlace& place) {
  BitmapLayout l;
  if (!data || !ReadLayout(data, size, infoAt, l)) return 0;
  place = {l.tableAt, l.entrySize, l.bits <= 8 ? l.tableEntries : 0};
  return 1;
}

static uint64_t TableBytes(const BitmapLayout& l) { return uint64_t(l.tableEntries) * l.entrySize; }

int32_t DecodeBitmapResource(const uint8_t* data, size_t size, DecodedBitmap& out) {
  out = DecodedBitmap{};
  BitmapLayout l;
  if (!data || !ReadLayout(data, size, 0, l)) return 0;
  return DecodeLayout(data, size, l, l.tableAt + TableBytes(l), out);
}

int32_t DecodeBitmapFile(const uint8_t* data, size_t size, DecodedBitmap& out) {
  out = DecodedBitmap{};
  if (!data || size < FileHeaderSize || data[0] != 'B' || data[1] != 'M') return 0;
  BitmapLayout l;
  if (!ReadLayout(data, size, FileHeaderSize, l)) return 0;
  uint64_t offset = ReadLe32(data + 10);
  // A zero offset is seen in hand-made files: the rows then follow the table.
  if (offset == 0) offset = l.tableAt + TableBytes(l);
  return DecodeLayout(data, size, l, offset, out);
}
