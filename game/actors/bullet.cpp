#include "game/actors/bullet.h"

#include <cmath>

#include "game/actors/allocation.h"
#include "game/actors/ship.h"
#include "game/media/display.h"
#include "game/shell/game_status.h"
#include "game/shell/shared_state.h"

RecordList<Bullet> BulletList;
const Rect BulletFrame{54, 128, 64, 138};
const Rect BossBeamFrame{0, 144, 96, 176};
const Rect BossShotFrame{32, 128, 48, 144};

Bullet* CreateBullet(Bullet* b, int32_t x, int32_t y, int32_t speedX, int32_t speedY,
                     int32_t damage, const Rect* frame, int32_t sheet) {
  b->damage = damage;
  b->x = x;
  b->y = y;
  b->speedX = speedX;
  b->speedY = speedY;
  b->width = RectWidth(*frame);
  b->height = RectHeight(*frame);
  b->frame = frame;
  b->sheet = sheet;
  Append(BulletList, b);
  return b;
}

Bullet* SpawnBullet(int32_t x, int32_t y, int32_t speedX, int32_t speedY, int32_t damage,
                    const Rect* frame) {
  Bullet* b = NewRecord<Bullet>();
  if (!b) return nullptr;
  return CreateBullet(b, x, y, speedX, speedY, damage, frame, CommonSheet);
}

// Scales (dx, dy) to length s. With no direction to go by (the bullet sits
// on the aim point, or has no speed to rescale) it flies straight left at
// that speed, the way every enemy moves: the values stay finite and the
// bullet cannot hang in the playfield for ever.
static void PointAlong(Bullet* b, double dx, double dy, double s) {
  double d = std::sqrt(dx * dx + dy * dy);
  double sx = d > 0.0 ? dx / d * s : 0.0;
  double sy = d > 0.0 ? dy / d * s : 0.0;
  if (!(d > 0.0) || !std::isfinite(sx) || !std::isfinite(sy)) {
    sx = -s;
    sy = 0.0;
  }
  b->speedX = sx;
  b->speedY = sy;
}

void AimBullet(Bullet* b) {
  double dx = (GameStatus.X + 41) - b->x;
  double dy = (GameStatus.Y + 22) - (b->y + ScrollY);
  PointAlong(b, dx, dy, 2 * GameLevel + 4);
}

void SetBulletSpeed(Bullet* b, double speed) { PointAlong(b, b->speedX, b->speedY, speed); }

static bool HitsShip(const Bullet* b) {
  int32_t sy = static_cast<int32_t>(b->y + ScrollY);
  int32_t sx = static_cast<int32_t>(b->x);
  return sy + b->height >= GameStatus.Y + 22 && sy <= GameStatus.Y + 29 &&
         sx + b->width >= GameStatus.X + 44 && sx <= GameStatus.X + 63 && GameStatus.Energy > 0;
}

int32_t UpdateBullet(Bullet* b) {
  b->x += b->speedX;
  b->y += b->speedY;
  int32_t keep = b->x + b->width > -64 && b->y + b->height + ScrollY > -800 && b->x < 767 &&
                 b->y + ScrollY < 1279;
  if (HitsShip(b)) {
    // A ship that was hurt and lived takes the bullet; one that blinked or
    // died lets it fly on.
    b->damage = -TakeDamage(b->damage);
    if (b->damage <= 0) keep = 0;
  }
  return keep;
}

void DrawBullet(Bullet* b) {
  BlitClipped(static_cast<int32_t>(b->x), static_cast<int32_t>(b->y) + ScrollY, *b->frame,
              BlitColourKey, b->sheet);
}

void DrawAllBullets() {
  for (Bullet* b = BulletList.head; b; b = b->next) DrawBullet(b);
}

void UnlinkBullet(Bullet* b) { Unlink(BulletList, b); }
void FreeAllBullets() { FreeAll(BulletList); }
