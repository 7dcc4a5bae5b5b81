#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "game/media/display.h"
#include "game/media/host/host_display.h"
#include "game/media/screen_effect.h"
#include "game/shell/observers.h"
#include "game/shell/shared_state.h"
#include "game/shell/shutdown.h"
#include "tests/win32/display_scene_test.h"
#include "tools/sim/sim.h"

namespace {
class DisplayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    HostSetDataDir(ZARVEL_DATA_DIR);
    ResetWorld();
  }
  void TearDown() override { ResetWorld(); }
};

uint8_t PatternAt(int32_t x, int32_t y) { return uint8_t((x * 7 + y * 13) % 251 + 1); }

// A sheet whose every pixel says where it came from; slot BackSheet.
SurfaceHandle PatternSheet(int32_t w, int32_t h) {
  SurfaceHandle s = 0;
  EXPECT_EQ(PortCreateSurface(w, h, &s), DdOk);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) HostPokeSurface(s, x, y, PatternAt(x, y));
  PortReleaseSurface(SheetSurfaces[BackSheet]);
  SheetSurfaces[BackSheet] = s;
  return s;
}

uint8_t BackPixel(int32_t x, int32_t y) {
  HostSurfaceView v = HostSurface(BackBuffer);
  return v.pixels[size_t(y) * v.pitch + x];
}

std::vector<std::string> CallsStartingWith(const std::string& prefix) {
  std::vector<std::string> found;
  for (const std::string& c : HostDisplayCalls())
    if (c.compare(0, prefix.size(), prefix) == 0) found.push_back(c);
  return found;
}

std::string Restore(SurfaceHandle s) { return "restore " + std::to_string(s); }

// What a restore that goes well does to a sheet: the restore, then the reload
// (which restores again before it copies).
void RestoredAndReloaded(std::vector<std::string>& calls, SurfaceHandle s) {
  calls.push_back(Restore(s));
  calls.push_back(Restore(s));
}
}  // namespace

TEST_F(DisplayTest, BlitClippedCutsTheSourceAtTheScreenEdges) {
  struct Case {
    const char* name;
    int32_t x, y;
    Rect rect;
    bool drawn;
    int32_t toX, toY;
    Rect cut;
  };
  const Case cases[] = {
      {"left edge", -5, 10, {0, 0, 16, 16}, true, 0, 10, {5, 0, 16, 16}},
      {"right edge", 630, 10, {0, 0, 16, 16}, true, 630, 10, {0, 0, 10, 16}},
      {"ends at column 639", 624, 10, {0, 0, 16, 16}, true, 624, 10, {0, 0, 16, 16}},
      {"ends at row 479", 10, 464, {0, 0, 16, 16}, true, 10, 464, {0, 0, 16, 16}},
      {"top edge", 10, -3, {32, 32, 48, 48}, true, 10, 0, {32, 35, 48, 48}},
      {"bottom edge", 10, 470, {32, 32, 48, 48}, true, 10, 470, {32, 32, 48, 42}},
      {"whole screen", 0, 0, {0, 0, 640, 480}, true, 0, 0, {0, 0, 640, 480}},
      {"screen 100 rows up", 0, -100, {0, 0, 640, 480}, true, 0, 0, {0, 100, 640, 480}},
      {"corner", -4, -6, {0, 0, 16, 16}, true, 0, 0, {4, 6, 16, 16}},
      {"wholly left", -16, 10, {0, 0, 16, 16}, false, 0, 0, {}},
      {"far left", -500, 10, {0, 0, 16, 16}, false, 0, 0, {}},
      {"wholly right", 640, 10, {0, 0, 16, 16}, false, 0, 0, {}},
      {"wholly above", 10, -16, {0, 0, 16, 16}, false, 0, 0, {}},
      {"wholly below", 10, 480, {0, 0, 16, 16}, false, 0, 0, {}},
      {"no width", 10, 10, {5, 0, 5, 16}, false, 0, 0, {}},
      {"negative height", 10, 10, {0, 16, 16, 0}, false, 0, 0, {}},
  };
  PatternSheet(640, 480);
  for (const Case& c : cases) {
    HostResetDisplay();
    PatternSheet(640, 480);
    BlitClipped(c.x, c.y, c.rect, BlitOpaque, BackSheet);
    ASSERT_EQ(HostBlits().size(), c.drawn ? 1u : 0u) << c.name;
    if (!c.drawn) continue;
    const HostBlit& b = HostBlits()[0];
    EXPECT_EQ(b.x, c.toX) << c.name;
    EXPECT_EQ(b.y, c.toY) << c.name;
    EXPECT_EQ(b.source.left, c.cut.left) << c.name;
    EXPECT_EQ(b.source.top, c.cut.top) << c.name;
    EXPECT_EQ(b.source.right, c.cut.right) << c.name;
    EXPECT_EQ(b.source.bottom, c.cut.bottom) << c.name;
    EXPECT_EQ(LastDisplayResult, DdOk) << c.name;
    // The first and last pixel of the copy land where the cut says.
    int32_t w = c.cut.right - c.cut.left, h = c.cut.bottom - c.cut.top;
    EXPECT_EQ(BackPixel(c.toX, c.toY), PatternAt(c.cut.left, c.cut.top)) << c.name;
    EXPECT_EQ(BackPixel(c.toX + w - 1, c.toY + h - 1), PatternAt(c.cut.right - 1, c.cut.bottom - 1))
        << c.name;
  }
}

