#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "game/actors/actor.h"
#include "game/actors/stage_spawning.h"
#include "game/media/music_player.h"
#include "game/shell/game_status.h"
#include "game/shell/host/host_system.h"
#include "game/shell/shared_state.h"
#include "tests/host/world_fixture.h"

namespace {

SimOptions Options(int32_t stage, int32_t level, int64_t frames = -1, int32_t games = 1) {
  SimOptions o;
  o.stage = stage;
  o.level = level;
  o.frames = frames;
  o.games = games;
  return o;
}

// Clears the first stage played once it has reached `frame`, as a destroyed
// boss would (before the ship's update, so the clearing count starts at 1).
SimFrameHook ClearAt(int32_t frame, int32_t score = 0) {
  int32_t stage = -1;
  return [=](int64_t) mutable {
    QuietStage();
    if (stage < 0) stage = StageNumber;
    if (StageNumber == stage && FrameCount == frame && !GameStatus.ClearFlag) {
      TotalScore += score;
      BossDestroyed();
    }
  };
}

int CountPosted(uint32_t message) {
  int n = 0;
  for (const HostPostedMessage& m : HostPostedMessages()) n += m.message == message;
  return n;
}

std::string Line(const StageReport& r) { return FormatStageReport(r); }
}  // namespace

using Flow = World;

TEST_F(Flow, ClearedStageGoesOnToTheNextWithTheScoreKept) {
  SimRun run = RunSim(Options(0, 2, 400), Keys("0 fire\n1\n"), ClearAt(10, 700));
  ASSERT_EQ(run.stages.size(), 2u);
  EXPECT_EQ(Line(run.stages[0]), "stage=0 level=2 result=StageCleared frames=129 score=700 energy=15");
  EXPECT_EQ(run.stages[1].stage, 1);
  EXPECT_STREQ(run.stages[1].result, "Running");
  EXPECT_EQ(run.stages[1].score, 700);
}

// Fire is released after the first frame, so a title screen in between would
// hold the game there and no further stage would be reported.
TEST_F(Flow, CycleClearedAtLevelOneGoesOnAtStageZeroLevelTwo) {
  SimRun run = RunSim(Options(2, 1, 300), Keys("0 fire\n1\n"), ClearAt(10, 5));
  ASSERT_EQ(run.stages.size(), 2u);
  EXPECT_EQ(Line(run.stages[0]), "stage=2 level=1 result=StageCleared frames=129 score=5 energy=15");
  EXPECT_EQ(run.stages[1].stage, 0);
  EXPECT_EQ(run.stages[1].level, 2);
  EXPECT_EQ(run.stages[1].score, 5);
  EXPECT_EQ(CountPosted(WmCommand), 0);
}

TEST_F(Flow, CycleClearedAtLevelFourCompletesTheGame) {
  SimRun run = RunSim(Options(2, 4), Keys("0 fire\n"), ClearAt(10, 4321));
  ASSERT_EQ(run.stages.size(), 1u);
  const std::vector<HostPostedMessage>& posted = HostPostedMessages();
  ASSERT_EQ(posted.size(), 2u);
  EXPECT_EQ(posted[0].message, WmCommand);
  EXPECT_EQ(posted[0].wParam, uintptr_t(CommandEnterHighScore));
  EXPECT_EQ(posted[0].lParam, 4321);
  EXPECT_EQ(posted[1].message, WmClose);  // the simulator then quits at the title
  EXPECT_EQ(TotalScore, 0);
  EXPECT_EQ(GameLevel, 2);
  EXPECT_EQ(StageNumber, 0);
}

// Loses the ship on the first frame it can be hurt.
SimFrameHook LoseShipAt(int32_t frame) {
  return [=](int64_t) {
    QuietStage();
    if (FrameCount == frame && GameStatus.Energy > 0) TakeDamage(15);
  };
}

TEST_F(Flow, LostGameResumesAtItsStageWithScoreZeroAndLevelTwo) {
  SimFrameHook lose = LoseShipAt(40);
  SimRun run = RunSim(Options(2, 3, -1, 2), Keys("0 fire\n"), [&](int64_t f) {
    if (FrameCount == 5 && TotalScore == 0 && GameLevel == 3) TotalScore = 999;
    lose(f);
  });
  ASSERT_EQ(run.stages.size(), 2u);
  // The countdown runs 80 frames from the hit; the stage ends two frames
  // after the score is posted.
  EXPECT_EQ(Line(run.stages[0]), "stage=2 level=3 result=GameOver frames=120 score=999 energy=0");
  EXPECT_EQ(Line(run.stages[1]), "stage=2 level=2 result=GameOver frames=120 score=0 energy=0");
  ASSERT_EQ(CountPosted(WmCommand), 2);  // once per lost game
  EXPECT_EQ(HostPostedMessages()[0].lParam, 999);
}

