#pragma once
#include "game/actors/actor.h"

extern const Rect BossFrames[2];
void BossBehaviour(Actor* actor);
