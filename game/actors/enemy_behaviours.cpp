#include "game/actors/enemy_behaviours.h"

// First cut: every enemy animates and flies left; the patterns and their
// fire come with the enemy roster.
static void FlyLeft(Actor* a, int32_t speed) {
  AnimationStep(a);
  a->x -= speed;
}

void StraightBehaviour(Actor* a) { FlyLeft(a, 12); }
void BouncerBehaviour(Actor* a) { FlyLeft(a, 16); }
void FastBehaviour(Actor* a) { FlyLeft(a, 20); }
void DashBehaviour(Actor* a) { FlyLeft(a, 12); }
void LeftEntryBehaviour(Actor* a) {
  AnimationStep(a);
  a->x += 12;
}
void SwoopBehaviour(Actor* a) { FlyLeft(a, 12); }
void ChaserBehaviour(Actor* a) { FlyLeft(a, 6); }
void CirclerBehaviour(Actor* a) { FlyLeft(a, 8); }

const Behaviour BehaviourTable[BehaviourCount] = {
    StraightBehaviour, BouncerBehaviour, FastBehaviour,  DashBehaviour,
    LeftEntryBehaviour, SwoopBehaviour,  ChaserBehaviour, CirclerBehaviour,
};
