#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "game/media/bitmap.h"
#include "game/media/display.h"
#include "game/media/host/host_display.h"
#include "game/media/palette.h"
#include "tests/host/world_fixture.h"
#include "tools/sim/sim.h"

namespace {

// A bitmap resource's header and colour table: entry i is (blue i, green
// 100, red 200 - i), 3 bytes an entry after a core header, 4 after the others.
std::vector<uint8_t> InfoHeader(uint16_t bits, uint32_t used, uint32_t colours, uint32_t size = 40) {
  const uint32_t entry = size == 12 ? 3 : 4;
  std::vector<uint8_t> b(size + entry * colours + 16, 0xEE);  // pixel bytes after the table
  std::fill(b.begin(), b.begin() + size, 0);
  Put32(b, 0, size);
  if (size == 12) {
    b[4] = 2, b[6] = 2, b[8] = 1, b[10] = uint8_t(bits);
  } else {
    Put32(b, 4, 2);
    Put32(b, 8, 2);
    b[12] = 1;
    b[14] = uint8_t(bits);
    Put32(b, 32, used);
  }
  for (uint32_t i = 0; i < colours; ++i) {
    uint8_t* e = &b[size + entry * i];
    e[0] = uint8_t(i), e[1] = 100, e[2] = uint8_t(200 - i);
    if (entry == 4) e[3] = 0;
  }
  return b;
}

std::vector<uint8_t> AsFile(const std::vector<uint8_t>& info) {
  std::vector<uint8_t> file(14 + info.size(), 0);
  file[0] = 'B', file[1] = 'M';
  std::copy(info.begin(), info.end(), file.begin() + 14);
  return file;
}

// Entries 0..n-1 from the table, the rest the 3-3-2 cube.
void ExpectTable(const PaletteEntry* table, uint32_t n, const char* name) {
  PaletteEntry cube[PaletteSize];
  DefaultPaletteTable(cube);
  for (uint32_t i = 0; i < PaletteSize; ++i) {
    PaletteEntry want = i < n ? PaletteEntry{uint8_t(200 - i), 100, uint8_t(i), 0} : cube[i];
    ASSERT_EQ(table[i].red, want.red) << name << " entry " << i;
    ASSERT_EQ(table[i].green, want.green) << name << " entry " << i;
    ASSERT_EQ(table[i].blue, want.blue) << name << " entry " << i;
    ASSERT_EQ(table[i].flags, want.flags) << name << " entry " << i;
  }
}

using PaletteTest = World;
}  // namespace

TEST(PaletteCube, DefaultIsTheThreeThreeTwoCube) {
  PaletteEntry t[PaletteSize];
  DefaultPaletteTable(t);
  EXPECT_EQ(t[0].red | t[0].green | t[0].blue, 0);
  EXPECT_EQ(t[255].red, 255);
  EXPECT_EQ(t[255].green, 255);
  EXPECT_EQ(t[255].blue, 255);
  EXPECT_EQ(t[0x20].red, 36);   // 1 * 255 / 7
  EXPECT_EQ(t[0x04].green, 36);
  EXPECT_EQ(t[0x01].blue, 85);  // 1 * 255 / 3
}

TEST_F(PaletteTest, BitmapColourTableOverTheCube) {
  struct Case {
    const char* name;
    uint16_t bits;
    uint32_t used, colours;
    uint32_t headerSize;
    bool asResource;
    uint32_t defined;
  };
  const Case cases[] = {
      {"256 colours, file", 8, 0, 256, 40, false, 256},
      {"16 colours, used 0, file", 4, 0, 16, 40, false, 16},
      {"16 colours, used 0, resource", 4, 0, 16, 40, true, 16},
      {"8 bits, 20 used, resource", 8, 20, 20, 40, true, 20},
      {"used over 256, resource", 8, 1000, 256, 40, true, 256},
      {"24 bits, resource", 24, 0, 0, 40, true, 0},
      {"24 bits, file", 24, 0, 0, 40, false, 0},
      {"V5 header, resource", 8, 4, 4, 124, true, 4},
      {"V5 header, file", 8, 4, 4, 124, false, 4},  // as an image tool saves it
      {"V4 header, file", 8, 0, 256, 108, false, 256},
      {"core header, resource", 4, 0, 16, 12, true, 16},
      {"core header, file", 8, 0, 256, 12, false, 256},
      {"header of no known size, file", 8, 0, 256, 64, false, 0},
  };
  for (const Case& c : cases) {
    HostClearBitmapResources();
    std::vector<uint8_t> info = InfoHeader(c.bits, c.used, c.colours, c.headerSize);
    std::string folder = ::testing::TempDir();
    HostSetDataDir(folder);
    std::string path = folder + "/pal.bmp";
    std::remove(path.c_str());
    if (c.asResource) {
      HostAddBitmapResource("pal.bmp", info);
    } else {
      std::vector<uint8_t> file = AsFile(info);
      std::FILE* f = std::fopen(path.c_str(), "wb");
      ASSERT_NE(f, nullptr);
      std::fwrite(file.data(), 1, file.size(), f);
      std::fclose(f);
    }
    PaletteEntry table[PaletteSize];
    BuildPaletteTable("pal.bmp", table);
    ExpectTable(table, c.defined, c.name);
  }
}

