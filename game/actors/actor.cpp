#include "game/actors/actor.h"

#include <cstdint>

#include "game/actors/allocation.h"
#include "game/actors/bullet.h"
#include "game/actors/enemy_behaviours.h"
#include "game/actors/ship.h"
#include "game/media/display.h"
#include "game/media/random.h"
#include "game/media/sound_bank.h"
#include "game/shell/game_status.h"
#include "game/shell/shared_state.h"

RecordList<Actor> EnemyList;
Actor* BossActor = nullptr;
int32_t ThinningCounter = 0;

const Rect ExplosionFrames[2] = {
    {1, 114, 29, 140},  // small, 28 x 26
    {0, 48, 64, 112},   // large, 64 x 64
};

// Low levels send some enemies to a row below the playfield, where they are
// never seen: level 1 every other one, level 0 two of every three.
static int32_t ThinnedY(int32_t y, Behaviour behaviour, int32_t blitFlags, int32_t sheet) {
  int32_t placed = y;
  if (GameLevel >= 2 || ThinningCounter > 2 - GameLevel) {
    ThinningCounter = 0;
  } else {
    placed = ThinnedRow;
  }
  ThinningCounter += 1;
  if (behaviour == ExplodeBehaviour || sheet == BossSheet || blitFlags != 1) placed = y;
  return placed;
}

Actor* CreateActor(Actor* a, int32_t x, int32_t y, const Rect* frames, int32_t frameCount,
                   Behaviour behaviour, int32_t hp, int32_t score, int32_t burst,
                   int32_t frameHold, int32_t blitFlags, int32_t sheet, int32_t anchor) {
  a->anchor = static_cast<int8_t>(anchor);
  a->sheet = sheet;
  a->behaviour = behaviour;
  a->flash = 0;
  a->x = behaviour == LeftEntryBehaviour ? 2 - RectWidth(frames[0]) : x;
  a->y = ThinnedY(y, behaviour, blitFlags, sheet);
  a->frames = frames;
  a->frameCount = frameCount;
  a->hp = hp;
  a->score = score;
  a->burst = burst;
  a->frameHold = frameHold;
  a->frameIndex = 0;
  a->holdTick = 0;
  a->burstCounter = 0;
  a->counter = behaviour == DashBehaviour ? -30 : 0;
  a->speedY = GlobalRandom.Next(2) * 32 - 16;
  a->blitFlags = blitFlags;
  if (blitFlags == 1) Append(EnemyList, a);
  else Prepend(EnemyList, a);
  a->width = RectWidth(frames[0]);
  a->height = RectHeight(frames[0]);
  return a;
}

Actor* CreateExplosion(int32_t x, int32_t y, int32_t burst) {
  Actor* a = NewRecord<Actor>();
  if (!a) return nullptr;
  return CreateActor(a, x, y, ExplosionFrames, 1, ExplodeBehaviour, 0, 0, burst, 2, 1,
                     CommonSheet, AnchorNone);
}

void UnlinkActor(Actor* actor) { Unlink(EnemyList, actor); }
void FreeAllActors() { FreeAll(EnemyList); }
int32_t GetHp(const Actor* actor) { return actor->hp; }

static void PlayHitSound(const Actor* a) {
  PlaySound(GlobalRandom.Next(2) + SoundKin, a->x * 8 - 2560, 0);
}

// The score saturates instead of wrapping into the negative.
static void AddScore(int32_t points) {
  TotalScore = points > INT32_MAX - TotalScore ? INT32_MAX : TotalScore + points;
}

static void Destroy(Actor* a) {
  AddScore(a->score);
  a->score = 0;
  a->behaviour = ExplodeBehaviour;
}

int32_t DamageActor(Actor* a, int32_t damage) {
  a->hp -= damage;
  if (a->hp > 0) {
    if (a->flash <= 0) a->flash = 2;
    if (damage >= 1) PlayHitSound(a);
    return 0;
  }
  Destroy(a);
  return -a->hp;
}

static void SetSizeFromFrame(Actor* a) {
  a->width = RectWidth(a->frames[a->frameIndex]);
  a->height = RectHeight(a->frames[a->frameIndex]);
}

