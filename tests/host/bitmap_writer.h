#pragma once
// Writes a picture of game-palette indices as a bitmap file of any layout
// the game reads, the way image editors save them: for the format tests and
// to make true-colour copies of the game's sheets.
#include <cstdint>
#include <vector>

#include "game/media/display_port.h"

struct BitmapFormat {
  const char* name;
  uint32_t header;  // 12 core, 40 info, 108 V4, 124 V5
  uint32_t bits;
  uint32_t compression;  // 0 none, 1 RLE8, 2 RLE4, 3 masks
  bool topDown;
  uint32_t masks[3];  // red, green, blue: the packing of 16 and 32 bits
  bool shuffled;      // 8 bits: the palette's colours in another order
};

namespace bitmap_writer {
inline void Put(std::vector<uint8_t>& b, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) b.push_back(uint8_t(v >> (8 * i)));
}

// One row of table indices, run-length coded: repeats, stored runs, a
// skip over index 0 inside the row, and index 0 up to the end left to the
// end-of-line code.
inline void CodeRow(const uint8_t* row, uint32_t w, uint32_t bits, std::vector<uint8_t>& out) {
  auto byteOf = [bits](uint8_t v) { return uint8_t(bits == 4 ? v << 4 | v : v); };
  for (uint32_t x = 0; x < w;) {
    uint32_t run = 1;
    while (x + run < w && row[x + run] == row[x] && run < 255) ++run;
    bool restZero = true;
    for (uint32_t i = x; i < w; ++i) restZero = restZero && row[i] == 0;
    if (restZero) break;
    if (row[x] == 0 && run >= 4) {
      out.insert(out.end(), {0, 2, uint8_t(run), 0});
    } else if (run >= 2) {
      out.insert(out.end(), {uint8_t(run), byteOf(row[x])});
    } else {
      run = 1;
      while (x + run < w && run < 255 && !(x + run + 1 < w && row[x + run] == row[x + run + 1]))
        ++run;
      if (run < 3) {
        for (uint32_t i = 0; i < run; ++i)
          out.insert(out.end(), {1, uint8_t(bits == 4 ? row[x + i] << 4 : row[x + i])});
      } else {
        out.insert(out.end(), {0, uint8_t(run)});
        size_t start = out.size();
        for (uint32_t i = 0; i < run; ++i) {
          if (bits == 8)
            out.push_back(row[x + i]);
          else if (i % 2 == 0)
            out.push_back(uint8_t(row[x + i] << 4));
          else
            out.back() |= row[x + i];
        }
        if ((out.size() - start) % 2) out.push_back(0);
      }
    }
    x += run;
  }
  out.insert(out.end(), {0, 0});
}

// An 8-bit level in a channel of the mask, as image tools pack it: a
// narrower channel keeps the level's top bits (ImageMagick's RGB565 and
// RGB555 cut, they do not round), a wider one repeats them downwards.
inline uint32_t PackChannel(uint8_t level, uint32_t mask) {
  if (!mask) return 0;
  int32_t shift = 0, bits = 0;
  while (!((mask >> shift) & 1)) ++shift;
  while (shift + bits < 32 && (mask >> (shift + bits))) ++bits;
  uint32_t value = 0;
  for (int32_t at = bits - 8; at > -8; at -= 8) value |= at >= 0 ? uint32_t(level) << at : level >> -at;
  return (value & ((uint64_t(1) << bits) - 1)) << shift;
}

