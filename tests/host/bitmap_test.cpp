#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "game/media/bitmap.h"
#include "game/media/bitmap_surface.h"
#include "game/media/display.h"
#include "game/media/host/host_display.h"
#include "game/media/stage_sheets.h"
#include "game/shell/host/host_system.h"
#include "game/shell/shared_state.h"
#include "tests/host/world_fixture.h"
#include "tools/sim/sim.h"

namespace {
void Put16(std::vector<uint8_t>& b, size_t at, uint16_t v) {
  b[at] = uint8_t(v);
  b[at + 1] = uint8_t(v >> 8);
}

// An 8-bit bitmap file whose pixel (x, y) is pixel(x, y); rows padded to 4.
template <class Pixel>
std::vector<uint8_t> BitmapFile(int32_t w, int32_t h, Pixel pixel, bool topDown = false) {
  size_t stride = (size_t(w) + 3) & ~size_t(3);
  std::vector<uint8_t> b(54 + 1024 + stride * h, 0);
  b[0] = 'B', b[1] = 'M';
  Put32(b, 2, uint32_t(b.size()));
  Put32(b, 10, 54 + 1024);
  Put32(b, 14, 40);
  Put32(b, 18, uint32_t(w));
  Put32(b, 22, uint32_t(topDown ? -h : h));
  Put16(b, 26, 1);
  Put16(b, 28, 8);
  // The game's own colour table, so the indices reach the sheets unchanged.
  std::FILE* font = std::fopen(ZARVEL_DATA_DIR "/font_.bmp", "rb");
  EXPECT_NE(font, nullptr);
  if (font) {
    EXPECT_EQ(std::fseek(font, 54, SEEK_SET), 0);
    EXPECT_EQ(std::fread(&b[54], 1, 1024, font), 1024u);
    std::fclose(font);
  }
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x)
      b[54 + 1024 + size_t(topDown ? y : h - 1 - y) * stride + x] = pixel(x, y);
  return b;
}

uint8_t Ramp(int32_t x, int32_t y) { return uint8_t(x + 16 * y); }

std::vector<uint8_t> AsResource(const std::vector<uint8_t>& file) {
  return std::vector<uint8_t>(file.begin() + 14, file.end());
}

// A fresh, empty folder of the test's own (std::filesystem, so it works
// under Wine too).
std::string TempFolder(const char* name) {
  std::filesystem::path folder = std::filesystem::path(::testing::TempDir()) / (std::string("zarvel_") + name);
  std::error_code error;
  std::filesystem::remove_all(folder, error);
  EXPECT_TRUE(std::filesystem::create_directories(folder, error)) << error.message();
  return folder.string();
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr) << path;
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

std::vector<uint8_t> Rows(SurfaceHandle s) {
  HostSurfaceView v = HostSurface(s);
  std::vector<uint8_t> rows;
  for (int32_t y = 0; y < v.height; ++y) rows.insert(rows.end(), v.pixels + size_t(y) * v.pitch,
                                                     v.pixels + size_t(y) * v.pitch + v.width);
  return rows;
}

std::vector<uint8_t> Picture(int32_t w, int32_t h, uint8_t (*pixel)(int32_t, int32_t)) {
  std::vector<uint8_t> p;
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) p.push_back(pixel(x, y));
  return p;
}

using BitmapTest = World;
}  // namespace

TEST(BitmapDecoder, RowsComeOutTopFirstWithoutPadding) {
  for (bool topDown : {false, true}) {
    std::vector<uint8_t> file = BitmapFile(3, 4, Ramp, topDown);
    DecodedBitmap b;
    ASSERT_EQ(DecodeBitmapFile(file.data(), file.size(), b), 1) << topDown;
    EXPECT_EQ(b.width, 3);
    EXPECT_EQ(b.height, 4);
    EXPECT_EQ(b.pixels, Picture(3, 4, Ramp)) << topDown;
    std::vector<uint8_t> resource = AsResource(file);
    ASSERT_EQ(DecodeBitmapResource(resource.data(), resource.size(), b), 1) << topDown;
    EXPECT_EQ(b.pixels, Picture(3, 4, Ramp)) << topDown;
  }
}

