#include "game/actors/stage_spawning.h"

#include "game/actors/actor.h"
#include "game/actors/allocation.h"
#include "game/actors/boss.h"
#include "game/media/display.h"
#include "game/shell/game_status.h"
#include "game/shell/shared_state.h"

int32_t MapTick = 64;
int32_t ScriptIndex = 0;
int32_t ScriptBase = 0;

// First cut: the map clock runs (a row every 32 frames) but the rows are
// empty until the stage maps are laid; no scripted spawns yet.
void MapStep() {
  if (GameStatus.ClearFlag) return;
  MapTick += 1;
  if (MapTick < 32) return;
  MapTick = 0;
}

void SpawnStep() {
  if (BossActor) {
    ScriptIndex = 0;
    ScriptBase = 0;
  }
}

Actor* CreateBoss() {
  Actor* boss = NewRecord<Actor>();
  if (!boss) return nullptr;
  return CreateActor(boss, 639, 100, BossFrames, 2, BossBehaviour, 1200, 53000, 120, 75, 1,
                     BossSheet, AnchorNone);
}
