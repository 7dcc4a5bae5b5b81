// Bitmaps saved in every layout Windows loads reach the sheets in the same
// colours as the game's own 8-bit art.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "game/media/bitmap.h"
#include "game/media/bitmap_surface.h"
#include "game/media/display.h"
#include "game/media/palette.h"
#include "game/media/screen_effect.h"
#include "game/media/stage_sheets.h"
#include "tests/host/bitmap_writer.h"
#include "tests/host/world_fixture.h"

namespace {
constexpr uint32_t M555[3] = {0x7C00, 0x03E0, 0x001F};
constexpr uint32_t M565[3] = {0xF800, 0x07E0, 0x001F};
constexpr uint32_t M888[3] = {0xFF0000, 0x00FF00, 0x0000FF};

const BitmapFormat Formats[] = {
    {"core 1 bit", 12, 1, 0, false, {}, false},
    {"core 4 bits", 12, 4, 0, false, {}, false},
    {"core 8 bits", 12, 8, 0, false, {}, false},
    {"core 24 bits", 12, 24, 0, false, {}, false},
    {"1 bit", 40, 1, 0, false, {}, false},
    {"4 bits", 40, 4, 0, false, {}, false},
    {"8 bits", 40, 8, 0, false, {}, false},
    {"8 bits, colours shuffled", 40, 8, 0, false, {}, true},
    {"8 bits top-down", 40, 8, 0, true, {}, false},
    {"RLE4", 40, 4, 2, false, {}, false},
    {"RLE8", 40, 8, 1, false, {}, false},
    {"RLE8, colours shuffled", 40, 8, 1, false, {}, true},
    {"16 bits 5-5-5", 40, 16, 0, false, {M555[0], M555[1], M555[2]}, false},
    {"16 bits 5-6-5 masks", 40, 16, 3, false, {M565[0], M565[1], M565[2]}, false},
    {"24 bits", 40, 24, 0, false, {}, false},
    {"24 bits top-down", 40, 24, 0, true, {}, false},
    {"32 bits", 40, 32, 0, false, {M888[0], M888[1], M888[2]}, false},
    {"32 bits masks, red lowest", 40, 32, 3, false, {0xFF, 0xFF00, 0xFF0000}, false},
    {"V4 16 bits masks top-down", 108, 16, 3, true, {M565[0], M565[1], M565[2]}, false},
    {"V4 RLE4", 108, 4, 2, false, {}, false},
    {"V5 8 bits shuffled", 124, 8, 0, false, {}, true},
    {"V5 32 bits, 10-bit masks", 124, 32, 3, false, {0x3FF00000, 0xFFC00, 0x3FF}, false},
};

std::vector<uint8_t> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

// The picture kept to the `count` colours it uses most; the others become
// the most used one.
std::vector<uint8_t> Reduced(const std::vector<uint8_t>& picture, uint32_t count) {
  std::vector<size_t> uses(256, 0);
  for (uint8_t i : picture) ++uses[i];
  std::vector<int> order(256);
  for (int i = 0; i < 256; ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return uses[a] > uses[b]; });
  std::vector<bool> kept(256, false);
  for (uint32_t i = 0; i < count && i < 256; ++i) kept[order[i]] = true;
  std::vector<uint8_t> out = picture;
  for (uint8_t& i : out)
    if (!kept[i]) i = uint8_t(order[0]);
  return out;
}

// 16 bits hold 5 or 6 of a channel's 8: the nearest palette colour to what
// is left may differ from the drawn one by up to two steps of the coarser
// channel.
int32_t Allowance(const BitmapFormat& f) { return f.bits == 16 ? 16 : 0; }

// What Windows shows of the drawn picture in that format: a 16-bit sheet's
// channels, cut to 5 or 6 bits by the tool, come back with their top bits
// repeated below them (GDI's widening: abcde becomes abcdeabc, abcdef
// abcdefab), then take the nearest palette entry. Every other format keeps
// the drawn indices.
std::vector<uint8_t> AsWindowsShows(const BitmapFormat& f, const std::vector<uint8_t>& drawn,
                                    const PaletteEntry* palette) {
  if (f.bits != 16) return drawn;
  auto widen = [](uint8_t level, uint32_t mask) {
    int32_t n = mask == 0x07E0 ? 6 : 5;
    uint32_t cut = level >> (8 - n);
    return (cut << (8 - n)) | (cut >> (2 * n - 8));
  };
  uint8_t shown[PaletteSize];
  for (int32_t i = 0; i < PaletteSize; ++i) {
    const PaletteEntry& c = palette[i];
    uint32_t colour = widen(c.red, f.masks[0]) | widen(c.green, f.masks[1]) << 8 |
                      widen(c.blue, f.masks[2]) << 16;
    shown[i] = uint8_t(NearestColourIndex(palette, colour));
  }
  std::vector<uint8_t> out = drawn;
  for (uint8_t& i : out) i = shown[i];
  return out;
}

