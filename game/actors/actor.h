#pragma once
#include <cstdint>

#include "game/actors/record_list.h"
#include "game/media/rect.h"

struct Actor;
using Behaviour = void (*)(Actor*);

// Every enemy, terrain block, boss, escort and explosion.
struct Actor {
  int32_t hp;  // 1 or more: alive
  int32_t x;   // screen column
  int32_t y;   // world row
  int32_t width;
  int32_t height;
  int16_t flash;  // hit-flash timer: drawn shaken while not 0
  const Rect* frames;
  int32_t frameIndex;
  int32_t frameCount;
  Behaviour behaviour;
  int32_t counter;
  int32_t speedY;
  int32_t frameHold;  // a frame is shown frameHold + 1 updates
  int32_t holdTick;
  int32_t blitFlags;  // 1: colour-keyed sprite at the tail; 0: opaque at the head
  int32_t score;
  Actor* next;
  Actor* prev;
  int32_t sheet;
  int8_t anchor;  // kept still when the frame size changes: 0 corner, 1 centre, 2 bottom-right
  int32_t burst;  // debris explosions still to come after destruction
  int32_t burstCounter;
};

enum ActorAnchor : int8_t { AnchorNone = 0, AnchorCentre = 1, AnchorBottomRight = 2 };

extern RecordList<Actor> EnemyList;
extern Actor* BossActor;
extern int32_t ThinningCounter;
extern const Rect ExplosionFrames[2];

// Row far below the playfield where thinned-out enemies are put.
constexpr int32_t ThinnedRow = 1407;

Actor* CreateActor(Actor* actor, int32_t x, int32_t y, const Rect* frames, int32_t frameCount,
                   Behaviour behaviour, int32_t hp, int32_t score, int32_t burst,
                   int32_t frameHold, int32_t blitFlags, int32_t sheet, int32_t anchor);
void UnlinkActor(Actor* actor);
void FreeAllActors();
int32_t GetHp(const Actor* actor);
int32_t DamageActor(Actor* actor, int32_t damage);
int32_t UpdateActor(Actor* actor);
void DrawActor(Actor* actor);
void DrawAllActors();
void AnimationStep(Actor* actor);
void ExplodeBehaviour(Actor* actor);

// An explosion actor with its debris count: what a hit on the ship leaves.
Actor* CreateExplosion(int32_t x, int32_t y, int32_t burst);

// The coarse playfield test shared by drawing and UpdateActor.
int32_t IsFarOffScreen(int32_t x, int32_t y, int32_t width, int32_t height);
