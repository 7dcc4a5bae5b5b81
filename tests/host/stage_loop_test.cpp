#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "game/actors/actor.h"
#include "game/actors/allocation.h"
#include "game/actors/bullet.h"
#include "game/actors/host/host_allocation.h"
#include "game/media/display.h"
#include "game/media/host/host_display.h"
#include "game/shell/game_status.h"
#include "game/shell/shared_state.h"
#include "game/shell/stage_loop.h"
#include "tests/host/world_fixture.h"

namespace {
std::vector<HostBlit> RequestsOn(int32_t sheet) { return OnSheet(HostBlitRequests(), sheet); }

std::vector<KeyChange> HoldFireAndM() {
  std::vector<KeyChange> script;
  std::string error;
  ParseKeyScript("0 fire M\n", script, error);
  return script;
}

constexpr Rect ActorBox{0, 0, 20, 20};
}  // namespace

using StageLoopTest = World;

TEST_F(StageLoopTest, BackgroundFollowsTheShipsHeight) {
  struct Case {
    int32_t shipY, offset;
  } cases[] = {{240, -80}, {0, 0}, {432, -144}, {120, -40}};
  for (const Case& c : cases) {
    HostResetDisplay();
    FrameCount = 0;
    GameStatus.Y = c.shipY;
    DrawBackground();
    std::vector<HostBlit> tiles = RequestsOn(BackSheet);
    ASSERT_EQ(tiles.size(), 30u);
    EXPECT_EQ(tiles[0].y, c.offset) << "ship y " << c.shipY;
    EXPECT_EQ(tiles[29].y, 4 * 128 + c.offset);
  }
}

TEST_F(StageLoopTest, SkyScrollsOnePixelAndGroundSixteenAFrame) {
  struct Case {
    int32_t frame, skyX, groundX;
  } cases[] = {{0, 0, 0}, {5, -5, -80}, {127, -127, -112}, {128, 0, 0}, {8, -8, 0}};
  for (const Case& c : cases) {
    HostResetDisplay();
    FrameCount = c.frame;
    DrawBackground();
    std::vector<HostBlit> tiles = RequestsOn(BackSheet);
    EXPECT_EQ(tiles[0].x, c.skyX) << "frame " << c.frame;
    EXPECT_EQ(tiles[0].source.left, 0);
    EXPECT_EQ(tiles[24].x, c.groundX) << "frame " << c.frame;
    EXPECT_EQ(tiles[24].source.left, 128);
    EXPECT_EQ(tiles[24].flags, BlitOpaque);
  }
}

TEST_F(StageLoopTest, StarFieldIsTheSameStarsMovingLeft) {
  DrawStarField(StageStarSeed, 400, 32, 16, 100);
  std::vector<HostBlit> first = HostBlits();
  HostResetDisplay();
  DrawStarField(StageStarSeed, 400, 32, 16, 100);
  ASSERT_EQ(HostBlits().size(), first.size());
  for (size_t i = 0; i < first.size(); ++i) {
    EXPECT_EQ(HostBlits()[i].x, first[i].x);
    EXPECT_EQ(HostBlits()[i].y, first[i].y);
  }
  // Of 400 stars spread over 16384 columns only those near the screen are blitted.
  EXPECT_GT(first.size(), 5u);
  EXPECT_LT(first.size(), 60u);
  for (const HostBlit& b : first) {
    EXPECT_GE(b.x, -35);
    EXPECT_LE(b.x, 674 - 35);
    EXPECT_GE(b.y, 0);
    EXPECT_LT(b.y, 480);
    EXPECT_EQ(b.source.top, 142);
  }
}

