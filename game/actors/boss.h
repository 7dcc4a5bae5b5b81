#pragma once
#include <cstdint>

#include "game/actors/actor.h"

// Frame 0 tracking (160 x 170), frame 1 attacking (154 x 168), on BossSheet.
extern const Rect BossFrames[2];

// Flips on every attack frame; an escort leaves when it turns 1. Starts at 1
// and is never reset, so a later boss may start on either parity.
extern int32_t EscortToggle;

// Slides in from the right, then tracks the ship and attacks by turns.
void BossBehaviour(Actor* actor);