TEST_F(DisplayTest, AnOffScreenSpriteDoesNotDisturbTheNextBlit) {
  PatternSheet(64, 64);
  BlitClipped(-40, 5, Rect{0, 0, 16, 16}, BlitOpaque, BackSheet);
  BlitClipped(8, 9, Rect{0, 0, 16, 16}, BlitOpaque, BackSheet);
  ASSERT_EQ(HostBlits().size(), 1u);
  EXPECT_EQ(BackPixel(8, 9), PatternAt(0, 0));
  EXPECT_EQ(BackPixel(23, 24), PatternAt(15, 15));
}

TEST_F(DisplayTest, ColourKeyedBlitLeavesKeyPixelsAlone) {
  SurfaceHandle s = PatternSheet(4, 1);
  HostPokeSurface(s, 1, 0, 200);
  PortSetColourKey(s, 200);
  FillBackBuffer(9);
  BlitClipped(0, 0, Rect{0, 0, 4, 1}, BlitColourKey, BackSheet);
  EXPECT_EQ(BackPixel(0, 0), PatternAt(0, 0));
  EXPECT_EQ(BackPixel(1, 0), 9);
  EXPECT_EQ(BackPixel(2, 0), PatternAt(2, 0));
  BlitClipped(0, 0, Rect{0, 0, 4, 1}, BlitOpaque, BackSheet);
  EXPECT_EQ(BackPixel(1, 0), 200);
  // Keyed from a sheet never given a key: keyed on index 0, as DirectDraw does.
  s = PatternSheet(4, 1);
  HostPokeSurface(s, 2, 0, 0);
  FillBackBuffer(9);
  BlitClipped(0, 0, Rect{0, 0, 4, 1}, BlitColourKey, BackSheet);
  EXPECT_EQ(LastDisplayResult, DdOk);
  EXPECT_EQ(BackPixel(1, 0), PatternAt(1, 0));
  EXPECT_EQ(BackPixel(2, 0), 9);
}

// Nothing reaches the display once quitting is confirmed: the main thread is
// about to release it.
TEST_F(DisplayTest, NothingReachesThePortWhileQuitIsConfirmed) {
  QuitConfirmed.store(1);
  BlitClipped(10, 10, Rect{0, 0, 16, 16}, BlitColourKey, CommonSheet);
  PresentFrame();
  FillBackBuffer(0);
  EXPECT_EQ(HostBlitCount(), 0);
  EXPECT_EQ(HostFlipCount(), 0);
  EXPECT_EQ(HostFillCount(), 0);
  EXPECT_EQ(HostBlitRequests().size(), 1u);
}

TEST_F(DisplayTest, EmptySheetOrMissingBackBufferDrawsNothing) {
  PortReleaseSurface(SheetSurfaces[BossSheet]);
  SheetSurfaces[BossSheet] = 0;
  BlitClipped(10, 10, Rect{0, 0, 16, 16}, BlitColourKey, BossSheet);
  BlitClipped(10, 10, Rect{0, 0, 16, 16}, BlitColourKey, 7);
  EXPECT_EQ(HostBlitCount(), 0);
  ReleaseDisplay();
  BlitClipped(10, 10, Rect{0, 0, 16, 16}, BlitColourKey, CommonSheet);
  PresentFrame();
  EXPECT_EQ(HostBlitCount(), 0);
  EXPECT_EQ(HostFlipCount(), 0);
  EXPECT_EQ(HostDisplayMisuse(), 0);
}

