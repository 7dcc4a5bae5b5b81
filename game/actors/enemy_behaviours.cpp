#include "game/actors/enemy_behaviours.h"

#include <cmath>

#include "game/actors/bullet.h"
#include "game/actors/ship.h"
#include "game/media/random.h"
#include "game/shell/game_status.h"
#include "game/shell/shared_state.h"

// Every draw below comes from the shared generator in a fixed order, so a
// seed replays the same fight.

// One in 100 at level 0 up to one in 20 at level 4.
static int32_t LevelDraw(int32_t base) { return GlobalRandom.Next(base * (5 - GameLevel)); }

static Bullet* Fire(int32_t x, int32_t y, int32_t speedX, int32_t speedY) {
  return SpawnBullet(x, y, speedX, speedY, 1, &BulletFrame);
}

static void FireAimed(int32_t x, int32_t y, int32_t speedX) {
  Bullet* b = Fire(x, y, speedX, 0);
  if (b) AimBullet(b);
}

// The muzzle most enemies fire from: a little right of their centre.
static int32_t MuzzleX(const Actor* a, int32_t offset) { return a->x + a->width / 2 + offset; }
static int32_t MuzzleY(const Actor* a) { return a->y + a->height / 2; }

void StraightBehaviour(Actor* a) {
  AnimationStep(a);
  a->x -= 12;
  if (LevelDraw(20) == 0) Fire(MuzzleX(a, 8), MuzzleY(a), -7 - 2 * GameLevel, 0);
}

// Four bullets crosswise; the burst ends at the first that cannot be made.
static void FourWay(const Actor* a) {
  static constexpr int32_t Directions[4][2] = {{2, 2}, {2, -2}, {-2, 2}, {-2, -2}};
  int32_t scale = GameLevel + 1;
  for (const auto& d : Directions) {
    if (!Fire(MuzzleX(a, 8), MuzzleY(a), d[0] * scale, d[1] * scale)) return;
  }
}

// Turns at the top and bottom of the playfield without being clamped, so it
// may stand up to one step beyond the turning row for a frame.
void BouncerBehaviour(Actor* a) {
  AnimationStep(a);
  a->x -= 16;
  a->y += a->speedY;
  if (a->y <= 0 || a->y >= 799 - a->height) a->speedY = -a->speedY;
  a->counter += 1;
  if (a->counter >= 15 && LevelDraw(20) == 1) {
    a->counter = 0;
    FourWay(a);
  }
  if (LevelDraw(200) == 0) FireAimed(MuzzleX(a, 8), MuzzleY(a), -7);
}

void FastBehaviour(Actor* a) {
  AnimationStep(a);
  a->x -= 20;
}

// Brakes from 30 pixels a frame to a stop (465 pixels), may fire once there,
// then speeds off to the right.
void DashBehaviour(Actor* a) {
  AnimationStep(a);
  a->x += a->counter;
  a->counter += 1;
  if (a->counter == 0 && GlobalRandom.Next(2) == 0) FireAimed(MuzzleX(a, 8), MuzzleY(a), 0);
}

void LeftEntryBehaviour(Actor* a) {
  AnimationStep(a);
  a->x += 6;
  if (LevelDraw(20) == 0) {
    int32_t x = MuzzleX(a, 3);
    int32_t y = MuzzleY(a);
    Fire(x, y, GlobalRandom.Next(2) * 12 - 3, 0);  // -3 or +9
  }
}

// Sweeps right and away from the middle row for 29 frames, then turns back
// left, faster every frame.
void SwoopBehaviour(Actor* a) {
  AnimationStep(a);
  if (a->counter == 0) a->speedY = a->y > 240 ? -10 : 10;
  a->counter += 1;
  bool test = a->counter == 4 || (GameLevel >= 4 && GlobalRandom.Next(10) == 0);
  if (test && GlobalRandom.Next(2) == 1) {
    Bullet* b = Fire(MuzzleX(a, 3), MuzzleY(a), 0, 0);
    if (b) {
      AimBullet(b);
      SetBulletSpeed(b, GlobalRandom.Next(4) + 6);
    }
  }
  if (a->counter < 30) {
    a->x += 12;
    a->y += a->speedY;
  } else {
    a->x -= a->counter;
  }
}

// Flies left until level with the ship's front, then drifts back right
// after the ship, firing at it.
void ChaserBehaviour(Actor* a) {
  AnimationStep(a);
  a->x -= 12;
  if (a->x >= GameStatus.X + 32) return;
  bool fire = GlobalRandom.Next(3) == 0;  // drawn at every level
  if (fire || GameLevel >= 4) FireAimed(MuzzleX(a, 8), MuzzleY(a), 0);
  a->x += 16;
  a->y += GameStatus.Y > a->y + ScrollY ? 4 : -4;
}

// Runs a circle of radius 80, 10 degrees a frame, about a centre that
// drifts left a pixel a frame; counter holds the centre row (-1 for row 0,
// as 0 means "not yet started") and speedY the centre column.
void CirclerBehaviour(Actor* a) {
  if (a->counter == 0) {
    a->counter = a->y == 0 ? -1 : a->y;
    a->speedY = a->x;
  }
  a->speedY -= 1;
  double angle = a->speedY * 10 * 0.017453292222222222;  // pi taken as 3.1415926
  double c = std::cos(angle);
  double s = std::sin(angle);
  a->x = static_cast<int32_t>(c * 80) + a->speedY;
  a->y = static_cast<int32_t>(s * 80) + a->counter;
  if (GameLevel >= 3 || GlobalRandom.Next(2 * (3 - GameLevel)) == 0)
    Fire(a->x + a->width / 2, a->y + a->height / 2, static_cast<int32_t>(c * 8),
         static_cast<int32_t>(s * 8));
}

const Behaviour BehaviourTable[BehaviourCount] = {
    StraightBehaviour, BouncerBehaviour, FastBehaviour,  DashBehaviour,
    LeftEntryBehaviour, SwoopBehaviour,  ChaserBehaviour, CirclerBehaviour,
};
