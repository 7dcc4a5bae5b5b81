#include <gtest/gtest.h>

#include <vector>

#include "game/media/display.h"
#include "game/media/host/host_display.h"
#include "game/media/screen_effect.h"
#include "game/shell/shared_state.h"
#include "tools/sim/sim.h"

namespace {
// Entry 0 is (0, 100, 255) with flags 4, entry 1 white; the rest grey 128.
class ScreenEffectTest : public ::testing::Test {
 protected:
  void SetUp() override {
    HostSetDataDir(ZARVEL_DATA_DIR);
    ResetWorld();
    PaletteEntry normal[PaletteSize];
    for (PaletteEntry& e : normal) e = {128, 128, 128, 0};
    normal[0] = {0, 100, 255, 4};
    normal[1] = {255, 255, 255, 0};
    ASSERT_EQ(PortCreatePalette(normal, &palette), DdOk);
  }
  void TearDown() override {
    QuitConfirmed.store(0);
    ResetWorld();
  }
  PaletteEntry Shown(int32_t i) {
    PaletteEntry now[PaletteSize];
    HostPaletteColours(palette, now);
    return now[i];
  }
  PaletteHandle palette = 0;
};

void ExpectEntry(PaletteEntry e, int r, int g, int b, const char* name, int step) {
  EXPECT_EQ(e.red, r) << name << " step " << step;
  EXPECT_EQ(e.green, g) << name << " step " << step;
  EXPECT_EQ(e.blue, b) << name << " step " << step;
}
}  // namespace

TEST_F(ScreenEffectTest, InitTakesTheNormalColoursAndADurationOfAtLeastOne) {
  ScreenEffectInit(0, palette);
  EXPECT_EQ(ScreenEffect.duration, 1);
  EXPECT_EQ(ScreenEffect.counter, 0);
  EXPECT_EQ(ScreenEffect.saved[0].blue, 255);
  EXPECT_EQ(ScreenEffect.palette, palette);
  ScreenEffectInit(10, 0);
  EXPECT_EQ(ScreenEffect.duration, -1);
  EXPECT_EQ(ScreenEffect.palette, 0u);
  ScreenEffectSetDuration(5);  // inactive stays inactive
  EXPECT_EQ(ScreenEffect.duration, -1);
  ScreenEffectSetMode(4);
  EXPECT_EQ(ScreenEffectStep(), 1);
}

// The display's palette goes with the display: no later step (an Alt-Tab
// after a fatal error) may write to it.
TEST_F(ScreenEffectTest, ReleasingTheDisplayDetachesThePalette) {
  GamePalette = palette;
  ScreenEffectInit(10, GamePalette);
  ReleaseDisplay();
  EXPECT_EQ(ScreenEffect.palette, 0u);
  EXPECT_EQ(ScreenEffect.duration, -1);
  ScreenEffectSetMode(FadeRestore);
  EXPECT_EQ(ScreenEffectStep(), 1);
  palette = 0;
}

// Entry 0 (0, 100, 255) through whole fades; "normal" rewrites come after.
TEST_F(ScreenEffectTest, CourseOfEachFade) {
  struct Case {
    const char* name;
    int32_t mode, duration;
    std::vector<std::vector<int>> steps;  // r, g, b of entry 0 after each step
  };
  const Case cases[] = {
      {"flash from white, D = 2", 5, 2,
       {{255, 255, 255}, {128, 178, 255}, {0, 100, 255}, {0, 100, 255}}},
      {"in from black, D = 2", 4, 2, {{0, 0, 0}, {0, 50, 127}, {0, 100, 255}, {0, 100, 255}}},
      {"to black, D = 2", 2, 2, {{0, 100, 255}, {0, 50, 128}, {0, 0, 0}, {0, 100, 255}, {0, 100, 255}}},
      {"to white, D = 1", 1, 1, {{0, 100, 255}, {255, 255, 255}, {0, 100, 255}}},
  };
  for (const Case& c : cases) {
    ScreenEffectInit(10, palette);
    ScreenEffectSetMode(c.mode);
    ScreenEffectSetDuration(c.duration);
    ScreenEffectResetCounter();
    for (size_t i = 0; i < c.steps.size(); ++i) {
      EXPECT_EQ(ScreenEffectStep(), 0) << c.name << " step " << i + 1;
      ExpectEntry(Shown(0), c.steps[i][0], c.steps[i][1], c.steps[i][2], c.name, int(i + 1));
      EXPECT_EQ(Shown(0).flags, 4) << c.name;  // flags pass through unchanged
    }
    EXPECT_EQ(ScreenEffect.mode, FadeNone) << c.name;
    EXPECT_EQ(ScreenEffect.counter, c.duration + 1) << c.name;
  }
}

TEST_F(ScreenEffectTest, LongFadeToBlackOfAFullComponent) {
  ScreenEffectInit(10, palette);
  ScreenEffectSetMode(2);
  ScreenEffectResetCounter();
  ScreenEffectSetDuration(120);
  std::vector<int> blue;
  for (int i = 0; i < 121; ++i) {
    ScreenEffectStep();
    blue.push_back(Shown(0).blue);
  }
  EXPECT_EQ(blue[0], 255);
  EXPECT_EQ(blue[1], 253);  // 255 - trunc(255 / 120)
  EXPECT_EQ(blue[120], 0);
  ScreenEffectStep();
  EXPECT_EQ(Shown(0).blue, 255);
}

TEST_F(ScreenEffectTest, QuietModesWriteNothingAndKeepTheCounter) {
  for (int32_t mode : {0, 3, 7, -1}) {
    ScreenEffectInit(10, palette);
    ScreenEffectSetMode(mode);
    ScreenEffect.counter = 4;
    EXPECT_EQ(ScreenEffectStep(), 1) << mode;
    EXPECT_EQ(ScreenEffect.counter, 4) << mode;
    EXPECT_EQ(ScreenEffect.duration, 10) << mode;
  }
}

TEST_F(ScreenEffectTest, FailedWriteMakesTheEffectInactiveForGood) {
  ScreenEffectInit(10, palette);
  ScreenEffectSetMode(5);
  HostFailPaletteWrites(true);
  EXPECT_EQ(ScreenEffectStep(), 1);
  EXPECT_EQ(ScreenEffect.duration, -1);
  HostFailPaletteWrites(false);
  ScreenEffectSetDuration(10);
  ScreenEffectSetMode(5);
  EXPECT_EQ(ScreenEffectStep(), 1);
  ExpectEntry(Shown(0), 0, 100, 255, "after the failure", 2);
}

TEST_F(ScreenEffectTest, NothingHappensOnceQuitIsConfirmed) {
  ScreenEffectInit(10, palette);
  ScreenEffectSetMode(5);
  QuitConfirmed.store(1);
  EXPECT_EQ(ScreenEffectStep(), 1);
  ScreenEffectSetDuration(3);
  EXPECT_EQ(ScreenEffect.duration, 10);
  ExpectEntry(Shown(0), 0, 100, 255, "quit", 1);
}

TEST_F(ScreenEffectTest, RestoreWritesTheNormalColoursAndEnds) {
  ScreenEffectInit(10, palette);
  ScreenEffectSetMode(1);
  ScreenEffect.counter = 10;
  ScreenEffectStep();
  ExpectEntry(Shown(0), 255, 255, 255, "white", 1);
  ScreenEffectSetMode(6);
  EXPECT_EQ(ScreenEffectStep(), 0);
  ExpectEntry(Shown(0), 0, 100, 255, "restored", 2);
  EXPECT_EQ(ScreenEffect.mode, FadeNone);
}