TEST(BitmapDecoder, RefusesWhatWindowsWouldNotLoad) {
  struct Case {
    const char* name;
    size_t at;
    int width;  // 2 or 4 bytes
    uint32_t value;
  };
  const Case cases[] = {
      {"wrong magic", 0, 2, 0x4142},
      {"header of 64 bytes", 14, 4, 64},
      {"V5 header, its table past the end", 14, 4, 124},
      {"2 bits", 28, 2, 2},
      {"0 bits", 28, 2, 0},
      {"two planes", 26, 2, 2},
      {"8 bits coded as 4", 30, 4, 2},
      {"8 bits with masks", 30, 4, 3},
      {"JPEG inside", 30, 4, 4},
      {"PNG inside", 30, 4, 5},
      {"zero width", 18, 4, 0},
      {"negative width", 18, 4, uint32_t(-5)},
      {"zero height", 22, 4, 0},
      {"lowest height", 22, 4, 0x80000000u},
      {"too wide", 18, 4, 100000},
      {"wider than the data", 18, 4, 4000},
      {"taller than the data", 22, 4, 4000},
      {"rows past the end", 10, 4, 0x7FFFFFF0u},
      {"rows start at the end", 10, 4, 54 + 1024 + 64},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> file = BitmapFile(8, 8, Ramp);
    c.width == 2 ? Put16(file, c.at, uint16_t(c.value)) : Put32(file, c.at, c.value);
    DecodedBitmap b;
    EXPECT_EQ(DecodeBitmapFile(file.data(), file.size(), b), 0) << c.name;
    EXPECT_TRUE(b.pixels.empty()) << c.name;
  }
}

// Every cut of a good file: the decoder reads nothing past what it was given.
TEST(BitmapDecoder, TruncatedFilesAreRefusedAtEveryLength) {
  std::vector<uint8_t> file = BitmapFile(5, 3, Ramp);
  size_t lastRowEnd = 54 + 1024 + 8 * 2 + 5;  // the last row needs no padding
  for (size_t n = 0; n < file.size(); ++n) {
    std::vector<uint8_t> cut(file.begin(), file.begin() + n);  // exact size for ASan
    DecodedBitmap b;
    EXPECT_EQ(DecodeBitmapFile(cut.data(), cut.size(), b), n >= lastRowEnd ? 1 : 0) << n;
  }
}

TEST_F(BitmapTest, SheetHoldsTheBitmapsIndicesUnchanged) {
  std::string folder = TempFolder("sheet");
  WriteBytes(folder + "/x.bmp", BitmapFile(7, 5, Ramp));
  HostSetDataDir(folder);
  int32_t w = 0, h = 0;
  SurfaceHandle s = LoadBitmapSurface("x.bmp", &w, &h, 0);
  ASSERT_NE(s, 0u);
  EXPECT_EQ(w, 7);
  EXPECT_EQ(h, 5);
  EXPECT_EQ(Rows(s), Picture(7, 5, Ramp));
  EXPECT_EQ(LoadBitmapSurface("missing.bmp", &w, &h, 0), 0u);
}

TEST_F(BitmapTest, ReloadStretchesToTheSurfaceAndFailsWithoutABitmap) {
  std::string folder = TempFolder("reload");
  WriteBytes(folder + "/x.bmp", BitmapFile(2, 2, Ramp));
  HostSetDataDir(folder);
  SurfaceHandle s = 0;
  ASSERT_EQ(PortCreateSurface(4, 2, &s), DdOk);
  int32_t w = 0, h = 0;
  EXPECT_EQ(ReloadBitmap(s, "x.bmp", &w, &h, 1), DdOk);
  EXPECT_EQ(w, 2);
  const std::vector<uint8_t> stretched = {0, 0, 1, 1, 16, 16, 17, 17};
  EXPECT_EQ(Rows(s), stretched);
  EXPECT_EQ(ReloadBitmap(s, "missing.bmp", &w, &h, 1), DderrGeneric);
  ASSERT_FALSE(HostDebugLines().empty());
  EXPECT_EQ(HostDebugLines().back(), "handle is null\n");
}

TEST_F(BitmapTest, ProgramResourceComesBeforeTheFileWhenAModuleIsGiven) {
  std::string folder = TempFolder("resource");
  WriteBytes(folder + "/x.bmp", BitmapFile(2, 1, [](int32_t, int32_t) { return uint8_t(1); }));
  HostSetDataDir(folder);
  HostAddBitmapResource("x.bmp", AsResource(BitmapFile(2, 1, [](int32_t, int32_t) { return uint8_t(2); })));
  SurfaceHandle s = LoadBitmapSurface("x.bmp", nullptr, nullptr, 0);  // no module: the file
  EXPECT_EQ(Rows(s), std::vector<uint8_t>({1, 1}));
  EXPECT_EQ(ReloadBitmap(s, "x.bmp", nullptr, nullptr, 1), DdOk);
  EXPECT_EQ(Rows(s), std::vector<uint8_t>({2, 2}));
}

