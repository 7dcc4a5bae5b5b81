#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <cstring>

#include "game/actors/actor.h"
#include "game/actors/allocation.h"
#include "game/actors/bullet.h"
#include "game/actors/enemy_behaviours.h"
#include "game/media/display.h"
#include "game/media/random.h"
#include "game/shell/game_status.h"
#include "game/media/host/host_display.h"
#include "game/media/music_player.h"
#include "game/shell/host/host_system.h"
#include "game/shell/observers.h"
#include "game/shell/shared_state.h"
#include "game/shell/stage_loop.h"
#include "tests/host/world_fixture.h"

namespace {
// A stage frame in progress: paced, active, not paused.
void RunningFrame(int32_t frameCount = 10) {
  FrameCount = frameCount;
  AppActive.store(1);
  FrameTime = 0;
  LastTick = HostTick();
}

int PauseBanners() {
  int n = 0;  // the '*' glyph drawn at the banner's place
  for (const HostBlit& b : HostBlits())
    n += b.sheet == FontSheet && b.x == 266 && b.y == 240 && b.source.left == 160;
  return n;
}
}  // namespace

using FrameWaitTest = World;

TEST_F(FrameWaitTest, FrameEndsOnlyOnceMoreThanSixtyMillisecondsHavePassed) {
  for (uint32_t step : {1u, 7u, 60u, 61u, 200u}) {
    ResetWorld();
    RunningFrame();
    HostSetTickStep(step);
    uint32_t start = HostTick();
    EXPECT_EQ(FrameWait(), 0);
    EXPECT_GT(FrameTime, 60u) << "step " << step;
    EXPECT_LE(FrameTime - FrameElapsed, 60u) << "step " << step;  // not one pass later than needed
    EXPECT_EQ(HostSleepCount(), 0);  // busy wait: no sleep while running
    EXPECT_GE(HostTick() - start, 61u);
  }
}

TEST_F(FrameWaitTest, FrameWaitPresentsTheLastFrameFirst) {
  RunningFrame();
  FrameWait();
  EXPECT_EQ(HostFlipCount(), 1);
  QuitConfirmed.store(1);
  EXPECT_EQ(FrameWait(), 2);
  EXPECT_EQ(HostFlipCount(), 1);  // nothing reaches the screen after the quit
}

TEST_F(FrameWaitTest, HoldingTRunsUnpaced) {
  RunningFrame();
  HostSetKeyHeld('T', true);
  uint32_t start = HostTick();
  EXPECT_EQ(FrameWait(), 0);
  EXPECT_LE(HostTick() - start, 1u);
  HostSetKeyHeld('T', false);
  EXPECT_EQ(FrameWait(), 0);
  EXPECT_GT(HostTick() - start, 60u);
}

TEST_F(FrameWaitTest, InactiveApplicationSleepsHalfSecondsAndDrawsNothing) {
  RunningFrame();
  AppActive.store(0);
  static int wakeups;
  wakeups = 0;
  OnFrameWait = [] {
    if (++wakeups == 4) AppActive.store(1);  // switched back after three sleeps
  };
  EXPECT_EQ(FrameWait(), 0);
  OnFrameWait = nullptr;
  EXPECT_EQ(HostSleepCount(), 3);
  EXPECT_EQ(HostSleepTotal(), 1500u);
  EXPECT_EQ(HostFlipCount(), 1);  // only the frame's own present
  EXPECT_EQ(HostBlitCount(), 0);
}

TEST_F(FrameWaitTest, MusicFollowsTheRequest) {
  RunningFrame();
  MusicPlaying = 1;
  MusicWanted.store(0);
  FrameWait();
  EXPECT_EQ(MusicPlaying, 0);
  MusicWanted.store(1);
  FrameWait();
  FrameWait();
  EXPECT_EQ(MusicPlaying, 1);
  ASSERT_EQ(MusicRequests().size(), 2u);
  EXPECT_EQ(MusicRequests()[0].op, MusicPause);
  EXPECT_EQ(MusicRequests()[1].op, MusicResume);
}

TEST_F(FrameWaitTest, PauseRedrawsTheFrozenSceneEveryHalfSecondWithABlinkingBanner) {
  RunningFrame(25);
  static constexpr Rect box{0, 0, 20, 20};
  Actor* a = CreateActor(NewRecord<Actor>(), 300, 200, &box, 1, StraightBehaviour, 5, 0, 0, 0, 1,
                         EnemySheet, 0);
  SpawnBullet(200, 100, -3, 1, 1, &BulletFrame);
  const GameStatusRecord ship = GameStatus;
  const uint32_t randomBefore = GlobalRandom.state;
  Paused.store(1);
  static int redraws;
  redraws = 0;
  OnFrameWait = [] {
    if (++redraws == 7) Paused.store(0);  // six redraws, then unpaused
  };
  uint32_t frameTimeBefore = FrameTime;
  EXPECT_EQ(FrameWait(), 0);
  OnFrameWait = nullptr;
  EXPECT_EQ(HostSleepCount(), 6);
  EXPECT_EQ(HostSleepTotal(), 3000u);
  EXPECT_EQ(HostFlipCount(), 1 + 6);
  EXPECT_EQ(PauseBanners(), 3);  // every other redraw: a one-second blink
  EXPECT_EQ(FrameCount, 25);
  EXPECT_EQ(FrameTime - frameTimeBefore, FrameElapsed);  // one pass after the pause
  // Drawn six times, moved never.
  EXPECT_EQ(a->x, 300);
  EXPECT_EQ(a->y, 200);
  EXPECT_EQ(BulletList.head->x, 200.0);
  EXPECT_EQ(std::memcmp(&ship, &GameStatus, sizeof ship), 0);
  EXPECT_EQ(GlobalRandom.state, randomBefore);
  int actorBlits = 0;
  for (const HostBlit& b : HostBlits()) actorBlits += b.sheet == EnemySheet;
  EXPECT_EQ(actorBlits, 6);
}

TEST_F(FrameWaitTest, PauseIsIgnoredBeforeTheStagesFirstFrame) {
  RunningFrame(-1);
  Paused.store(1);
  EXPECT_EQ(FrameWait(), 0);
  EXPECT_EQ(HostSleepCount(), 0);
}
