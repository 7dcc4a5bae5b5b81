#pragma once
#include <cstddef>
#include <cstdint>

#include "game/media/bitmap.h"

// Inside the bitmap decoder: what the headers say about the rows.
constexpr uint32_t BiRgb = 0;
constexpr uint32_t BiRle8 = 1;
constexpr uint32_t BiRle4 = 2;
constexpr uint32_t BiBitfields = 3;

struct BitmapLayout {
  int32_t width = 0;
  int32_t height = 0;  // always positive; topDown says which way the rows run
  bool topDown = false;
  uint32_t planes = 0;
  uint32_t bits = 0;
  uint32_t compression = 0;
  uint32_t dataSize = 0;      // size of the coded rows, 0 when not given
  uint32_t masks[3] = {};     // red, green, blue, for 16 and 32 bits
  uint32_t tableEntries = 0;  // entries the colour table takes up
  uint32_t entrySize = 4;     // 3 in a core header's table
  uint64_t tableAt = 0;       // from the start of the buffer
};

// `rows` holds `size` bytes from the first stored row on. Fill out.pixels
// (bits of 8 or less) or out.direct; 0 when the rows do not fit.
int32_t DecodeUncompressedRows(const uint8_t* rows, size_t size, const BitmapLayout& layout,
                               DecodedBitmap& out);
// Run-length coded rows; pixels the codes skip keep index 0.
int32_t DecodeRunLengthRows(const uint8_t* codes, size_t size, const BitmapLayout& layout,
                            DecodedBitmap& out);
