// Run-length coded rows of 4 and 8 bits. Codes come in byte pairs: a count
// and a value to repeat, or 0 and an escape: 0 ends the row, 1 ends the
// picture, 2 moves right and up by the next two bytes, 3..255 is a run of
// that many indices stored as they are, padded to a whole 16-bit word.
// Rows run bottom-up; pixels outside the picture are dropped.
#include "game/media/bitmap_rows.h"

namespace {
struct RunCursor {
  const BitmapLayout* layout;
  DecodedBitmap* out;
  uint32_t x = 0;
  uint32_t y = 0;  // counted from the bottom row

  // Past the right edge nothing more of the row is drawn, and x stays put:
  // it only grows within a row, so a row costs at most its width.
  bool InRow() const { return x < uint32_t(layout->width); }
  void Put(uint8_t index) {
    out->pixels[size_t(layout->height - 1 - int32_t(y)) * size_t(layout->width) + x] = index;
    ++x;
  }
};

// Index number `i` of a repeated value or of a stored run.
uint8_t IndexOf(const uint8_t* bytes, uint32_t i, uint32_t bits) {
  if (bits == 8) return bytes[i];
  uint8_t b = bytes[i / 2];
  return i % 2 ? b & 0x0F : b >> 4;
}

uint8_t RepeatedIndex(uint8_t value, uint32_t i, uint32_t bits) {
  if (bits == 8) return value;
  return i % 2 ? value & 0x0F : value >> 4;
}
}  // namespace

int32_t DecodeRunLengthRows(const uint8_t* codes, size_t size, const BitmapLayout& l,
                            DecodedBitmap& out) {
  out.pixels.assign(size_t(l.width) * size_t(l.height), 0);
  RunCursor cursor{&l, &out};
  size_t at = 0;
  // Every pass takes at least two bytes, so the loop ends with the codes.
  while (at + 2 <= size && cursor.y < uint32_t(l.height)) {
    uint8_t count = codes[at], value = codes[at + 1];
    at += 2;
    if (count) {
      for (uint32_t i = 0; i < count && cursor.InRow(); ++i)
        cursor.Put(RepeatedIndex(value, i, l.bits));
    } else if (value == 0) {
      cursor.x = 0, ++cursor.y;
    } else if (value == 1) {
      break;
    } else if (value == 2) {
      if (at + 2 > size) break;
      // Both may leave the picture; y ends the loop, x ends the row.
      cursor.x += codes[at], cursor.y += codes[at + 1];
      if (!cursor.InRow()) cursor.x = uint32_t(l.width);
      at += 2;
    } else {
      size_t bytes = l.bits == 8 ? value : (size_t(value) + 1) / 2;
      if (bytes > size - at) break;
      for (uint32_t i = 0; i < value && cursor.InRow(); ++i)
        cursor.Put(IndexOf(codes + at, i, l.bits));
      at += (bytes + 1) & ~size_t(1);
    }
  }
  return 1;
}
