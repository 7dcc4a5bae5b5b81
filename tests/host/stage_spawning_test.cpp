#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "game/actors/actor.h"
#include "game/actors/block_behaviour.h"
#include "game/actors/block_kinds.h"
#include "game/actors/enemy_behaviours.h"
#include "game/actors/enemy_types.h"
#include "game/actors/host/host_allocation.h"
#include "game/actors/stage_spawning.h"
#include "game/media/random.h"
#include "game/shell/game_status.h"
#include "game/shell/shared_state.h"
#include "tests/host/world_fixture.h"

namespace {
// The frame that reads the clearing row of each stage's map.
const int32_t StageClearedAt[3] = {5279, 4991, 4447};

std::vector<Actor*> Actors() {
  std::vector<Actor*> all;
  for (Actor* a = EnemyList.head; a; a = a->next) all.push_back(a);
  return all;
}

// Runs one step over frames first..last; returns the number of actors made
// in each frame that made any.
std::map<int32_t, int> RunFrames(void (*step)(), int32_t first, int32_t last) {
  std::map<int32_t, int> made;
  for (FrameCount = first; FrameCount <= last; ++FrameCount) {
    int before = CountRecords(EnemyList);
    step();
    if (int n = CountRecords(EnemyList) - before) made[FrameCount] = n;
  }
  FrameCount = last;
  return made;
}

int32_t FirstClearingFrame(int32_t last) {
  for (FrameCount = -1; FrameCount <= last; ++FrameCount) {
    MapStep();
    if (GameStatus.ClearFlag) return FrameCount;
  }
  return -1;
}
}  // namespace

using MapStepTest = World;
using SpawnStepTest = World;

TEST_F(MapStepTest, RowZeroIsReadOnTheFirstFrameAndAgainAtFrame31) {
  StageNumber = 0;
  std::map<int32_t, std::vector<Actor*>> laid;
  for (FrameCount = -1; FrameCount <= 95; ++FrameCount) {
    Actor* oldHead = EnemyList.head;
    MapStep();
    for (Actor* a = EnemyList.head; a != oldHead; a = a->next) laid[FrameCount].push_back(a);
    for (Actor* a : Actors()) a->behaviour(a);  // the enemy pass moves every block
  }
  // Rows 0, 0, 1, 2: |I ... H|, |HI ... IH|, |HIH ... HIH|.
  std::map<int32_t, size_t> counts;
  for (auto& [frame, blocks] : laid) counts[frame] = blocks.size();
  EXPECT_EQ(counts, (std::map<int32_t, size_t>{{-1, 2}, {31, 2}, {63, 4}, {95, 6}}));
  ASSERT_EQ(laid[31].size(), 2u);
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(laid[31][i]->y, laid[-1][i]->y);
    EXPECT_EQ(laid[31][i]->frames, laid[-1][i]->frames);
    // 32 frames later the second copy sits one block width right of the first.
    EXPECT_EQ(laid[31][i]->x - laid[-1][i]->x, 64);
  }
}

TEST_F(MapStepTest, RowLaysEveryKindAtItsCellAndFillersMakeNothing) {
  const char row[] = "A\tB0C D+E.F-GzHI        ";  // 24 cells and the zero
  Random expect = GlobalRandom;
  ASSERT_EQ(LayMapRow(row), 9);
  const int32_t cells[9] = {0, 2, 4, 6, 8, 10, 12, 14, 15};
  std::vector<Actor*> blocks = Actors();
  ASSERT_EQ(blocks.size(), 9u);
  for (size_t n = 0; n < blocks.size(); ++n) {
    Actor* b = blocks[blocks.size() - 1 - n];  // prepended: the last laid is the head
    const BlockKindInfo& kind = BlockKinds[n];  // the row holds A to I in order
    SCOPED_TRACE(n);
    EXPECT_EQ(b->x, 639);
    EXPECT_EQ(b->y, cells[n] * 32);
    EXPECT_EQ(b->frames, kind.frames);
    EXPECT_EQ(b->anchor, kind.anchor);
    EXPECT_EQ(b->hp, 150);
    EXPECT_EQ(b->blitFlags, 0);
    // The debris count is drawn before the creation's own draw.
    EXPECT_EQ(b->burst, expect.Next(30) + 5);
    EXPECT_EQ(b->speedY, expect.Next(2) * 32 - 16);
  }
}

TEST_F(MapStepTest, FailedAllocationDropsTheRestOfTheRowOnly) {
  HostFailAllocations(1, 1);
  EXPECT_EQ(LayMapRow("A A A                   "), 1);
  EXPECT_EQ(LayMapRow("A A A                   "), 3);
  EXPECT_EQ(CountRecords(EnemyList), 4);
}