TEST_F(DisplayTest, BusyBlitterIsAskedAgainUntilTheBlitGoesThrough) {
  PatternSheet(16, 16);
  HostStillDrawing(3);
  BlitClipped(0, 0, Rect{0, 0, 16, 16}, BlitOpaque, BackSheet);
  EXPECT_EQ(HostBlitCount(), 4);
  EXPECT_EQ(LastDisplayResult, DdOk);
  EXPECT_EQ(BackPixel(15, 15), PatternAt(15, 15));
  HostStillDrawing(2);
  PresentFrame();
  EXPECT_EQ(HostFlipCount(), 3);
  EXPECT_EQ(LastDisplayResult, DdOk);
}

TEST_F(DisplayTest, RefusedBlitIsDroppedAndReported) {
  PatternSheet(16, 16);
  BlitClipped(0, 0, Rect{8, 0, 24, 16}, BlitOpaque, BackSheet);  // past the sheet's right side
  EXPECT_EQ(HostBlitCount(), 1);
  EXPECT_EQ(LastDisplayResult, DderrInvalidRect);
  EXPECT_EQ(BackPixel(0, 0), 0);
}

TEST_F(DisplayTest, LostSurfaceDropsTheSpriteAndReloadsAllSixSheets) {
  StageNumber = 1;
  HostResetDisplay();
  HostSurfaceView font = HostSurface(SheetSurfaces[FontSheet]);
  std::vector<uint8_t> fontPixels(font.pixels, font.pixels + size_t(font.pitch) * font.height);
  FillBackBuffer(0);
  HostLoseAllSurfaces();
  BlitClipped(0, 0, Rect{0, 0, 16, 16}, BlitOpaque, FontSheet);
  EXPECT_EQ(LastDisplayResult, DdOk);  // the restore's result
  EXPECT_EQ(HostBlitCount(), 1);       // dropped, not retried
  EXPECT_EQ(BackPixel(0, 0), 0xCD);    // what a restored surface holds: not the glyph
  const std::vector<std::string> reads = {"font_.bmp",   "comm_.bmp",   "back2_.bmp",
                                          "block1_.bmp", "enamy1_.bmp", "boss1_.bmp"};
  EXPECT_EQ(HostFileReads(), reads);
  std::vector<std::string> restores = {Restore(PrimarySurface)};
  for (SurfaceHandle s : SheetSurfaces) RestoredAndReloaded(restores, s);
  EXPECT_EQ(CallsStartingWith("restore"), restores);
  font = HostSurface(SheetSurfaces[FontSheet]);
  EXPECT_EQ(std::vector<uint8_t>(font.pixels, font.pixels + fontPixels.size()), fontPixels);
  EXPECT_TRUE(font.hasColourKey);  // keys stay through a restore
  // The next frame draws normally.
  BlitClipped(0, 0, Rect{0, 0, 16, 16}, BlitOpaque, FontSheet);
  EXPECT_EQ(BackPixel(0, 0), font.pixels[0]);
  EXPECT_EQ(LastDisplayResult, DdOk);
}

TEST_F(DisplayTest, LostSurfaceAtTheFlipRestoresEverything) {
  HostLoseAllSurfaces();
  PresentFrame();
  EXPECT_EQ(HostFlipCount(), 1);
  EXPECT_EQ(CallsStartingWith("restore").size(), 13u);
  EXPECT_FALSE(HostSurface(PrimarySurface).lost);
}

