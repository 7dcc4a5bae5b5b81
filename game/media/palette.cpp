#include "game/media/palette.h"

#include <vector>

#include "game/media/bitmap.h"
#include "game/media/bitmap_port.h"
#include "game/media/display.h"

void DefaultPaletteTable(PaletteEntry* table) {
  for (int32_t i = 0; i < PaletteSize; ++i) {
    table[i].red = uint8_t(((i & 0xE0) >> 5) * 255 / 7);
    table[i].green = uint8_t(((i & 0x1C) >> 2) * 255 / 7);
    table[i].blue = uint8_t((i & 3) * 255 / 3);
    table[i].flags = 0;
  }
}

// Blue, green, red (and reserved after all but a core header) in the
// bitmap; only entries the bytes hold completely are taken, the rest keep
// the cube.
static void TakeColours(const uint8_t* data, size_t size, const ColourTablePlace& place,
                        PaletteEntry* table) {
  if (place.at > size) return;
  uint64_t whole = (size - place.at) / place.entrySize;
  uint32_t n = place.entries < whole ? place.entries : uint32_t(whole);
  const uint8_t* entry = data + place.at;
  for (uint32_t i = 0; i < n; ++i, entry += place.entrySize) table[i] = {entry[2], entry[1], entry[0], 0};
}

// The colour table wherever the header puts it, as the sheets' loader reads
// it: a V4 or V5 header as an image tool saves it, or a core header.
void BuildPaletteTable(const char* name, PaletteEntry* table) {
  DefaultPaletteTable(table);
  if (!name) return;
  std::vector<uint8_t> bytes;
  size_t infoAt = 0;
  if (!PortFindBitmapResource(name, bytes)) {
    constexpr size_t FileHeader = 14;
    if (!PortReadDataFile(name, FileHeader + BitmapLargestHeader + 4 * PaletteSize, bytes)) return;
    if (bytes.size() < FileHeader) return;
    infoAt = FileHeader;
  }
  ColourTablePlace place;
  if (FindColourTable(bytes.data(), bytes.size(), infoAt, place))
    TakeColours(bytes.data(), bytes.size(), place, table);
}

PaletteHandle LoadPalette(const char* name) {
  PaletteEntry table[PaletteSize];
  BuildPaletteTable(name, table);
  PaletteHandle palette = 0;
  if (PortCreatePalette(table, &palette) != DdOk) return 0;
  return palette;
}

void CurrentPaletteTable(PaletteEntry* table) {
  if (!GamePalette || PortGetPaletteEntries(GamePalette, table) != DdOk) DefaultPaletteTable(table);
}

// Bitmaps are brought to the palette by the same rule.
int32_t NearestPaletteIndex(const PaletteEntry* table, uint32_t colour) {
  return NearestColourIndex(table, colour);
}
