#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "game/media/host/host_display.h"
#include "game/shell/shared_state.h"
#include "game/shell/title_screen.h"
#include "tests/host/world_fixture.h"

namespace {

// GameLevel as the title left it at each frame wait.
std::vector<int32_t> LevelsOnTitle(const std::string& keys, int64_t frames) {
  std::vector<int32_t> levels;
  SimOptions o;
  o.frames = frames;
  RunSim(o, Keys(keys), [&](int64_t) { levels.push_back(GameLevel); });
  return levels;
}
}  // namespace

using Title = World;

TEST(TitleRules, LevelChangesOnlyOnANewPressAndWraps) {
  struct Case {
    int32_t level, input, previous, want;
  } cases[] = {
      {2, InputRight, 0, 3},
      {2, InputRight, InputRight, 2},  // held: no change
      {4, InputRight, 0, 0},           // VERY HARD!! -> VERY EASY
      {0, InputLeft, 0, 4},            // VERY EASY -> VERY HARD!!
      {1, InputLeft, InputRight, 0},
      {2, InputRight & ~0xFFFF, 0, 3},  // the joystick's right
      // Key and stick are one direction: taking over from the other, or
      // joining it, is no new press.
      {2, InputLeft & ~0xFFFF, InputLeft & 0xFFFF, 2},
      {2, InputLeft, InputLeft & 0xFFFF, 2},
      {2, InputRight, InputRight & ~0xFFFF, 2},
      {2, InputLeft & 0xFFFF, InputRight, 1},
      {2, InputUp | InputFire, 0, 2},
  };
  for (const Case& c : cases)
    EXPECT_EQ(NextLevel(c.level, c.input, c.previous), c.want)
        << "level " << c.level << " input " << std::hex << c.input << " previous " << c.previous;
}

TEST(TitleRules, MarkerAndLabelPlaces) {
  struct Case {
    int32_t level, markerX, labelX;
  } cases[] = {
      {0, 332, 320 - 13 * 12 / 2}, {1, 356, 272}, {2, 380, 266}, {3, 404, 266}, {4, 428, 230},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LevelMarkerX(c.level), c.markerX) << LevelLabels[c.level];
    EXPECT_EQ(LevelLabelX(LevelLabels[c.level]), c.labelX) << LevelLabels[c.level];
  }
}

TEST_F(Title, HoldingRightChangesTheLevelOnceEachPress) {
  // Frames: 2 right held to 6, released, right again at 8, left at 10.
  std::vector<int32_t> levels = LevelsOnTitle("0\n2 right\n6\n8 right\n9\n10 left\n11\n", 13);
  ASSERT_EQ(levels.size(), 13u);
  std::vector<int32_t> want = {2, 2, 2, 3, 3, 3, 3, 3, 3, 4, 4, 3, 3};
  EXPECT_EQ(levels, want);
}

TEST_F(Title, TextsInTheirColoursAndRectangles) {
  HostClearTexts();
  SimOptions o;
  o.frames = 3;
  RunSim(o, Keys("0\n"));
  const std::vector<HostText>& t = HostTexts();
  ASSERT_GE(t.size(), 6u);
  struct Want {
    const char* text;
    Rect rect;
    uint8_t r, g, b;
    int32_t withFont;
  } want[] = {
      {"ZARVEL", {0, 96, 639, 480}, 224, 63, 63, 1},  // the red copy, one pixel in on frame 1
      {"ZARVEL", {0, 96, 640, 480}, 160, 223, 255, 1},
      {HelpText, {128, 192, 512, 480}, 255, 255, 255, 0},
      {"ZARVEL", {0, 96, 638, 480}, 224, 63, 63, 1},
  };
  for (size_t i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(t[i].text, want[i].text);
    EXPECT_EQ(t[i].rect.left, want[i].rect.left);
    EXPECT_EQ(t[i].rect.top, want[i].rect.top);
    EXPECT_EQ(t[i].rect.right, want[i].rect.right);
    EXPECT_EQ(t[i].rect.bottom, want[i].rect.bottom);
    EXPECT_EQ((std::vector<int>{t[i].red, t[i].green, t[i].blue}),
              (std::vector<int>{want[i].r, want[i].g, want[i].b}));
    EXPECT_EQ(t[i].withFont, want[i].withFont);
  }
  EXPECT_EQ(HostLiveFonts(), 0);  // the title font is gone with the screen
}

TEST_F(Title, WithoutItsFontTheTitleIsStillDrawn) {
  HostClearTexts();
  HostFailFonts(true);
  SimOptions o;
  o.frames = 2;
  RunSim(o, Keys("0\n"));
  HostFailFonts(false);
  ASSERT_GE(HostTexts().size(), 3u);
  EXPECT_EQ(HostTexts()[1].text, "ZARVEL");
  EXPECT_EQ(HostTexts()[1].withFont, 0);
}

TEST_F(Title, TitleColoursReachTheScreen) {
  // The palette holds both colours exactly, so GDI's nearest match is exact.
  std::vector<uint8_t> indices;
  PaletteEntry colours[PaletteSize];
  SimOptions o;
  o.frames = 3;
  int32_t shown = 0;
  RunSim(o, Keys("0\n"), [&](int64_t frame) {
    if (frame == 2) shown = HostScreenImage(indices, colours);
  });
  ASSERT_TRUE(shown);
  bool red = false, blue = false;
  for (uint8_t i : indices) {
    const PaletteEntry& c = colours[i];
    red = red || (c.red == 224 && c.green == 63 && c.blue == 63);
    blue = blue || (c.red == 160 && c.green == 223 && c.blue == 255);
  }
  EXPECT_TRUE(red);
  EXPECT_TRUE(blue);
}

TEST_F(Title, FireOrPauseStartsTheGame) {
  struct Case {
    const char* keys;
  } cases[] = {{"0\n3 fire\n"}, {"0\n3 pause\n"}};
  for (const Case& c : cases) {
    ResetWorld();
    SimOptions o;
    o.frames = 8;
    int64_t started = -1;
    RunSim(o, Keys(c.keys), [&](int64_t frame) {
      if (started < 0 && MusicWanted.load() == 1) started = frame;
    });
    EXPECT_EQ(started, 4) << c.keys;  // the title's last frame is 3
  }
}
