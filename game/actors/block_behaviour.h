#pragma once
#include <cstdint>

#include "game/actors/actor.h"

// Terrain blocks drift left 2 a frame: rows laid 32 frames apart then sit one
// block width (64) apart.
void BlockBehaviour(Actor* actor);

// Lays the blocks of one map row at the right edge. Stops at the first failed
// allocation; returns the number of blocks laid.
int32_t LayMapRow(const char* row);
