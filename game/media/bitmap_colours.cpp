// A decoded bitmap brought to the game's palette, as GDI does when it draws
// a bitmap into a palette surface.
#include <cstring>
#include <memory>
#include <vector>

#include "game/media/bitmap.h"

namespace {
uint32_t ColourOf(const PaletteEntry& e) {
  return uint32_t(e.red) | uint32_t(e.green) << 8 | uint32_t(e.blue) << 16;
}

// Nearest entries by cell: the colour cube cut into 32 x 32 x 32 cells of
// 8 levels a side. A cell's list holds every entry that can be nearest to
// some colour inside it (in index order, each colour once), made the first
// time a pixel falls in the cell; the pixel then searches that list alone.
// The answer is the whole palette's, and the work stays bounded by the
// cells whatever the picture holds: a sheet of millions of colours costs
// at most 32K lists.
struct NearestCells {
  static constexpr uint32_t Cells = 32 * 32 * 32;
  const PaletteEntry* palette;
  uint8_t distinct[PaletteSize];  // entries whose colour no earlier entry has
  int32_t distinctCount = 0;
  std::vector<uint32_t> listAt;  // per cell: start in `lists` + 1; 0: not made yet
  std::vector<uint16_t> listSize;
  std::vector<uint8_t> lists;

  explicit NearestCells(const PaletteEntry* p) : palette(p), listAt(Cells, 0), listSize(Cells, 0) {
    for (int32_t i = 0; i < PaletteSize; ++i) {
      bool seen = false;
      for (int32_t j = 0; j < distinctCount && !seen; ++j)
        seen = ColourOf(palette[distinct[j]]) == ColourOf(palette[i]);
      if (!seen) distinct[distinctCount++] = uint8_t(i);
    }
  }

  // Squared distances from an entry to the nearest and farthest colour of
  // the cell whose lowest levels are `low`.
  static int32_t Gap(int32_t level, int32_t low) {
    return level < low ? low - level : level > low + 7 ? level - low - 7 : 0;
  }
  static int32_t Reach(int32_t level, int32_t low) {
    return level - low > low + 7 - level ? level - low : low + 7 - level;
  }

  void MakeList(uint32_t cell) {
    int32_t low[3] = {int32_t(cell >> 10) * 8, int32_t(cell >> 5 & 31) * 8, int32_t(cell & 31) * 8};
    int32_t nearest[PaletteSize], farthest = INT32_MAX;
    for (int32_t k = 0; k < distinctCount; ++k) {
      const PaletteEntry& e = palette[distinct[k]];
      int32_t level[3] = {e.red, e.green, e.blue};
      int32_t nearSum = 0, farSum = 0;
      for (int32_t c = 0; c < 3; ++c) {
        int32_t n = Gap(level[c], low[c]), f = Reach(level[c], low[c]);
        nearSum += n * n, farSum += f * f;
      }
      nearest[k] = nearSum;
      if (farSum < farthest) farthest = farSum;
    }
    listAt[cell] = uint32_t(lists.size()) + 1;
    for (int32_t k = 0; k < distinctCount; ++k)
      if (nearest[k] <= farthest) lists.push_back(distinct[k]);
    listSize[cell] = uint16_t(lists.size() + 1 - listAt[cell]);
  }

  uint8_t Find(uint32_t colour) {
    int32_t r = colour & 0xFF, g = (colour >> 8) & 0xFF, b = (colour >> 16) & 0xFF;
    uint32_t cell = uint32_t(r >> 3) << 10 | uint32_t(g >> 3) << 5 | uint32_t(b >> 3);
    if (!listAt[cell]) MakeList(cell);
    const uint8_t* list = &lists[listAt[cell] - 1];
    uint8_t best = list[0];
    int32_t bestDistance = INT32_MAX;
    for (uint32_t k = 0; k < listSize[cell]; ++k) {
      const PaletteEntry& e = palette[list[k]];
      int32_t dr = e.red - r, dg = e.green - g, db = e.blue - b;
      int32_t d = dr * dr + dg * dg + db * db;
      if (d < bestDistance) best = list[k], bestDistance = d;
    }
    return best;
  }
};

// The answers for the colours met last. A sheet converted from palette art
// holds few colours: nearly every pixel is one lookup, and the first misses
// search the whole palette. Past those the misses go to the cells, so that
// a sheet of a colour a pixel costs a bounded search, not a full one.
struct NearestCache {
  static constexpr uint32_t Slots = 4096;
  static constexpr uint32_t WholeSearches = 4096;
  uint32_t keys[Slots];  // colour + 1; 0 is an empty slot
  uint8_t indices[Slots];
  const PaletteEntry* palette;
  uint32_t misses = 0;
  std::unique_ptr<NearestCells> cells;  // made at the first miss past WholeSearches

  explicit NearestCache(const PaletteEntry* p) : palette(p) { std::memset(keys, 0, sizeof keys); }
  uint8_t Nearest(uint32_t colour) {
    if (misses++ < WholeSearches) return uint8_t(NearestColourIndex(palette, colour));
    if (!cells) cells.reset(new NearestCells(palette));
    return cells->Find(colour);
  }
  uint8_t Find(uint32_t colour) {
    colour &= 0xFFFFFFu;
    uint32_t slot = (colour * 2654435761u) >> 20;
    if (keys[slot] != colour + 1) {
      keys[slot] = colour + 1;
      indices[slot] = Nearest(colour);
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
