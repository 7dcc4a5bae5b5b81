#pragma once
#include <gtest/gtest.h>

#include <vector>

#include "game/actors/actor.h"
#include "game/actors/bullet.h"
#include "game/media/host/host_display.h"
#include "tools/sim/sim.h"

// Every test starts from the game's start-up state, with the sheets from
// the build's own data folder (a test may have pointed it elsewhere).
class World : public ::testing::Test {
 protected:
  void SetUp() override {
    HostSetDataDir(ZARVEL_DATA_DIR);
    ResetWorld();
  }
  void TearDown() override { SetUp(); }
};

// The blits of a record (HostBlits or HostBlitRequests) from one sheet.
inline std::vector<HostBlit> OnSheet(const std::vector<HostBlit>& record, int32_t sheet) {
  std::vector<HostBlit> found;
  for (const HostBlit& b : record)
    if (b.sheet == sheet) found.push_back(b);
  return found;
}

// For flow scenarios that must not depend on the stage's own terrain and
// waves: called from a frame hook, it takes everything away unscored.
inline void QuietStage() {
  FreeAllActors();
  FreeAllBullets();
  BossActor = nullptr;
}