TEST_F(PaletteTest, ShortOrMissingFileKeepsTheCubeWhereItHasNoColours) {
  std::string folder = ::testing::TempDir();
  HostSetDataDir(folder);
  std::string path = folder + "/short.bmp";
  std::vector<uint8_t> file = AsFile(InfoHeader(8, 0, 256));
  file.resize(14 + 40 + 4 * 10 + 2);  // ten whole entries and half of one
  std::FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  std::fwrite(file.data(), 1, file.size(), f);
  std::fclose(f);
  PaletteEntry table[PaletteSize];
  BuildPaletteTable("short.bmp", table);
  ExpectTable(table, 10, "short");
  BuildPaletteTable("missing.bmp", table);
  ExpectTable(table, 0, "missing");
  BuildPaletteTable(nullptr, table);
  ExpectTable(table, 0, "no name");
}

TEST_F(PaletteTest, GamePaletteIsOnThePrimaryWithTheFontsColours) {
  PaletteEntry onScreen[PaletteSize], fromFile[PaletteSize];
  std::vector<uint8_t> indices;
  ASSERT_EQ(HostScreenImage(indices, onScreen), 1);
  BuildPaletteTable("font_.bmp", fromFile);
  for (int32_t i = 0; i < PaletteSize; ++i) {
    ASSERT_EQ(onScreen[i].red, fromFile[i].red) << i;
    ASSERT_EQ(onScreen[i].blue, fromFile[i].blue) << i;
  }
  EXPECT_NE(GamePalette, 0u);
}

TEST(PaletteMatch, NearestEntryAndTheFirstOfEqualOnes) {
  PaletteEntry t[PaletteSize] = {};
  t[3] = {26, 3, 250, 0};
  t[9] = {26, 3, 250, 0};
  t[200] = {255, 255, 255, 0};
  EXPECT_EQ(NearestPaletteIndex(t, 0x00FF031A), 3);
  EXPECT_EQ(NearestPaletteIndex(t, 0x00F0F0F0), 200);
  EXPECT_EQ(NearestPaletteIndex(t, 0), 0);
}

// A true-colour picture takes, pixel by pixel, the entry a search of the
// whole palette finds (the first of equal ones), whatever the palette: the
// game's, the cube, one of repeated colours, one crowded into a corner of
// the colour space.
TEST_F(PaletteTest, TrueColourPixelsTakeTheWholePalettesNearestEntry) {
  std::vector<uint32_t> colours;
  const int32_t levels[] = {0, 7, 8, 127, 128, 248, 255};
  for (int32_t r : levels)
    for (int32_t g : levels)
      for (int32_t b : levels) colours.push_back(uint32_t(r | g << 8 | b << 16));
  uint32_t x = 0x9778182Bu;
  for (int i = 0; i < 65536; ++i) {
    x ^= x << 13, x ^= x >> 17, x ^= x << 5;
    colours.push_back(x & 0xFFFFFF);
  }
  struct Case {
    const char* name;
    void (*make)(PaletteEntry*);
  } cases[] = {
      {"the game's", [](PaletteEntry* t) { BuildPaletteTable("font_.bmp", t); }},
      {"the cube", DefaultPaletteTable},
      {"repeated colours",
       [](PaletteEntry* t) {
         for (int32_t i = 0; i < PaletteSize; ++i) t[i] = {uint8_t(i / 64 * 80), 0, uint8_t(i % 3), 0};
       }},
      {"crowded into a corner",
       [](PaletteEntry* t) {
         for (int32_t i = 0; i < PaletteSize; ++i)
           t[i] = {uint8_t(i & 7), uint8_t(i >> 3 & 7), uint8_t(i >> 6), 0};
       }},
  };
  for (const Case& c : cases) {
    PaletteEntry palette[PaletteSize];
    c.make(palette);
    DecodedBitmap picture;
    picture.width = int32_t(colours.size()), picture.height = 1;
    picture.direct = colours;
    MapBitmapToPalette(picture, palette);
    ASSERT_EQ(picture.pixels.size(), colours.size()) << c.name;
    for (size_t i = 0; i < colours.size(); ++i)
      ASSERT_EQ(picture.pixels[i], NearestColourIndex(palette, colours[i]))
          << c.name << ", colour " << std::hex << colours[i];
  }
}
