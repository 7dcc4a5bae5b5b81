#pragma once
#include <cstdint>

#include "game/actors/actor.h"

// One entry of the enemy roster.
struct EnemyType {
  const Rect* frames;
  uint8_t frameCount;
  uint8_t frameHold;
  int32_t hp;
  int32_t score;
  int32_t anchor;
  int32_t behaviour;  // index into BehaviourTable
};

constexpr int32_t EnemyTypeCount = 9;
extern const EnemyType EnemyTypeTable[EnemyTypeCount];

// Reached per stage; all three stages share one roster and one behaviour table.
extern const EnemyType* const StageEnemyTypes[3];
extern const Behaviour* const StageBehaviours[3];
