#include "game/actors/boss.h"

const Rect BossFrames[2] = {
    {1, 173, 161, 343},  // 160 x 170
    {7, 2, 161, 170},    // 154 x 168
};

// First cut: the boss slides in from the right and holds its place.
void BossBehaviour(Actor* a) {
  AnimationStep(a);
  if (a->x > 440) a->x -= 4;
}