int32_t ColourError(const PaletteEntry& a, const PaletteEntry& b) {
  return std::max(
      {std::abs(a.red - b.red), std::abs(a.green - b.green), std::abs(a.blue - b.blue)});
}

struct Picture {
  uint32_t width, height;
  std::vector<uint8_t> indices;
};

const char* const SheetFiles[] = {"font_.bmp",   "comm_.bmp",   "back_.bmp", "back2_.bmp",
                                  "block1_.bmp", "enamy1_.bmp", "boss1_.bmp"};

using BitmapFormats = World;
}  // namespace

TEST_F(BitmapFormats, EverySheetInEveryLayoutShowsTheSameColours) {
  PaletteEntry palette[PaletteSize];
  BuildPaletteTable("font_.bmp", palette);
  for (const char* sheet : SheetFiles) {
    std::vector<uint8_t> bytes = ReadBytes(std::string(ZARVEL_DATA_DIR) + "/" + sheet);
    DecodedBitmap art;
    ASSERT_EQ(DecodeBitmapFile(bytes.data(), bytes.size(), art), 1) << sheet;
    for (const BitmapFormat& f : Formats) {
      std::vector<uint8_t> drawn = f.bits < 8 ? Reduced(art.pixels, 1u << f.bits) : art.pixels;
      std::vector<uint8_t> file = WriteBitmap(f, art.width, art.height, drawn, palette);
      DecodedBitmap d;
      ASSERT_EQ(DecodeBitmapFile(file.data(), file.size(), d), 1) << sheet << ": " << f.name;
      MapBitmapToPalette(d, palette);
      ASSERT_EQ(d.width, art.width);
      ASSERT_EQ(d.pixels.size(), drawn.size());
      std::vector<uint8_t> shown = AsWindowsShows(f, drawn, palette);
      int32_t worst = 0;
      size_t differing = 0;
      for (size_t i = 0; i < drawn.size(); ++i) {
        worst = std::max(worst, ColourError(palette[d.pixels[i]], palette[drawn[i]]));
        differing += d.pixels[i] != shown[i];
      }
      EXPECT_LE(worst, Allowance(f)) << sheet << ": " << f.name;
      EXPECT_EQ(differing, 0u) << sheet << ": " << f.name;
    }
  }
}

// Every layout as a file and as a resource, then every cut of the file: no
// read past the end, and rows that do not fit are refused.
TEST(BitmapLayouts, ReadAsFileAndResourceAndSurviveEveryCut) {
  PaletteEntry palette[PaletteSize];
  DefaultPaletteTable(palette);
  const uint32_t w = 7, h = 5;
  std::vector<uint8_t> game(w * h);
  for (uint32_t i = 0; i < game.size(); ++i) game[i] = uint8_t(i % 9 < 4 ? 0 : i * 37 % 256);
  for (const BitmapFormat& f : Formats) {
    std::vector<uint8_t> drawn = f.bits < 8 ? Reduced(game, 1u << f.bits) : game;
    std::vector<uint8_t> file = WriteBitmap(f, w, h, drawn, palette);
    DecodedBitmap fromFile, fromResource;
    ASSERT_EQ(DecodeBitmapFile(file.data(), file.size(), fromFile), 1) << f.name;
    std::vector<uint8_t> resource(file.begin() + 14, file.end());
    ASSERT_EQ(DecodeBitmapResource(resource.data(), resource.size(), fromResource), 1) << f.name;
    MapBitmapToPalette(fromFile, palette);
    MapBitmapToPalette(fromResource, palette);
    EXPECT_EQ(fromFile.pixels, fromResource.pixels) << f.name;
    if (f.bits >= 8 && f.bits != 16) {
      EXPECT_EQ(fromFile.pixels, drawn) << f.name;
    }
    bool coded = f.compression == 1 || f.compression == 2;
    uint32_t stride = (w * f.bits + 31) / 32 * 4;
    size_t complete = file.size() - (stride - (w * f.bits + 7) / 8);
    for (size_t n = 0; n < file.size(); ++n) {
      std::vector<uint8_t> cut(file.begin(), file.begin() + n);  // exact size for ASan
      DecodedBitmap b;
      int32_t r = DecodeBitmapFile(cut.data(), cut.size(), b);
      if (!coded) {
        EXPECT_EQ(r, n >= complete ? 1 : 0) << f.name << " cut at " << n;
      }
      if (!r) continue;
      MapBitmapToPalette(b, palette);
      EXPECT_EQ(b.pixels.size(), size_t(w) * h) << f.name << " cut at " << n;
    }
  }
}

