#pragma once
#include <gtest/gtest.h>

#include "game/actors/actor.h"
#include "game/actors/bullet.h"
#include "tools/sim/sim.h"

// Every test starts from the game's start-up state.
class World : public ::testing::Test {
 protected:
  void SetUp() override { ResetWorld(); }
  void TearDown() override { ResetWorld(); }
};

// For flow scenarios that must not depend on the stage's own terrain and
// waves: called from a frame hook, it takes everything away unscored.
inline void QuietStage() {
  FreeAllActors();
  FreeAllBullets();
  BossActor = nullptr;
}
