#pragma once
#include <gtest/gtest.h>

#include "tools/sim/sim.h"

// Every test starts from the game's start-up state.
class World : public ::testing::Test {
 protected:
  void SetUp() override { ResetWorld(); }
  void TearDown() override { ResetWorld(); }
};