// Rows as stored: bottom-up unless top-down, each padded to 4 bytes.
inline std::vector<uint8_t> PackRows(const BitmapFormat& f, uint32_t w, uint32_t h,
                                     const std::vector<uint8_t>& local, const PaletteEntry* palette,
                                     const std::vector<uint8_t>& game) {
  std::vector<uint8_t> body;
  for (uint32_t s = 0; s < h; ++s) {
    uint32_t y = f.topDown ? s : h - 1 - s;
    size_t start = body.size();
    uint32_t bitsUsed = 0;
    for (uint32_t x = 0; x < w; ++x) {
      uint8_t index = game[size_t(y) * w + x];
      const PaletteEntry& c = palette[index];
      if (f.bits < 8) {
        if (bitsUsed % 8 == 0) body.push_back(0);
        body.back() |= uint8_t(local[index] << (8 - f.bits - bitsUsed % 8));
        bitsUsed += f.bits;
      } else if (f.bits == 8) {
        body.push_back(local[index]);
      } else if (f.bits == 24) {
        body.insert(body.end(), {c.blue, c.green, c.red});
      } else {
        Put(body,
            PackChannel(c.red, f.masks[0]) | PackChannel(c.green, f.masks[1]) |
                PackChannel(c.blue, f.masks[2]),
            int(f.bits / 8));
      }
    }
    while ((body.size() - start) % 4) body.push_back(0);
  }
  return body;
}
}  // namespace bitmap_writer

// Headers, masks and colour table in front of rows already stored.
inline std::vector<uint8_t> AssembleBitmap(const BitmapFormat& f, uint32_t w, uint32_t h,
                                           const std::vector<PaletteEntry>& table,
                                           const std::vector<uint8_t>& body) {
  using bitmap_writer::Put;
  std::vector<uint8_t> info;
  Put(info, f.header, 4);
  if (f.header == 12) {
    Put(info, w, 2), Put(info, h, 2), Put(info, 1, 2), Put(info, f.bits, 2);
  } else {
    Put(info, w, 4), Put(info, f.topDown ? uint32_t(-int32_t(h)) : h, 4), Put(info, 1, 2);
    Put(info, f.bits, 2), Put(info, f.compression, 4), Put(info, uint32_t(body.size()), 4);
    Put(info, 2835, 4), Put(info, 2835, 4);
    Put(info, table.size() < 256 ? uint32_t(table.size()) : 0, 4), Put(info, 0, 4);
    if (f.compression == 3 || f.header > 40)
      for (uint32_t m : f.masks) Put(info, f.compression == 3 ? m : 0, 4);
    // After a plain info header the masks follow it; later headers hold them.
    if (info.size() < f.header) info.resize(f.header, 0);
  }
  for (const PaletteEntry& c : table) {
    info.insert(info.end(), {c.blue, c.green, c.red});
    if (f.header != 12) info.push_back(0);
  }
  std::vector<uint8_t> file = {'B', 'M'};
  Put(file, uint32_t(14 + info.size() + body.size()), 4);
  Put(file, 0, 4);
  Put(file, uint32_t(14 + info.size()), 4);
  file.insert(file.end(), info.begin(), info.end());
  file.insert(file.end(), body.begin(), body.end());
  return file;
}

// Whole file. `game` holds w x h game-palette indices, top row first; a
// format of fewer than 8 bits takes at most as many colours as it can index.
inline std::vector<uint8_t> WriteBitmap(const BitmapFormat& f, uint32_t w, uint32_t h,
                                        const std::vector<uint8_t>& game,
                                        const PaletteEntry* palette) {
  using namespace bitmap_writer;
  std::vector<uint8_t> local(256, 0);  // game index -> table index
  std::vector<PaletteEntry> table;
  if (f.bits == 8) {
    table.resize(256);
    for (uint32_t i = 0; i < 256; ++i)
      table[local[i] = uint8_t(f.shuffled ? i * 167 + 13 : i)] = palette[i];
  } else if (f.bits < 8) {
    std::vector<bool> seen(256, false);
    for (uint8_t i : game)  // the table in the order the colours first appear
      if (!seen[i]) seen[i] = true, local[i] = uint8_t(table.size()), table.push_back(palette[i]);
    if (f.header == 12) table.resize(size_t(1) << f.bits, PaletteEntry{});
  }
  std::vector<uint8_t> body;
  if (f.compression == 1 || f.compression == 2) {
    for (uint32_t s = 0; s < h; ++s) {
      std::vector<uint8_t> row(w);
      for (uint32_t x = 0; x < w; ++x) row[x] = local[game[size_t(h - 1 - s) * w + x]];
      CodeRow(row.data(), w, f.bits, body);
    }
    body.insert(body.end(), {0, 1});
  } else {
    body = PackRows(f, w, h, local, palette, game);
  }
  return AssembleBitmap(f, w, h, table, body);
}
