#pragma once
#include <cstdint>

#include "game/actors/record_list.h"
#include "game/media/rect.h"

// An enemy bullet: position and speed in doubles so aimed shots fly at any angle.
struct Bullet {
  int32_t damage;
  double x;
  double y;  // world row
  double speedX;
  double speedY;
  int32_t width;
  int32_t height;
  const Rect* frame;
  Bullet* next;
  Bullet* prev;
  int32_t sheet;
};

extern RecordList<Bullet> BulletList;
extern const Rect BulletFrame;     // 10 x 10, every enemy's bullet
extern const Rect BossBeamFrame;   // 96 x 32
extern const Rect BossShotFrame;   // 16 x 16

Bullet* CreateBullet(Bullet* bullet, int32_t x, int32_t y, int32_t speedX, int32_t speedY,
                     int32_t damage, const Rect* frame, int32_t sheet);
// Allocates and creates on the common sheet; null when the allocation failed.
Bullet* SpawnBullet(int32_t x, int32_t y, int32_t speedX, int32_t speedY, int32_t damage,
                    const Rect* frame);
void AimBullet(Bullet* bullet);
void SetBulletSpeed(Bullet* bullet, double speed);
int32_t UpdateBullet(Bullet* bullet);
void DrawBullet(Bullet* bullet);
void DrawAllBullets();
void UnlinkBullet(Bullet* bullet);
void FreeAllBullets();
