#include "game/actors/stage_spawning.h"

#include "game/actors/actor.h"
#include "game/actors/allocation.h"
#include "game/actors/block_behaviour.h"
#include "game/actors/boss.h"
#include "game/actors/enemy_types.h"
#include "game/actors/spawn_scripts.h"
#include "game/actors/stage_maps.h"
#include "game/media/display.h"
#include "game/media/random.h"
#include "game/shell/game_status.h"
#include "game/shell/shared_state.h"

int32_t MapTick = 64;
int32_t ScriptIndex = 0;
int32_t ScriptBase = 0;

constexpr int32_t SpawnColumn = 639;

// With the ship dead the clearing row clears nothing and the clock runs on
// through the death countdown, so rows past the end are read as the clearing
// row again instead of whatever lies beyond the map.
static int32_t IsClearingRow(const StageMap& map, int32_t r) {
  if (r < 0 || r >= map.rowCount) return 1;
  return map.rows[r][0] == '+' ? 1 : 0;
}

void MapStep() {
  if (GameStatus.ClearFlag) return;
  MapTick += 1;
  if (MapTick < MapRowFrames) return;
  MapTick = 0;
  const StageMap& map = StageMaps[StageNumber];
  int32_t r = FrameCount / MapRowFrames;  // frame -1 reads row 0, like frame 31
  if (IsClearingRow(map, r)) {
    BossDestroyed();  // clears the stage only while the ship lives
    return;
  }
  LayMapRow(map.rows[r]);
}

static void SpawnScripted(const SpawnEvent& e) {
  Actor* a = NewRecord<Actor>();
  if (!a) return;
  const EnemyType& t = StageEnemyTypes[StageNumber][e.type];
  CreateActor(a, e.x, e.y, t.frames, t.frameCount, StageBehaviours[StageNumber][t.behaviour],
              t.hp, t.score, t.hp - 1, t.frameHold, BlitColourKey, EnemySheet, t.anchor);
}

// The draws come in this order: type, then (if there is memory) hold and row.
static void SpawnRandom() {
  int32_t k = GlobalRandom.Next(RandomTypeCount);
  Actor* a = NewRecord<Actor>();
  if (!a) return;
  int32_t hold = GlobalRandom.Next(3) + 1;
  int32_t y = GlobalRandom.Next(400) + 10;
  const EnemyType& t = StageEnemyTypes[StageNumber][k];
  CreateActor(a, SpawnColumn, y, t.frames, t.frameCount, StageBehaviours[StageNumber][k], t.hp,
              t.score, t.hp - 1, hold, BlitColourKey, EnemySheet, AnchorNone);
}

void SpawnStep() {
  if (BossActor) {
    ScriptIndex = 0;
    ScriptBase = 0;
    return;
  }
  if (GameStatus.ClearFlag) return;
  const SpawnEvent* script = SpawnScripts[StageNumber];
  const SpawnEvent* e = &script[ScriptIndex];
  if (e->type == ScriptEndType) {
    if (FrameCount % RandomSpawnFrames == 1) SpawnRandom();
    return;
  }
  // An overdue event starts a new wave, counted from this frame.
  if (e->time + ScriptBase < FrameCount) ScriptBase = FrameCount;
  while (e->type != ScriptEndType && e->time + ScriptBase == FrameCount) {
    SpawnScripted(*e);
    ScriptIndex += 1;  // a failed spawn still uses up its event
    e = &script[ScriptIndex];
  }
}

Actor* CreateBoss() {
  Actor* boss = NewRecord<Actor>();
  if (!boss) return nullptr;
  return CreateActor(boss, SpawnColumn, 100, BossFrames, 2, BossBehaviour, 1200, 53000, 120, 75,
                     BlitColourKey, BossSheet, AnchorNone);
}
