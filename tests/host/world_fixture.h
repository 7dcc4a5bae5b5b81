#pragma once
#include <gtest/gtest.h>

#include <string>
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

// A behaviour that does nothing: the actor stays where it was put.
inline void Still(Actor*) {}

// A key script from its text, in tzk-sim's --keys form.
inline std::vector<KeyChange> Keys(const std::string& text) {
  std::vector<KeyChange> script;
  std::string error;
  EXPECT_TRUE(ParseKeyScript(text, script, error)) << error;
  return script;
}

// A little-endian 32-bit value into a byte buffer at a place.
inline void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = uint8_t(v >> (8 * i));
}

// For flow scenarios that must not depend on the stage's own terrain and
// waves: called from a frame hook, it takes everything away unscored.
inline void QuietStage() {
  FreeAllActors();
  FreeAllBullets();
  BossActor = nullptr;
}
