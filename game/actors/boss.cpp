#include "game/actors/boss.h"

#include "game/actors/allocation.h"
#include "game/actors/bullet.h"
#include "game/actors/enemy_behaviours.h"
#include "game/actors/ship.h"
#include "game/media/display.h"
#include "game/media/random.h"
#include "game/shell/game_status.h"

const Rect BossFrames[2] = {
    {1, 173, 161, 343},  // 160 x 170
    {7, 2, 161, 170},    // 154 x 168
};

int32_t EscortToggle = 1;

constexpr int32_t BossStopColumn = 460;  // from 639 it stops at 459 after 60 frames
constexpr int32_t BossGunRow = 65;
constexpr int32_t BossBeamRow = 112;  // the beam covers the boss's rows 112 to 143

// Row 128 of the boss is brought level with row 22 of the ship: the beam then
// crosses the ship's hit box.
static void TrackShip(Actor* a) {
  if (a->y + ScrollY + 128 < GameStatus.Y + 22) a->y += 2;
  else a->y -= 2;
}

// An image of the boss that bounces away; made directly, so never thinned.
static void ReleaseEscort(const Actor* boss) {
  Actor* e = NewRecord<Actor>();
  if (!e) return;
  e->x = boss->x;
  e->y = boss->y;
  e->hp = 1;
  e->score = 100;
  e->burst = 1;
  e->burstCounter = 0;
  e->behaviour = BouncerBehaviour;
  e->counter = 0;
  e->speedY = GlobalRandom.Next(2) * 32 - 16;
  e->frames = BossFrames;
  e->frameIndex = 0;
  e->frameCount = 2;
  e->frameHold = 2;
  e->holdTick = 0;
  e->flash = 0;
  e->blitFlags = BlitColourKey;
  e->sheet = BossSheet;
  e->anchor = AnchorNone;
  e->width = RectWidth(BossFrames[0]);
  e->height = RectHeight(BossFrames[0]);
  Append(EnemyList, e);
}

// Each piece is allocated on its own: one that fails leaves the others.
static void Attack(Actor* a) {
  int32_t gunX = a->x + a->width / 2 + 8;
  SpawnBullet(gunX, a->y + BossBeamRow, -44, 0, 5, &BossBeamFrame);
  Bullet* shot = NewRecord<Bullet>();
  if (shot) {
    int32_t speedX = -40 - GlobalRandom.Next(30);
    CreateBullet(shot, gunX, a->y + BossGunRow, speedX, 0, 1, &BossShotFrame, CommonSheet);
  }
  EscortToggle = EscortToggle == 0 ? 1 : 0;
  if (EscortToggle == 1) ReleaseEscort(a);
}

void BossBehaviour(Actor* a) {
  BossActor = a;
  if (a->x > BossStopColumn) {
    a->x -= 3;  // entering: no animation, no fire
    return;
  }
  AnimationStep(a);
  if (a->frameIndex == 0) TrackShip(a);
  else Attack(a);
}