TEST_F(MapStepTest, ClearingRowIsReadAtEachStagesFrame) {
  for (int32_t stage = 0; stage < 3; ++stage) {
    ResetWorld();
    StageNumber = static_cast<int8_t>(stage);
    EXPECT_EQ(FirstClearingFrame(6000), StageClearedAt[stage]) << "stage " << stage;
    // Once cleared the map is still: no tick, no row.
    int32_t tick = MapTick, actors = CountRecords(EnemyList);
    MapStep();
    EXPECT_EQ(MapTick, tick);
    EXPECT_EQ(CountRecords(EnemyList), actors);
  }
}

// The clock runs on through the ship's death countdown; past the map's end
// every row reads as the clearing row, which clears nothing while the ship is
// dead and clears the stage if it were alive.
TEST_F(MapStepTest, RowsReadWithTheShipDeadClearNothingEvenPastTheMap) {
  struct Case {
    int32_t stage;
    int32_t rowsPastClearing;
    int32_t energy;
    int32_t cleared;
  } cases[] = {
      {0, 0, 0, 0}, {1, 0, -3, 0}, {2, 0, 0, 0},    // the clearing row itself
      {2, 1, 0, 0}, {2, 3, 0, 0}, {0, 100, 0, 0},   // rows past the end
      {2, 1, 15, 1}, {1, 3, 1, 1}, {0, 1000, 15, 1},
  };
  for (const Case& c : cases) {
    ResetWorld();
    StageNumber = static_cast<int8_t>(c.stage);
    GameStatus.Energy = c.energy;
    MapTick = 31;
    FrameCount = StageClearedAt[c.stage] + 32 * c.rowsPastClearing;
    MapStep();
    EXPECT_EQ(GameStatus.ClearFlag, c.cleared) << c.stage << " +" << c.rowsPastClearing;
    EXPECT_EQ(CountRecords(EnemyList), 0) << c.stage << " +" << c.rowsPastClearing;
  }
}

TEST_F(MapStepTest, DeathCountdownPastTheClearingRowLaysNothing) {
  StageNumber = 2;
  RunFrames(MapStep, -1, StageClearedAt[2] - 1);
  const int blocks = CountRecords(EnemyList);
  GameStatus.Energy = 0;  // lost just before the clearing row
  EXPECT_TRUE(RunFrames(MapStep, StageClearedAt[2], StageClearedAt[2] + 100).empty());
  EXPECT_EQ(GameStatus.ClearFlag, 0);
  EXPECT_EQ(CountRecords(EnemyList), blocks);
}

TEST_F(SpawnStepTest, Stage0OpensWithItsFirstWave) {
  StageNumber = 0;
  std::map<int32_t, int> made = RunFrames(SpawnStep, -1, 31);
  ASSERT_EQ(made.size(), 3u);
  EXPECT_EQ(made[10], 6);
  EXPECT_EQ(made[20], 2);
  EXPECT_GE(made[31], 1);  // the second wave, counted from frame 21
  struct Expect {
    int32_t x, y;
    Behaviour behaviour;
  } opening[] = {{638, 266, FastBehaviour},     {138, -62, SwoopBehaviour},
                 {138, 758, SwoopBehaviour},    {638, 522, FastBehaviour},
                 {638, 10, StraightBehaviour},  {638, 778, StraightBehaviour},
                 {638, 266, FastBehaviour},     {638, 522, FastBehaviour}};
  std::vector<Actor*> all = Actors();
  for (int n = 0; n < 8; ++n) {
    SCOPED_TRACE(n);
    EXPECT_EQ(all[n]->x, opening[n].x);
    EXPECT_EQ(all[n]->y, opening[n].y);
    EXPECT_EQ(all[n]->behaviour, opening[n].behaviour);
    EXPECT_EQ(all[n]->burst, 1);  // hp - 1
    EXPECT_EQ(all[n]->anchor, 1);
    EXPECT_EQ(all[n]->blitFlags, 1);
  }
}