TEST_F(Flow, HoldingMAtTheSetUpMakesThatStageHarmless) {
  int32_t energyAfterHit = -1;
  int32_t nextStageEnergy = -1;
  SimRun run = RunSim(Options(0, 2, 400), Keys("0 fire M\n20 fire\n"), [&](int64_t) {
    if (StageNumber == 0 && FrameCount == 100) {
      TakeDamage(15);
      energyAfterHit = GameStatus.Energy;
      BossDestroyed();
    }
    if (StageNumber == 1 && FrameCount == 100 && nextStageEnergy < 0) {
      TakeDamage(5);
      nextStageEnergy = GameStatus.Energy;
    }
  });
  EXPECT_EQ(energyAfterHit, 15);
  EXPECT_EQ(nextStageEnergy, 10);  // M was let go: the next stage is normal
  ASSERT_GE(run.stages.size(), 2u);
  EXPECT_STREQ(run.stages[0].result, "StageCleared");
}

TEST_F(Flow, QuitDuringAStageEndsTheThread) {
  SimRun run = RunSim(Options(0, 2), Keys("0 fire\n50 quit\n"));
  ASSERT_EQ(run.stages.size(), 1u);
  EXPECT_STREQ(run.stages[0].result, "Quit");
  EXPECT_EQ(ShuttingDown.load(), 1);
  ASSERT_EQ(HostPostedMessages().size(), 1u);
  EXPECT_EQ(HostPostedMessages()[0].message, WmClose);
  EXPECT_EQ(EnemyList.head, nullptr);
}

TEST_F(Flow, QuitOnTheTitleScreenStartsNoStage) {
  SimRun run = RunSim(Options(0, 2), Keys("0\n30 quit\n"));
  EXPECT_TRUE(run.stages.empty());
  EXPECT_EQ(run.framesWaited, 31);  // frames 0 to 30
  ASSERT_EQ(HostPostedMessages().size(), 1u);
  EXPECT_EQ(HostPostedMessages()[0].message, WmClose);
}

TEST_F(Flow, FatalErrorEndsTheGameBeforeTheNextStage) {
  SimRun run = RunSim(Options(0, 2), Keys("0 fire\n"), [](int64_t) {
    if (FrameCount == 10) {
      FatalErrorCode.exchange(6);
      BossDestroyed();
    }
  });
  ASSERT_EQ(run.stages.size(), 1u);
  EXPECT_STREQ(run.stages[0].result, "StageCleared");
  EXPECT_EQ(HostPostedMessages().back().message, WmClose);
}

TEST_F(Flow, StageSetUpAndTearDownDriveTheMusic) {
  RunSim(Options(1, 2, 20), Keys("0 fire\n"));
  const std::vector<MusicRequest>& music = MusicRequests();
  ASSERT_GE(music.size(), 3u);
  EXPECT_EQ(music[0].op, MusicPlay);
  EXPECT_STREQ(music[0].file, "sadness.mds");
  EXPECT_EQ(music[0].value, 1);
  EXPECT_EQ(music[1].op, MusicVolume);
  EXPECT_EQ(music[1].value, 127);
  EXPECT_EQ(music.back().op, MusicStop);
  EXPECT_EQ(MusicPlaying, 0);
  EXPECT_EQ(MusicWanted.load(), 0);
}

// The boss falls as a shot leaves it, with no hp, so the enemy pass clears
// the stage after the ship's update: the clearing count is 0 at the end
// of that frame and the fade's first step, 127, is sent then.
TEST_F(Flow, ClearingFadesTheMusicInThirteenSteps) {
  int32_t stage = -1;
  RunSim(Options(0, 2, 200), Keys("0 fire\n"), [&](int64_t) {
    QuietStage();
    if (stage < 0) stage = StageNumber;
    if (StageNumber != stage || FrameCount != 10 || GameStatus.ClearFlag) return;
    BossActor = CreateBoss();
    ASSERT_NE(BossActor, nullptr);
    BossActor->hp = 0;
  });
  std::vector<int32_t> volumes;
  for (const MusicRequest& m : MusicRequests())
    if (m.op == MusicVolume) volumes.push_back(m.value);
  // 127 at the stage's start, the thirteen steps of the fade, then 127
  // again at stage 1's start.
  EXPECT_EQ(volumes, (std::vector<int32_t>{127, 127, 116, 105, 95, 84, 74, 63, 52, 42, 31, 21, 10, 0, 127}));
}