TEST_F(BitmapTest, MatchColourLeavesPixelZeroAsItWas) {
  SurfaceHandle s = SheetSurfaces[EnemySheet];
  HostPokeSurface(s, 0, 0, 77);
  PaletteEntry table[PaletteSize];
  ASSERT_EQ(HostPaletteColours(GamePalette, table), 1);
  // The nearest entry to the transparent colour is the one the sheets use for it.
  uint32_t key = MatchColour(s, TransparentColour);
  EXPECT_EQ(table[key].red, 26);
  EXPECT_EQ(table[key].green, 3);
  EXPECT_EQ(table[key].blue, 255);
  EXPECT_EQ(HostSurface(s).pixels[0], 77);
  EXPECT_EQ(MatchColour(s, ClrInvalid), 77u);  // no colour: pixel (0, 0) as it is
  HostFailLocks(true);
  EXPECT_EQ(MatchColour(s, TransparentColour), 0xFFFFFFFFu);
  EXPECT_EQ(HostSurface(s).pixels[0], 77);
}

TEST_F(BitmapTest, StageSheetsAreKeyedOnlyWhereSpritesLive) {
  ReplaceStageSheets(0);
  struct Case {
    int32_t slot;
    bool keyed;
  };
  for (Case c : {Case{FontSheet, true}, {CommonSheet, true}, {BackSheet, false},
                 {BlockSheet, false}, {EnemySheet, true}, {BossSheet, true}}) {
    HostSurfaceView v = HostSurface(SheetSurfaces[c.slot]);
    ASSERT_NE(v.pixels, nullptr) << c.slot;
    EXPECT_EQ(v.hasColourKey, c.keyed) << c.slot;
  }
}

TEST_F(BitmapTest, EachStageLoadsItsOwnFilesAgain) {
  for (int32_t stage : {0, 1, 2}) {
    HostClearFileReads();
    LoadStageSheets(stage);
    std::vector<std::string> expected = {stage == 0 ? "back_.bmp" : "back2_.bmp", "block1_.bmp",
                                         "enamy1_.bmp", "boss1_.bmp"};
    EXPECT_EQ(HostFileReads(), expected) << stage;
  }
  EXPECT_EQ(HostDisplayMisuse(), 0);
}

TEST_F(BitmapTest, StageSheetWaitIsCutShortByAHeldControl) {
  struct Case {
    int32_t input;
    uint32_t slept;
  };
  for (Case c : {Case{0, 1500}, {InputFire & 0xFFFF, 500}, {InputUp & 0xFFFF0000, 500}}) {
    HostResetSystem();
    InputState.store(c.input);
    LoadStageSheets(0);
    EXPECT_EQ(HostSleepTotal(), c.slept) << c.input;
  }
  InputState.store(0);
}

TEST_F(BitmapTest, MissingBackgroundLeavesItsSheetEmptyAndTheStageRuns) {
  std::string folder = TempFolder("nobackground");
  for (const char* name : {"font_.bmp", "comm_.bmp", "block1_.bmp", "enamy1_.bmp", "boss1_.bmp"}) {
    std::error_code error;
    std::filesystem::copy_file(std::filesystem::path(ZARVEL_DATA_DIR) / name,
                               std::filesystem::path(folder) / name, error);
    ASSERT_FALSE(error) << name << ": " << error.message();
  }
  HostSetDataDir(folder);
  SimOptions options;
  options.frames = 200;
  options.recordBlits = true;
  SimRun run = RunSim(options, {});
  ASSERT_EQ(run.stages.size(), 1u);
  EXPECT_STREQ(run.stages[0].result, "Running");
  EXPECT_GT(run.stages[0].frames, 100);
  int32_t asked = 0, background = 0, common = 0;
  for (const HostBlit& b : HostBlitRequests()) asked += b.sheet == BackSheet;
  for (const HostBlit& b : HostBlits()) background += b.sheet == BackSheet, common += b.sheet == CommonSheet;
  EXPECT_GT(asked, 100);  // the stage tried to draw its background ...
  EXPECT_EQ(background, 0);  // ... and nothing reached the display
  EXPECT_GT(common, 100);
}