TEST_F(StageLoopTest, IntroductionCentresTheCaptionAndNamesTheStage) {
  SetCaptionText("ABCD");
  StageNumber = 2;
  StageIntro();
  std::vector<HostBlit> glyphs = RequestsOn(FontSheet);
  ASSERT_FALSE(glyphs.empty());
  EXPECT_EQ(glyphs[0].x, 320 - (12 * 4 - 12) / 2);
  EXPECT_EQ(glyphs[0].y, 100);
  // "[STAGE 3]": '[' at 260; the space draws nothing, so '3' is the sixth glyph on.
  EXPECT_EQ(glyphs[4].x, 260);
  EXPECT_EQ(glyphs[4].y, 200);
  EXPECT_EQ(glyphs[4 + 6].source.left, 256 + 16 * 3);
  EXPECT_EQ(glyphs[4 + 6].x, 260 + 7 * 12);
  EXPECT_EQ(HostFlipCount(), 1);
}

TEST_F(StageLoopTest, FirstFrameOfAStageDrawsNoBackground) {
  SimOptions o;
  o.frames = 3;  // the title frame and the stage's first two frames
  o.recordBlits = true;
  std::vector<int32_t> backgroundSoFar;
  RunSim(o, HoldFireAndM(), [&](int64_t) { backgroundSoFar.push_back(int32_t(RequestsOn(BackSheet).size())); });
  ASSERT_EQ(backgroundSoFar.size(), 3u);
  EXPECT_EQ(backgroundSoFar[2], 0);  // frame -1 of the stage drew none
  EXPECT_EQ(RequestsOn(BackSheet).size(), 30u);  // frame 0 did
}

TEST_F(StageLoopTest, BossArrivesAtFrame2560AndItsDeathClearsTheStage) {
  SimOptions o;
  int32_t bossBornAt = -1;
  int32_t bossDeathFrame = 2600;
  RunSim(o, HoldFireAndM(), [&](int64_t) {
    if (BossActor && bossBornAt < 0) bossBornAt = FrameCount;
    if (FrameCount == bossDeathFrame && BossActor) DamageActor(BossActor, 100000);
  });
  EXPECT_EQ(bossBornAt, 2561);  // made in frame 2560, seen by the next frame's wait
  SimRun again = RunSim(o, HoldFireAndM(), [&](int64_t) {
    if (FrameCount == bossDeathFrame && BossActor) DamageActor(BossActor, 100000);
  });
  ASSERT_GE(again.stages.size(), 1u);
  EXPECT_STREQ(again.stages[0].result, "StageCleared");
  EXPECT_EQ(again.stages[0].frames, bossDeathFrame + ClearingFrames);
  EXPECT_GE(again.stages[0].score, 53000);
}

TEST_F(StageLoopTest, FailedBossAllocationLeavesNoBoss) {
  SimOptions o;
  o.frames = 2600;
  bool sawBoss = false;
  RunSim(o, HoldFireAndM(), [&](int64_t) {
    if (FrameCount == 2560) HostFailAllocations(0, 1000);  // the boss's allocation fails
    if (BossActor) sawBoss = true;
  });
  EXPECT_FALSE(sawBoss);
}

TEST_F(StageLoopTest, ClearingDestroysEveryEnemyAndRemovesEveryBullet) {
  SimOptions o;
  o.frames = 40;
  int32_t enemiesLeft = -1, bulletsLeft = -1;
  RunSim(o, HoldFireAndM(), [&](int64_t) {
    if (FrameCount <= 10) QuietStage();
    if (FrameCount == 10) {
      for (int i = 0; i < 5; ++i)
        CreateActor(NewRecord<Actor>(), 300, 100 + 40 * i, &ActorBox, 1, Still, 50, 7, 0, 0, 1,
                    EnemySheet, 0);
      SpawnBullet(300, 300, -1, 0, 1, &BulletFrame);
      BossDestroyed();
    }
    if (FrameCount == 11) {
      enemiesLeft = 0;
      for (Actor* a = EnemyList.head; a; a = a->next) enemiesLeft += GetHp(a) > 0;
      bulletsLeft = CountRecords(BulletList);
    }
  });
  EXPECT_EQ(enemiesLeft, 0);
  EXPECT_EQ(bulletsLeft, 0);
  EXPECT_EQ(TotalScore, 5 * 7);
}
