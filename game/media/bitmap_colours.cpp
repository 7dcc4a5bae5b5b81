// A decoded bitmap brought to the game's palette, as GDI does when it draws
// a bitmap into a palette surface.
#include <cstring>

#include "game/media/bitmap.h"

namespace {
uint32_t ColourOf(const PaletteEntry& e) {
  return uint32_t(e.red) | uint32_t(e.green) << 8 | uint32_t(e.blue) << 16;
}

// Nearest-entry answers for the colours seen so far. A direct-colour sheet
// converted from palette art holds few colours, so nearly every pixel is a
// hit; a miss costs one search of the palette.
struct NearestCache {
  static constexpr uint32_t Slots = 4096;
  uint32_t keys[Slots];  // colour + 1; 0 is an empty slot
  uint8_t indices[Slots];
  const PaletteEntry* palette;

  explicit NearestCache(const PaletteEntry* p) : palette(p) { std::memset(keys, 0, sizeof keys); }
  uint8_t Find(uint32_t colour) {
    colour &= 0xFFFFFFu;
    uint32_t slot = (colour * 2654435761u) >> 20;
    if (keys[slot] != colour + 1) {
      keys[slot] = colour + 1;
      indices[slot] = uint8_t(NearestColourIndex(palette, colour));
    }
    return indices[slot];
  }
};

// Whether the table gives every index the picture uses its palette colour.
bool TableIsPalette(const DecodedBitmap& b, const PaletteEntry* palette) {
  bool used[256] = {};
  for (uint8_t index : b.pixels) used[index] = true;
  for (uint32_t i = 0; i < 256; ++i) {
    if (!used[i]) continue;
    if (i >= b.colours.size() || (b.colours[i] & 0xFFFFFFu) != ColourOf(palette[i])) return false;
  }
  return true;
}

void MapIndexed(DecodedBitmap& b, const PaletteEntry* palette) {
  if (TableIsPalette(b, palette)) return;
  // An index past the end of the table shows black.
  uint8_t nearest[256];
  for (uint32_t i = 0; i < 256; ++i)
    nearest[i] = uint8_t(NearestColourIndex(palette, i < b.colours.size() ? b.colours[i] : 0));
  for (uint8_t& index : b.pixels) index = nearest[index];
}

void MapDirect(DecodedBitmap& b, const PaletteEntry* palette) {
  NearestCache cache(palette);
  b.pixels.resize(b.direct.size());
  for (size_t i = 0; i < b.direct.size(); ++i) b.pixels[i] = cache.Find(b.direct[i]);
  std::vector<uint32_t>().swap(b.direct);
}
}  // namespace

int32_t NearestColourIndex(const PaletteEntry* palette, uint32_t colour) {
  int32_t r = colour & 0xFF, g = (colour >> 8) & 0xFF, b = (colour >> 16) & 0xFF;
  int32_t best = 0;
  int32_t bestDistance = INT32_MAX;
  for (int32_t i = 0; i < PaletteSize; ++i) {
    int32_t dr = palette[i].red - r, dg = palette[i].green - g, db = palette[i].blue - b;
    int32_t d = dr * dr + dg * dg + db * db;
    if (d < bestDistance) best = i, bestDistance = d;
  }
  return best;
}

void MapBitmapToPalette(DecodedBitmap& bitmap, const PaletteEntry* palette) {
  if (bitmap.direct.empty())
    MapIndexed(bitmap, palette);
  else
    MapDirect(bitmap, palette);
  bitmap.colours.resize(PaletteSize);
  for (int32_t i = 0; i < PaletteSize; ++i) bitmap.colours[i] = ColourOf(palette[i]);
}
