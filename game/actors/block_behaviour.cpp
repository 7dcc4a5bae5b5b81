#include "game/actors/block_behaviour.h"

#include "game/actors/allocation.h"
#include "game/actors/block_kinds.h"
#include "game/actors/stage_maps.h"
#include "game/media/display.h"
#include "game/media/random.h"

constexpr int32_t BlockHp = 150;
constexpr int32_t BlockScore = 553;
constexpr int32_t BlockColumn = 639;

void BlockBehaviour(Actor* a) {
  AnimationStep(a);
  a->x -= 2;
}

int32_t LayMapRow(const char* row) {
  int32_t laid = 0;
  // The terminating zero is looked at too; like every filler it lays nothing.
  for (int32_t i = 0; i <= MapCells; ++i) {
    const BlockKindInfo* kind = FindBlockKind(row[i]);
    if (!kind) continue;
    Actor* a = NewRecord<Actor>();
    if (!a) return laid;  // out of memory: the rest of the row is dropped
    int32_t burst = GlobalRandom.Next(30) + 5;
    CreateActor(a, BlockColumn, i * 32, kind->frames, kind->frameCount, BlockBehaviour, BlockHp,
                BlockScore, burst, kind->frameHold, BlitOpaque, BlockSheet, kind->anchor);
    laid += 1;
  }
  return laid;
}
