// The window's scaling, the frame clock's marks, the audio feed, and the
// picture's colours.
#include <gtest/gtest.h>

#include "game/media/sdl2/audio_out.h"
#include "game/shell/sdl2/native_clock.h"
#include "game/shell/sdl2/native_window.h"
#include "game/shell/sdl2/screen_share.h"

namespace {
struct WindowPlaceCase {
  int32_t w, h;
  ScreenPlace place;
};

TEST(NativeWindow, ThePictureTakesTheLargestWholeScaleCentredWithBorders) {
  const WindowPlaceCase cases[] = {
      {640, 480, {1, 0, 0, 640, 480}},
      {1280, 960, {2, 0, 0, 1280, 960}},
      {1279, 960, {1, 319, 240, 640, 480}},   // one pixel short of 2x
      {1920, 1080, {2, 320, 60, 1280, 960}},  // full HD: bars on all sides
      {3840, 2160, {4, 640, 120, 2560, 1920}},
      {2000, 1000, {2, 360, 20, 1280, 960}},
      {320, 200, {1, -160, -140, 640, 480}},  // smaller than the game: cut, centred
  };
  for (const WindowPlaceCase& c : cases) {
    ScreenPlace p = PlaceScreen(c.w, c.h);
    EXPECT_EQ(c.place.scale, p.scale) << c.w << "x" << c.h;
    EXPECT_EQ(c.place.x, p.x) << c.w << "x" << c.h;
    EXPECT_EQ(c.place.y, p.y) << c.w << "x" << c.h;
    EXPECT_EQ(c.place.width, p.width) << c.w << "x" << c.h;
    EXPECT_EQ(c.place.height, p.height) << c.w << "x" << c.h;
  }
}

TEST(NativeWindow, TheFirstScaleIsTheLargestThatFitsAtMostThree) {
  const int32_t cases[][3] = {{1366, 740, 1}, {1920, 1040, 2}, {2560, 1400, 2},
                              {2560, 1600, 3}, {3840, 2100, 3}, {600, 400, 1}};
  for (const auto& c : cases) EXPECT_EQ(c[2], DefaultWindowScale(c[0], c[1])) << c[0] << "x" << c[1];
}

TEST(NativeClock, TheFrameEndsAtTheWaitsOwnMark) {
  // lastTick, frameTime, frameCount -> the tick the wait ends on
  const int32_t cases[][4] = {
      {1000, 0, 5, 1061},    // a stage frame: more than 60 ms since it began
      {1000, 45, 5, 1016},   // 45 ms already gathered
      {1000, 60, 5, 1001},
      {1000, 61, 5, 1001},   // over: the next change of the tick
      {1000, 5000, -1, 1016},// the title: one step of the Windows tick
      {1000, 20, -1, 1041},  // the title's first frame gathers as a stage's
  };
  for (const auto& c : cases)
    EXPECT_EQ(uint32_t(c[3]), FrameMark(uint32_t(c[0]), uint32_t(c[1]), c[2])) << c[0] << " " << c[1] << " " << c[2];
}

TEST(NativeAudio, TheFeedRendersTheClocksTimeOrTopsTheQueueUp) {
  double owed = 0;
  int32_t total = 0;
  for (int i = 0; i < 1000; ++i) total += DrivenFeedFrames(61, owed);
  // 61 s at 22050 Hz; the carried fraction loses at most the last frame,
  // as the simulator's recording, whose arithmetic this is.
  EXPECT_LE(1345049, total);
  EXPECT_GE(1345050, total);
  owed = 0;
  EXPECT_EQ(22, DrivenFeedFrames(1, owed));
  EXPECT_EQ(22, DrivenFeedFrames(1, owed));
  EXPECT_EQ(0, DrivenFeedFrames(0, owed));
  EXPECT_EQ(LiveQueueFrames, LiveFeedFrames(0, LiveQueueFrames));
  EXPECT_EQ(100, LiveFeedFrames(LiveQueueFrames - 100, LiveQueueFrames));
  EXPECT_EQ(0, LiveFeedFrames(LiveQueueFrames + 500, LiveQueueFrames));
}

TEST(NativeWindow, EachIndexShowsInItsPaletteColourOpaque) {
  PaletteEntry colours[PaletteSize] = {};
  colours[0] = {0, 0, 0, 0};
  colours[7] = {0x12, 0x34, 0x56, 0};
  colours[255] = {255, 255, 255, 4};  // the flags byte is no colour
  const uint8_t indices[4] = {7, 0, 255, 7};
  uint32_t pixels[4];
  ConvertScreen(indices, colours, 4, pixels);
  EXPECT_EQ(0xFF123456u, pixels[0]);
  EXPECT_EQ(0xFF000000u, pixels[1]);
  EXPECT_EQ(0xFFFFFFFFu, pixels[2]);
  EXPECT_EQ(0xFF123456u, pixels[3]);
}
}  // namespace