// Without a boss or a clearing, up to the boss's arrival: the script runs out
// (stages 0 and 1) and random enemies follow every 10 frames, or it holds at
// its time-10000 event (stage 2).
TEST_F(SpawnStepTest, ScriptRunsOutIntoRandomSpawningExceptOnStage2) {
  struct Case {
    int32_t stage;
    int events;            // scripted spawns
    int32_t lastScripted;  // frame of the last one
    int32_t firstRandom;   // -1: none
    int randoms;
  } cases[] = {{0, 832, 2441, 2451, 11}, {1, 983, 2218, 2221, 34}, {2, 24, 62, -1, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stage);
    ResetWorld();
    StageNumber = static_cast<int8_t>(c.stage);
    std::map<int32_t, int> made = RunFrames(SpawnStep, -1, BossArrivalFrame - 1);
    int scripted = 0, randoms = 0;
    int32_t lastScripted = -1, firstRandom = -1;
    for (auto [frame, n] : made) {
      if (frame <= c.lastScripted) {
        scripted += n, lastScripted = frame;
        continue;
      }
      if (firstRandom < 0) firstRandom = frame;
      EXPECT_EQ(frame % 10, 1);
      EXPECT_EQ(n, 1);
      randoms += n;
    }
    EXPECT_EQ(scripted, c.events);
    EXPECT_EQ(lastScripted, c.lastScripted);
    EXPECT_EQ(firstRandom, c.firstRandom);
    EXPECT_EQ(randoms, c.randoms);
    EXPECT_EQ(ScriptIndex, c.stage == 2 ? 24 : c.events);
    std::vector<Actor*> all = Actors();
    for (size_t n = c.events; n < all.size(); ++n) {
      const Actor* a = all[n];
      EXPECT_EQ(a->x, a->behaviour == LeftEntryBehaviour ? 2 - a->width : 639);
      EXPECT_GE(a->y, 10);
      EXPECT_LE(a->y, 409);
      EXPECT_EQ(a->anchor, 0);
      EXPECT_GE(a->frameHold, 1);
      EXPECT_LE(a->frameHold, 3);
    }
  }
}

TEST_F(SpawnStepTest, RandomEnemyDrawsTypeHoldRowInThatOrderAndSkipsOnFailure) {
  StageNumber = 0;
  ScriptIndex = 832;  // at the end record
  for (int32_t n = 0; n < 6; ++n) {
    FrameCount = 2451 + 10 * n;
    Random expect = GlobalRandom;
    int32_t k = expect.Next(5);
    if (n == 2) {  // no memory: only the type is drawn, nothing is made
      HostFailAllocations(0, 1);
      SpawnStep();
      EXPECT_EQ(GlobalRandom.state, expect.state);
      EXPECT_EQ(CountRecords(EnemyList), n);
      continue;
    }
    int32_t hold = expect.Next(3) + 1;
    int32_t y = expect.Next(400) + 10;
    SpawnStep();
    const Actor* a = EnemyList.tail;
    ASSERT_EQ(CountRecords(EnemyList), n < 2 ? n + 1 : n);
    EXPECT_EQ(a->frames, EnemyTypeTable[k].frames);
    EXPECT_EQ(a->behaviour, BehaviourTable[k]);
    EXPECT_EQ(a->hp, EnemyTypeTable[k].hp);
    EXPECT_EQ(a->burst, EnemyTypeTable[k].hp - 1);
    EXPECT_EQ(a->frameHold, hold);
    EXPECT_EQ(a->y, y);
    EXPECT_EQ(a->speedY, expect.Next(2) * 32 - 16);
    FrameCount += 1;  // only frames ending in 1 spawn
    SpawnStep();
    EXPECT_EQ(EnemyList.tail, a);
  }
}

TEST_F(SpawnStepTest, FailedScriptedSpawnStillUsesUpItsEvent) {
  StageNumber = 0;
  RunFrames(SpawnStep, -1, 9);
  HostFailAllocations(2, 1);
  EXPECT_EQ(RunFrames(SpawnStep, 10, 20), (std::map<int32_t, int>{{10, 5}, {20, 2}}));
  EXPECT_EQ(ScriptIndex, 8);
  EXPECT_EQ(Actors()[2]->y, 522);  // the third event (138, 758) was lost
}

TEST_F(SpawnStepTest, BossRewindsTheScriptAndItRestartsOnlyWithoutBossOrClearing) {
  StageNumber = 0;
  ScriptIndex = 40;
  ScriptBase = 900;
  BossActor = CreateBoss();
  const int actors = CountRecords(EnemyList);
  EXPECT_TRUE(RunFrames(SpawnStep, 2600, 2700).empty());
  EXPECT_EQ(ScriptIndex, 0);
  EXPECT_EQ(ScriptBase, 0);

  // Gone without a clearing (the ship was dead): the script starts over,
  // its first wave counted from this frame.
  BossActor = nullptr;
  EXPECT_EQ(RunFrames(SpawnStep, 2701, 2711), (std::map<int32_t, int>{{2711, 6}}));

  // A cleared stage spawns nothing, scripted or random.
  GameStatus.ClearFlag = 1;
  EXPECT_TRUE(RunFrames(SpawnStep, 2712, 2800).empty());
  EXPECT_EQ(ScriptIndex, 6);
  ScriptIndex = 832;
  EXPECT_TRUE(RunFrames(SpawnStep, 2801, 2900).empty());
  EXPECT_EQ(CountRecords(EnemyList), actors + 6);
  EXPECT_EQ(ScriptIndex, 832);
}
