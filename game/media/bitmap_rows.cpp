// Uncompressed rows: 1, 4 and 8 bits of colour-table indices, 16 and 32
// bits through colour masks, 24 bits of blue, green and red.
#include "game/media/bitmap_rows.h"

#include <cstring>

namespace {
// One colour mask: where its lowest bit is and how many bits it spans.
struct Channel {
  uint32_t mask;
  uint32_t shift;
  uint32_t bits;
};

Channel MakeChannel(uint32_t mask) {
  Channel c{mask, 0, 0};
  if (!mask) return c;
  while (!((mask >> c.shift) & 1)) ++c.shift;
  while (c.shift + c.bits < 32 && (mask >> (c.shift + c.bits))) ++c.bits;
  return c;
}

// A masked value as 8 bits, as Windows widens it: a narrower channel's bits
// repeat downwards (5 bits abcde become abcdeabc, 6 bits abcdef abcdefab),
// a wider one keeps its top 8.
uint32_t ChannelLevel(const Channel& c, uint32_t value) {
  uint32_t level = (value & c.mask) >> c.shift;
  if (c.bits == 0) return 0;
  if (c.bits >= 8) return level >> (c.bits - 8);
  uint32_t wide = 0;
  for (int32_t at = 8 - int32_t(c.bits); at > -int32_t(c.bits); at -= int32_t(c.bits))
    wide |= at >= 0 ? level << at : level >> -at;
  return wide & 0xFF;
}

void IndexRow(const uint8_t* from, uint32_t bits, int32_t width, uint8_t* to) {
  if (bits == 8) return (void)std::memcpy(to, from, size_t(width));
  uint32_t mask = (1u << bits) - 1;
  for (int32_t x = 0; x < width; ++x) {
    uint32_t bit = uint32_t(x) * bits;
    to[x] = uint8_t(from[bit >> 3] >> (8 - bits - (bit & 7)) & mask);
  }
}

void DirectRow(const uint8_t* from, uint32_t bits, const Channel* channels, int32_t width,
               uint32_t* to) {
  if (bits == 24) {
    for (int32_t x = 0; x < width; ++x, from += 3)
      to[x] = uint32_t(from[2]) | uint32_t(from[1]) << 8 | uint32_t(from[0]) << 16;
    return;
  }
  for (int32_t x = 0; x < width; ++x) {
    uint32_t value = bits == 16 ? ReadLe16(from + 2 * size_t(x)) : ReadLe32(from + 4 * size_t(x));
    to[x] = ChannelLevel(channels[0], value) | ChannelLevel(channels[1], value) << 8 |
            ChannelLevel(channels[2], value) << 16;
  }
}
}  // namespace

int32_t DecodeUncompressedRows(const uint8_t* rows, size_t size, const BitmapLayout& l,
                               DecodedBitmap& out) {
  uint64_t stride = (uint64_t(l.width) * l.bits + 31) / 32 * 4;
  // The last row needs only its pixels, not its padding.
  uint64_t lastRow = (uint64_t(l.width) * l.bits + 7) / 8;
  if (stride * uint64_t(l.height - 1) + lastRow > size) return 0;
  size_t width = size_t(l.width);
  size_t count = width * size_t(l.height);
  const Channel channels[3] = {MakeChannel(l.masks[0]), MakeChannel(l.masks[1]),
                               MakeChannel(l.masks[2])};
  if (l.bits <= 8)
    out.pixels.assign(count, 0);
  else
    out.direct.assign(count, 0);
  for (int32_t row = 0; row < l.height; ++row) {
    int32_t stored = l.topDown ? row : l.height - 1 - row;
    const uint8_t* from = rows + uint64_t(stored) * stride;
    if (l.bits <= 8)
      IndexRow(from, l.bits, l.width, &out.pixels[size_t(row) * width]);
    else
      DirectRow(from, l.bits, channels, l.width, &out.direct[size_t(row) * width]);
  }
  return 1;
}
