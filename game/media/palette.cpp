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

// Colours of an info header's table: the used-colours field, or
// every colour the bit count allows; 0 for headers that carry no table.
static uint32_t TableColours(const uint8_t* info, uint32_t minimumHeader) {
  uint32_t headerSize = ReadLe32(info);
  uint32_t bits = ReadLe16(info + 14);
  if (headerSize < minimumHeader || bits > 8) return 0;
  uint32_t n = ReadLe32(info + 32);
  if (n == 0) n = 1u << bits;
  return n > 256 ? 256 : n;
}

// Blue, green, red, reserved in the bitmap; only entries the bytes hold
// completely are taken, the rest keep the cube.
static void TakeColours(const uint8_t* colours, size_t available, uint32_t n, PaletteEntry* table) {
  uint32_t whole = uint32_t(available / 4);
  if (n > whole) n = whole;
  for (uint32_t i = 0; i < n; ++i) table[i] = {colours[4 * i + 2], colours[4 * i + 1], colours[4 * i], 0};
}

void BuildPaletteTable(const char* name, PaletteEntry* table) {
  DefaultPaletteTable(table);
  if (!name) return;
  std::vector<uint8_t> bytes;
  if (PortFindBitmapResource(name, bytes)) {
    if (bytes.size() < 40) return;
    uint32_t n = TableColours(bytes.data(), 40);
    uint32_t headerSize = ReadLe32(bytes.data());
    if (n && headerSize < bytes.size())
      TakeColours(bytes.data() + headerSize, bytes.size() - headerSize, n, table);
    return;
  }
  // The file is read as far as a 256-colour table reaches; a longer header
  // than the classic 40 bytes is not looked into.
  if (!PortReadDataFile(name, 14 + 40 + 1024, bytes) || bytes.size() < 14 + 40) return;
  const uint8_t* info = bytes.data() + 14;
  if (ReadLe32(info) != 40) return;
  uint32_t n = TableColours(info, 40);
  TakeColours(info + 40, bytes.size() - 54, n, table);
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
