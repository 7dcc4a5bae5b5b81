#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "game/media/display_port.h"

// The game's pictures: Windows bitmaps, either a whole ".bmp" file or a
// bitmap resource (the same without the 14-byte file header). Read are the
// core (12-byte), info (40), V4 and V5 headers; 1, 4 and 8 bits with a
// colour table, run-length coded 4 and 8 bits, 16 and 32 bits with or
// without colour masks, and 24 bits; rows bottom-up or top-down.
struct DecodedBitmap {
  int32_t width = 0;
  int32_t height = 0;
  // Top row first, width bytes a row: indices into `colours`. Empty for a
  // bitmap of 16 bits or more until it is mapped to a palette.
  std::vector<uint8_t> pixels;
  std::vector<uint32_t> colours;  // the colour table, COLORREFs (0x00BBGGRR)
  std::vector<uint32_t> direct;   // one COLORREF a pixel, for 16, 24 and 32 bits
};

// Largest side, and largest picture, we accept; anything bigger is not one
// of our sheets.
constexpr int32_t BitmapMaxSide = 8192;
constexpr int64_t BitmapMaxPixels = int64_t(2048) * 2048;

// 1 and the picture, or 0 when the bytes are not a bitmap we can use.
int32_t DecodeBitmapFile(const uint8_t* data, size_t size, DecodedBitmap& out);
int32_t DecodeBitmapResource(const uint8_t* data, size_t size, DecodedBitmap& out);

// The picture in indices of `palette` (256 entries), as drawing it into a
// surface of that palette would give: unchanged when the bitmap's colour
// table equals the palette at every index it uses, otherwise every colour
// replaced by the nearest palette entry. Afterwards `colours` is the palette.
void MapBitmapToPalette(DecodedBitmap& bitmap, const PaletteEntry* palette);
// The first palette entry nearest to a COLORREF (squared distance in RGB).
int32_t NearestColourIndex(const PaletteEntry* palette, uint32_t colour);

// Where the colour table of the header at `infoAt` lies, read as the
// decoder reads it: after the header's own size, 3 bytes an entry after a
// core header and 4 after the others. `entries` is what the header asks
// for (the used-colours field, else every colour of the bit count; at most
// 256), 0 for more than 8 bits. 0 when the header is none the decoder reads.
struct ColourTablePlace {
  uint64_t at;
  uint32_t entrySize;
  uint32_t entries;
};
int32_t FindColourTable(const uint8_t* data, size_t size, size_t infoAt, ColourTablePlace& place);
// Largest header the decoder reads (V5).
constexpr size_t BitmapLargestHeader = 124;

// Little-endian fields of the headers, read only inside the buffer.
uint32_t ReadLe32(const uint8_t* p);
uint16_t ReadLe16(const uint8_t* p);
