#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "game/actors/actor.h"
#include "game/actors/allocation.h"
#include "game/actors/boss.h"
#include "game/actors/bullet.h"
#include "game/actors/ship.h"
#include "game/actors/shot.h"
#include "game/actors/stage_spawning.h"
#include "game/actors/stage_maps.h"
#include "game/media/random.h"
#include "game/shell/game_status.h"
#include "game/shell/shared_state.h"
#include "tests/host/world_fixture.h"

namespace {
// What a player would note while one stage is played.
struct StageWatch {
  int32_t bossArrived = -1;  // frame the boss was created
  int32_t cleared = -1;      // frame the clearing began
  int32_t bossHp = -1;       // the boss's hp before that frame, -1 without a boss
};

// The frame MapStep reads the clearing row (the map's last row).
int32_t MapClearingFrame(int32_t stage) { return StageMaps[stage].rowCount * 32 - 1; }

// Watches the first stage played and quits once the next one has begun. The
// hook runs before each frame, so it sees the state the previous frame left.
SimFrameHook Watch(StageWatch& w) {
  return [&w](int64_t) {
    if (w.cleared >= 0) {
      if (!GameStatus.ClearFlag) QuitConfirmed.exchange(1);  // the next stage
      return;
    }
    if (BossActor && w.bossArrived < 0) w.bossArrived = FrameCount - 1;
    if (GameStatus.ClearFlag) {
      w.cleared = FrameCount - 1;
      return;
    }
    w.bossHp = BossActor ? GetHp(BossActor) : -1;
  };
}

// Fire and M held from the start; `weapons` presses of the weapon key once
// the stage is under way.
std::vector<KeyChange> FireAndInvulnerable(int weapons) {
  std::string text = "0 fire M\n";
  for (int n = 0; n < weapons; ++n) {
    text += std::to_string(300 + 2 * n) + " fire M weapon\n";
    text += std::to_string(301 + 2 * n) + " fire M\n";
  }
  std::vector<KeyChange> script;
  std::string error;
  EXPECT_TRUE(ParseKeyScript(text, script, error)) << error;
  return script;
}
}  // namespace

class StageScenario : public World {
 protected:
  void SetUp() override {
    World::SetUp();
    EscortToggle = 1;  // as at program start: the boss's escorts follow its parity
  }
};

// Each stage played from its first frame with the ship invulnerable and fire
// held, level 2, the default seed. The title screen's frame draws from the
// same generator (its random explosions), so it shapes the stage too.
TEST_F(StageScenario, EachStageEndsCleared) {
  struct Case {
    int32_t stage;
    int weapons;      // presses of the weapon key
    int32_t cleared;  // frame of the clearing
    int32_t bossHp;   // left when the clearing began
    int32_t score;
  } cases[] = {
      {0, 0, 5279, 549, 165595},  // the map clears each stage, the boss still alive
      {1, 0, 4991, 626, 134025},
      {2, 0, 4447, 796, 136410},
      {2, 2, 3085, 2, 112158},  // the laser brings the boss down first
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "stage " << c.stage << " weapon " << c.weapons);
    ResetWorld();
    EscortToggle = 1;
    SimOptions options;
    options.stage = c.stage;
    options.level = 2;
    options.seed = RandomBaseSeed;
    options.frames = 20000;
    StageWatch w;
    SimRun run = RunSim(options, FireAndInvulnerable(c.weapons), Watch(w));
    ASSERT_GE(run.stages.size(), 1u);
    const StageReport& r = run.stages[0];
    const bool byMap = w.cleared == MapClearingFrame(c.stage);
    std::printf("stage %d weapon %d: %s, %s at frame %d (boss hp %d), ended at %d, score %d\n",
                c.stage, c.weapons, r.result, byMap ? "map cleared" : "boss destroyed", w.cleared,
                w.bossHp, r.frames, r.score);
    EXPECT_EQ(r.stage, c.stage);
    EXPECT_STREQ(r.result, "StageCleared");
    EXPECT_EQ(w.bossArrived, 2560);
    EXPECT_LE(w.cleared, MapClearingFrame(c.stage));  // the map ends it at the latest
    EXPECT_EQ(w.cleared, c.cleared);
    EXPECT_EQ(w.bossHp, c.bossHp);
    EXPECT_EQ(r.frames, w.cleared + 120);
    EXPECT_EQ(r.score, c.score);
    EXPECT_EQ(r.energy, 15);
  }
}

// The boss alone in its tracking phase, 3 hp left, the ship vulnerable at
// the middle height: brought down in one frame by a shot that reaches it,
// or by the ship flying into it. Either way the clearing begins in that
// frame, the stage ends 120 frames later, and the score is the same. (The
// boss is made early, in place of the stage's enemies, to keep the play
// short: when it came makes no difference to how it goes.)
TEST_F(StageScenario, ABossRammedToDeathClearsTheStageAsAShotKillDoes) {
  constexpr int32_t KillFrame = 300;
  struct Case {
    const char* by;
    bool ram;
  } cases[] = {{"shot", false}, {"ram", true}};
  int32_t shotScore = -1;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.by);
    ResetWorld();
    EscortToggle = 1;
    SimOptions options;
    options.frames = 2000;
    std::vector<KeyChange> script;
    std::string error;
    ASSERT_TRUE(ParseKeyScript("0 fire M\n200 M\n", script, error)) << error;  // fire starts the game
    int32_t energyAfter = -1, scoreBefore = -1;
    bool placed = false;
    SimRun run = RunSim(options, script, [&](int64_t) {
      if (placed && FrameCount < KillFrame) QuitConfirmed.exchange(1);  // the next stage
      if (FrameCount == KillFrame + 1) energyAfter = GameStatus.Energy;
      if (FrameCount != KillFrame || placed) return;
      placed = true;
      FreeAllActors();
      FreeAllBullets();
      FreeAllShots();
      scoreBefore = TotalScore;
      Actor* boss = BossActor = CreateBoss();
      ASSERT_NE(boss, nullptr);
      boss->hp = 3;
      boss->x = 150, boss->y = 300;  // on screen rows 140 to 310
      GameStatus.Timer = VulnerableTimer;
      GameStatus.Y = 240;  // hit box rows 262 to 269
      GameStatus.X = c.ram ? 200 : 0;
      if (!c.ram) {
        const Weapon& w = WeaponTable[0];
        CreateShot(NewRecord<Shot>(), boss->x + 10, boss->y + 50, w.move, 3, &w.frame, 0);
      }
    });
    ASSERT_GE(run.stages.size(), 1u);
    const StageReport& r = run.stages[0];
    EXPECT_STREQ(r.result, "StageCleared");
    EXPECT_EQ(r.clearedAt, KillFrame);
    EXPECT_EQ(r.frames, KillFrame + 120);
    EXPECT_EQ(energyAfter, c.ram ? 10 : 15);  // the ram is what brought it down
    if (!c.ram) shotScore = r.score;
    EXPECT_EQ(r.score, shotScore);
    EXPECT_GE(r.score, scoreBefore + 53000);
  }
}