void AnimationStep(Actor* a) {
  SetSizeFromFrame(a);
  if (a->anchor == AnchorCentre) {
    a->x += a->width / 2;
    a->y += a->height / 2;
  } else if (a->anchor == AnchorBottomRight) {
    a->x += a->width;
    a->y += a->height;
  }
  a->holdTick += 1;
  if (a->holdTick > a->frameHold) {
    a->frameIndex += 1;
    a->holdTick = 0;
    if (a->frameIndex >= a->frameCount) a->frameIndex = 0;
  }
  SetSizeFromFrame(a);
  if (a->anchor == AnchorCentre) {
    a->x -= a->width / 2;
    a->y -= a->height / 2;
  } else if (a->anchor == AnchorBottomRight) {
    a->x -= a->width;
    a->y -= a->height;
  }
}

// At level 3 and up every sprite may fire an aimed shot now and then.
static void LevelShot(Actor* a) {
  if (a->blitFlags != 1 || a->hp <= 0 || GameLevel < 3) return;
  if (GlobalRandom.Next(250 - 50 * GameLevel) != 0) return;
  Bullet* b = SpawnBullet(a->x + a->width / 2 + 3, a->y + a->height / 2, 0, 0, 1, &BulletFrame);
  if (b) AimBullet(b);
}

// The ship's hit box is the 20 x 8 pixels from (sx + 44, sy + 22).
static bool TouchesShip(const Actor* a) {
  int32_t sx = GameStatus.X;
  int32_t sy = GameStatus.Y;
  return a->y + a->height + ScrollY >= sy + 22 && a->y + ScrollY <= sy + 29 &&
         a->x + a->width >= sx + 44 && a->x <= sx + 63;
}

static void RamShip(Actor* a) {
  int32_t left = TakeDamage(5);
  int32_t damage = left > 0 ? 5 : left + 5;
  a->hp -= damage;
  if (a->hp <= 0) {
    Destroy(a);
    return;
  }
  if (a->flash <= 0) a->flash = 2;
  if (damage >= 1) PlayHitSound(a);
}

int32_t IsFarOffScreen(int32_t x, int32_t y, int32_t width, int32_t height) {
  return (x + width <= -64 || y + height <= -800 || x >= 767 || y >= 1279) ? 1 : 0;
}

int32_t UpdateActor(Actor* a) {
  a->behaviour(a);
  LevelShot(a);
  if (a->flash > 0) a->flash -= 1;
  if (TouchesShip(a) && a->hp > 0 && GameStatus.Energy > 0) RamShip(a);
  return IsFarOffScreen(a->x, a->y + ScrollY, a->width, a->height) ? 0 : 1;
}

void DrawActor(Actor* a) {
  int32_t shake = a->flash != 0 ? GlobalRandom.Next(5) - 2 : 0;
  BlitClipped(a->x, a->y + ScrollY + shake, a->frames[a->frameIndex], a->blitFlags, a->sheet);
}

void DrawAllActors() {
  for (Actor* a = EnemyList.head; a; a = a->next) DrawActor(a);
}

// The wreck sinks, one row faster each frame, shedding one debris explosion
// a frame; then it bursts itself.
static bool BurstPhase(Actor* a) {
  SetSizeFromFrame(a);
  a->burstCounter += 1;
  int32_t ry = GlobalRandom.Next(a->height);
  int32_t rx = GlobalRandom.Next(a->width);
  CreateExplosion(a->x + rx - 32, a->y + ry - 32, 0);
  a->y += a->burstCounter;
  if (a->burst > a->burstCounter) return false;
  a->burstCounter = 0;
  a->burst = 0;
  a->blitFlags = 1;
  return true;
}

void ExplodeBehaviour(Actor* a) {
  if (a->burst != 0 && !BurstPhase(a)) return;
  a->anchor = AnchorCentre;
  if (a->burstCounter == 0) {
    PlaySound(SoundBoon, a->x * 8 - 2560, 0);
    a->frames = ExplosionFrames;
    a->frameIndex = 0;
    a->frameCount = 2;
    a->counter = 10;
    a->frameHold = 0;
    a->sheet = CommonSheet;
  }
  AnimationStep(a);
  a->burstCounter += 1;
  if (a->burstCounter > a->counter) a->y = 100000;  // the bounds test finishes it
}
