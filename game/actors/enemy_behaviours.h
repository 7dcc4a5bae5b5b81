#pragma once
#include <cstdint>

#include "game/actors/actor.h"

// The eight enemy behaviours, by their index in BehaviourTable.
void StraightBehaviour(Actor* actor);    // 0
void BouncerBehaviour(Actor* actor);     // 1, also the boss's escorts
void FastBehaviour(Actor* actor);        // 2
void DashBehaviour(Actor* actor);        // 3
void LeftEntryBehaviour(Actor* actor);   // 4
void SwoopBehaviour(Actor* actor);       // 5
void ChaserBehaviour(Actor* actor);      // 6
void CirclerBehaviour(Actor* actor);     // 7

constexpr int32_t BehaviourCount = 8;
extern const Behaviour BehaviourTable[BehaviourCount];