TEST_F(DisplayTest, FailedStageSheetRestoreIsFatalAndStopsTheOthers) {
  HostFailRestore(SheetSurfaces[BlockSheet], -1, DderrGeneric);
  HostLoseAllSurfaces();
  BlitClipped(0, 0, Rect{0, 0, 16, 16}, BlitColourKey, CommonSheet);
  EXPECT_EQ(FatalErrorCode.load(), 6);
  EXPECT_EQ(LastDisplayResult, DderrGeneric);
  std::vector<std::string> restores = {Restore(PrimarySurface)};
  for (int32_t slot : {FontSheet, CommonSheet, BackSheet}) RestoredAndReloaded(restores, SheetSurfaces[slot]);
  restores.push_back(Restore(SheetSurfaces[BlockSheet]));
  EXPECT_EQ(CallsStartingWith("restore"), restores);
  EXPECT_TRUE(HostSurface(SheetSurfaces[EnemySheet]).lost);
  // Once fatal, later losses restore nothing.
  HostClearDisplayCalls();
  BlitClipped(0, 0, Rect{0, 0, 16, 16}, BlitColourKey, CommonSheet);
  EXPECT_EQ(LastDisplayResult, DdOk);
  EXPECT_TRUE(CallsStartingWith("restore").empty());
}

TEST_F(DisplayTest, FailedStartUpSheetRestoreIsPassedOver) {
  HostFailRestore(SheetSurfaces[FontSheet], 1, DderrGeneric);
  HostLoseAllSurfaces();
  EXPECT_EQ(RestoreSurfaces(), DdOk);  // the last restore, BossSheet's, went well
  EXPECT_EQ(FatalErrorCode.load(), 0);
  EXPECT_TRUE(HostSurface(SheetSurfaces[FontSheet]).lost);
  EXPECT_FALSE(HostSurface(SheetSurfaces[CommonSheet]).lost);
  EXPECT_EQ(HostFileReads().size(), 5u);  // no font reload
}

TEST_F(DisplayTest, FailedPrimaryRestoreIsReturnedAndTriedAgainNextTime) {
  HostFailRestore(PrimarySurface, 1, DderrGeneric);
  HostLoseAllSurfaces();
  PresentFrame();
  EXPECT_EQ(LastDisplayResult, DderrGeneric);
  EXPECT_EQ(CallsStartingWith("restore").size(), 1u);
  PresentFrame();
  EXPECT_EQ(LastDisplayResult, DdOk);
  EXPECT_EQ(CallsStartingWith("restore").size(), 14u);
}

TEST_F(DisplayTest, RestoreDuringShutdownTouchesNothing) {
  HostLoseAllSurfaces();
  ShuttingDown.store(1);
  EXPECT_EQ(RestoreSurfaces(), DdOk);
  EXPECT_TRUE(CallsStartingWith("restore").empty());
  EXPECT_TRUE(HostFileReads().empty());
}

TEST_F(DisplayTest, FlipShowsTheBackBufferAndFillClearsIt) {
  FillBackBuffer(42);
  PresentFrame();
  std::vector<uint8_t> screen;
  PaletteEntry colours[PaletteSize];
  ASSERT_EQ(HostScreenImage(screen, colours), 1);
  EXPECT_EQ(screen.front(), 42);
  EXPECT_EQ(screen.back(), 42);
  EXPECT_EQ(HostFillCount(), 1);
}

TEST_F(DisplayTest, ShutdownReleasesInDependencyOrder) {
  SurfaceHandle primary = PrimarySurface;
  PaletteHandle palette = GamePalette;
  std::vector<std::string> expected = {"release " + std::to_string(primary)};
  for (SurfaceHandle s : SheetSurfaces) expected.push_back("release " + std::to_string(s));
  expected.push_back("release palette " + std::to_string(palette));
  expected.push_back("release ddraw");
  HostClearDisplayCalls();
  ReleaseDisplay();
  EXPECT_EQ(HostDisplayCalls(), expected);
  EXPECT_EQ(PrimarySurface | BackBuffer | GamePalette, 0u);
  for (SurfaceHandle s : SheetSurfaces) EXPECT_EQ(s, 0u);
  EXPECT_EQ(HostDisplayMisuse(), 0);  // the back buffer went with the primary
  ReleaseDisplay();
  EXPECT_EQ(HostDisplayMisuse(), 0);  // and a second release does nothing
}