// 4 x 3 pictures from hand-made codes; rows listed top first.
TEST(BitmapLayouts, RunLengthCodesPlacePixelsAndStopSafely) {
  struct Case {
    const char* name;
    uint32_t bits;
    std::vector<uint8_t> codes;
    std::vector<uint8_t> picture;
  };
  const Case cases[] = {
      {"delta right and up",
       8,
       {2, 5, 0, 2, 1, 1, 1, 6, 0, 1},
       {0, 0, 0, 0, 0, 0, 0, 6, 5, 5, 0, 0}},
      {"end of line early", 8, {1, 7, 0, 0, 2, 8, 0, 1}, {0, 0, 0, 0, 8, 8, 0, 0, 7, 0, 0, 0}},
      {"end of picture early", 8, {4, 3, 0, 1, 4, 9}, {0, 0, 0, 0, 0, 0, 0, 0, 3, 3, 3, 3}},
      {"no end code at all", 8, {2, 4}, {0, 0, 0, 0, 0, 0, 0, 0, 4, 4, 0, 0}},
      {"run past the right edge is cut",
       8,
       {6, 2, 0, 0, 1, 4, 0, 1},
       {0, 0, 0, 0, 4, 0, 0, 0, 2, 2, 2, 2}},
      {"odd stored run, padded",
       8,
       {0, 3, 1, 2, 3, 0, 1, 4, 0, 1},
       {0, 0, 0, 0, 0, 0, 0, 0, 1, 2, 3, 4}},
      {"stored run cut short", 8, {1, 1, 0, 5, 2, 2}, {0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0}},
      {"delta cut short", 8, {1, 1, 0, 2, 1}, {0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0}},
      {"delta past the top", 8, {0, 2, 0, 9, 1, 1}, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
      {"delta past the right edge",
       8,
       {0, 2, 200, 0, 1, 1, 0, 0, 1, 3},
       {0, 0, 0, 0, 3, 0, 0, 0, 0, 0, 0, 0}},
      {"more rows than the picture",
       8,
       {1, 1, 0, 0, 1, 2, 0, 0, 1, 3, 0, 0, 1, 4},
       {3, 0, 0, 0, 2, 0, 0, 0, 1, 0, 0, 0}},
      {"4 bits, two nibbles alternate", 4, {4, 0x12, 0, 1}, {0, 0, 0, 0, 0, 0, 0, 0, 1, 2, 1, 2}},
      {"4 bits, stored run of 3",
       4,
       {0, 3, 0x34, 0x50, 1, 0x60, 0, 1},
       {0, 0, 0, 0, 0, 0, 0, 0, 3, 4, 5, 6}},
  };
  for (const Case& c : cases) {
    BitmapFormat f = {"", 40, c.bits, c.bits == 8 ? 1u : 2u, false, {}, false};
    std::vector<uint8_t> file =
        AssembleBitmap(f, 4, 3, std::vector<PaletteEntry>(1u << c.bits), c.codes);
    DecodedBitmap b;
    ASSERT_EQ(DecodeBitmapFile(file.data(), file.size(), b), 1) << c.name;
    EXPECT_EQ(b.pixels, c.picture) << c.name;
  }
}

// Sides and picture sizes at the limits: a few bytes of codes could ask for
// any size, so the size alone decides.
TEST(BitmapLayouts, SizesBeyondWhatWeHoldAreRefused) {
  struct Case {
    uint32_t width, height;
    int32_t accepted;
  };
  for (Case c : {Case{2048, 2048, 1}, {2049, 2048, 0}, {8192, 512, 1}, {8192, 513, 0},
                 {8193, 1, 0}, {1, 8192, 1}, {1, 8193, 0}, {65535, 65535, 0}}) {
    BitmapFormat f = {"", 40, 8, 1, false, {}, false};
    std::vector<uint8_t> file =
        AssembleBitmap(f, c.width, c.height, std::vector<PaletteEntry>(256), {0, 1});
    DecodedBitmap b;
    EXPECT_EQ(DecodeBitmapFile(file.data(), file.size(), b), c.accepted)
        << c.width << " x " << c.height;
    EXPECT_EQ(b.pixels.size(), c.accepted ? size_t(c.width) * c.height : 0u);
  }
  BitmapFormat topDown = {"", 40, 8, 1, true, {}, false};  // coded rows never run downwards
  std::vector<uint8_t> file = AssembleBitmap(topDown, 2, 2, std::vector<PaletteEntry>(256), {0, 1});
  DecodedBitmap b;
  EXPECT_EQ(DecodeBitmapFile(file.data(), file.size(), b), 0);
}

namespace {
std::vector<uint8_t> SheetRows(SurfaceHandle s) {
  HostSurfaceView v = HostSurface(s);
  std::vector<uint8_t> rows;
  for (int32_t y = 0; y < v.height; ++y)
    rows.insert(rows.end(), v.pixels + size_t(y) * v.pitch, v.pixels + size_t(y) * v.pitch + v.width);
  return rows;
}

// The screens of a run on the game's data and of the same run on `folder`.
void ExpectSameScreenshots(const std::string& folder, SimOptions options,
                           const std::vector<KeyChange>& script, const std::string& tag) {
  std::vector<std::vector<uint8_t>> pictures;
  for (const std::string& data : {std::string(ZARVEL_DATA_DIR), folder}) {
    std::string png = folder + "/" + tag + std::to_string(pictures.size()) + ".png";
    options.dataDir = data;
    options.shots = {{options.frames - 50, png}};
    SimRun run = RunSim(options, script);
    if (run.shotsWritten == 0) GTEST_SKIP() << "this build writes no screenshots";
    pictures.push_back(ReadBytes(png));
  }
  EXPECT_GT(pictures[0].size(), 1000u) << tag;
  EXPECT_TRUE(pictures[0] == pictures[1]) << tag;
}
}  // namespace

// What an image editor makes of the art: every sheet but the palette's own
// saved again as 24 bits. The game looks the same.
TEST_F(BitmapFormats, TrueColourSheetsGiveTheSameScreenshots) {
  std::filesystem::path folder = std::filesystem::path(::testing::TempDir()) / "zarvel_truecolour";
  std::error_code error;
  std::filesystem::remove_all(folder, error);
  ASSERT_TRUE(std::filesystem::create_directories(folder, error)) << error.message();
  PaletteEntry palette[PaletteSize];
  BuildPaletteTable("font_.bmp", palette);
  const BitmapFormat trueColour = {"24 bits", 40, 24, 0, false, {}, false};
  for (const char* sheet : SheetFiles) {
    std::string from = std::string(ZARVEL_DATA_DIR) + "/" + sheet, to = (folder / sheet).string();
    std::vector<uint8_t> bytes = ReadBytes(from);
    DecodedBitmap art;
    ASSERT_EQ(DecodeBitmapFile(bytes.data(), bytes.size(), art), 1) << sheet;
    if (std::string(sheet) != "font_.bmp")
      bytes = WriteBitmap(trueColour, art.width, art.height, art.pixels, palette);
    std::ofstream(to, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                              std::streamsize(bytes.size()));
  }
  SimOptions options;
  options.frames = 200;
  ExpectSameScreenshots(folder.string(), options, {KeyChange{0, 0, false, false, false, false}},
                        "title");
  if (IsSkipped()) return;
  options.frames = 400;  // fire held from the start: well into stage 0
  ExpectSameScreenshots(folder.string(), options, {}, "stage");
}

// A lost surface can be restored in the middle of a fade, and the game
// runs on without a palette of its own when none could be made: either way
// the sheet keeps its indices, and its colour key, from the palette bitmap.
TEST_F(BitmapFormats, SheetReloadedDuringAFadeOrWithoutPaletteKeepsItsIndicesAndKey) {
  PaletteEntry normal[PaletteSize], faded[PaletteSize];
  ASSERT_EQ(HostPaletteColours(GamePalette, normal), 1);
  ScreenEffectInit(10, GamePalette);
  ScreenEffectSetMode(FadeToBlack);
  for (int i = 0; i < 5; ++i) ScreenEffectStep();
  ASSERT_EQ(HostPaletteColours(GamePalette, faded), 1);
  ASSERT_NE(faded[255].red, normal[255].red);  // the fade is under way
  PaletteHandle gamePalette = GamePalette;
  for (const char* when : {"during a fade", "without a palette"}) {
    if (std::string(when) == "without a palette") GamePalette = 0;
    SurfaceHandle enemies = SheetSurfaces[EnemySheet];
    std::vector<uint8_t> before = SheetRows(enemies);
    EXPECT_EQ(ReloadBitmap(enemies, "enamy1_.bmp", nullptr, nullptr, 0), DdOk) << when;
    EXPECT_EQ(SheetRows(enemies), before) << when;
    uint32_t key = MatchColour(enemies, TransparentColour);
    ASSERT_LT(key, 256u) << when;
    EXPECT_EQ(normal[key].red, 26) << when;
    EXPECT_EQ(normal[key].blue, 255) << when;
  }
  GamePalette = gamePalette;
}