namespace {
// A Shutdown started on another thread from inside a palette write, as the
// game thread may start it after a fatal error while the main thread writes
// the palette back on activation.
std::thread Shutting;
std::atomic<int32_t> ShutdownWaited{0}, ShutdownDone{0};
int32_t PaletteAliveMeanwhile = -1;

void ShutdownFromAnotherThread() {
  HostOnPaletteWrite(nullptr);
  PaletteHandle palette = GamePalette;
  Shutting = std::thread([] {
    Shutdown();
    ShutdownDone.store(1);
  });
  // Until the shutdown waits for this write, or is over without waiting.
  auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (!ShutdownWaited.load() && !ShutdownDone.load() && std::chrono::steady_clock::now() < limit)
    std::this_thread::yield();
  PaletteEntry colours[PaletteSize];
  PaletteAliveMeanwhile = ShutdownDone.load() ? 0 : HostPaletteColours(palette, colours);
}
}  // namespace

TEST_F(DisplayTest, ActivationRestoreAndShutdownNeverMeetOnThePalette) {
  enum When { NoShutdown, ShutdownFirst, ShutdownDuringTheWrite };
  struct Case {
    const char* name;
    When shutdown;
    int32_t restored;
  } cases[] = {{"no shutdown", NoShutdown, 1},
               {"shutdown first", ShutdownFirst, 0},
               {"shutdown during the write", ShutdownDuringTheWrite, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ResetWorld();
    ScreenEffectInit(10, GamePalette);
    ShutdownWaited.store(0), ShutdownDone.store(0), PaletteAliveMeanwhile = -1;
    OnShutdownWaitsForPalette = [] { ShutdownWaited.store(1); };
    if (c.shutdown == ShutdownFirst) Shutdown();
    if (c.shutdown == ShutdownDuringTheWrite) HostOnPaletteWrite(ShutdownFromAnotherThread);
    EXPECT_EQ(RestorePaletteOnActivation(), c.restored);
    if (Shutting.joinable()) Shutting.join();
    OnShutdownWaitsForPalette = nullptr;
    EXPECT_EQ(HostDisplayMisuse(), 0);
    EXPECT_EQ(GamePalette == 0, c.shutdown != NoShutdown);
    if (c.shutdown == ShutdownDuringTheWrite) {
      EXPECT_EQ(ShutdownWaited.load(), 1);
      EXPECT_EQ(PaletteAliveMeanwhile, 1) << "the palette was released under the write";
    }
  }
}

TEST_F(DisplayTest, InitDisplayStopsAtTheFirstFailingStep) {
  constexpr int32_t Failure = static_cast<int32_t>(0x88760091u);  // DDERR_INVALIDMODE
  for (int32_t step = 1; step <= 5; ++step) {
    ReleaseDisplay();
    HostFailInitStep(step, Failure);
    EXPECT_EQ(InitDisplay(0), Failure) << step;
    EXPECT_EQ(DisplayCreated, step > 1) << step;
    EXPECT_EQ(PrimarySurface != 0, step > 4) << step;
    EXPECT_EQ(BackBuffer, 0u) << step;
    ReleaseDisplay();  // what was made is released by the shutdown
    EXPECT_EQ(HostDisplayMisuse(), 0) << step;
  }
  HostFailInitStep(0, 0);
  EXPECT_EQ(InitDisplay(0), DdOk);
  EXPECT_NE(BackBuffer, 0u);
}

// The host side of the comparison with DirectDraw: the Wine test runs this
// one with ZARVEL_SCENE_OUT set and compares the frame it writes.
TEST_F(DisplayTest, FixedSceneFrame) {
  ASSERT_EQ(SetUpSceneDisplay(0), 1);
  EXPECT_EQ(DrawDisplayScene(), DderrInvalidRect);
  std::vector<uint8_t> frame = ReadBackBuffer();
  ASSERT_EQ(frame.size(), size_t(ScreenWidth) * ScreenHeight);
  EXPECT_EQ(frame[0], HostSurface(SheetSurfaces[BackSheet]).pixels[0]);
  EXPECT_EQ(frame[size_t(479) * ScreenWidth + 639], 0);  // only the fill reaches there
  EXPECT_EQ(HostDisplayMisuse(), 0);
  if (const char* out = std::getenv("ZARVEL_SCENE_OUT")) {
    std::FILE* f = std::fopen(out, "wb");
    ASSERT_NE(f, nullptr) << out;
    EXPECT_EQ(std::fwrite(frame.data(), 1, frame.size(), f), frame.size());
    std::fclose(f);
  }
}
