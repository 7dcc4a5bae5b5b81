#include "game/actors/ship.h"

#include "game/actors/actor.h"
#include "game/actors/allocation.h"
#include "game/actors/bullet.h"
#include "game/media/screen_effect.h"
#include "game/media/sound_bank.h"
#include "game/shell/game_status.h"
#include "game/shell/shared_state.h"

int32_t ScrollY = 0;

static void MoveStraight(Shot* s) { s->x += 30; }

static void MoveAccelerating(Shot* s) {
  s->param += 5;
  s->x += s->param;
}

// The laser stays level with the ship while fire is held on weapon 2; once
// let go (param -1) it flies on straight for good.
static void MoveLaser(Shot* s) {
  s->x += 60;
  if ((InputState.load() & InputFire) && CurrentWeapon() == 2 && s->param == 0) {
    s->y = GameStatus.Y - ScrollY + 19;
  } else {
    s->param = -1;
  }
}

static void MoveSpread(Shot* s) {
  s->x += 30;
  s->y += s->param;
}

// The outer shots spread, then wobble back toward the middle one.
static void MoveWobble(Shot* s) {
  s->x += 15;
  s->y += s->param;
  if (s->param != 0) s->param += s->param <= -1 ? 13 : -13;
}

// Muzzle rows: 22 (weapons 0, 2) or 24 (1, 3, 4) less half the shot's height.
static constexpr int32_t Muzzle(int32_t base, Rect frame) { return base - RectHeight(frame) / 2; }

constexpr Rect Shot0{0, 184, 16, 192};
constexpr Rect Shot1{64, 48, 96, 144};
constexpr Rect Shot2{0, 176, 96, 181};
constexpr Rect Shot3{56, 120, 64, 128};
constexpr Rect Shot4{32, 112, 48, 128};

const Weapon WeaponTable[WeaponCount] = {
    // dx  dy                frame  dmg cool shots move              sound
    {55, Muzzle(22, Shot0), Shot0, 1, 2, 1, MoveStraight, SoundShot1},
    {71, Muzzle(24, Shot1), Shot1, 5, 3, 1, MoveAccelerating, SoundShot2},
    {-8, Muzzle(22, Shot2), Shot2, 4, 0, 1, MoveLaser, SoundShot3},
    {60, Muzzle(24, Shot3), Shot3, 1, 2, 3, MoveSpread, SoundShot4},
    {60, Muzzle(24, Shot4), Shot4, 3, 3, 3, MoveWobble, SoundShot5},
};

int32_t ScrollYForShip(int32_t shipY) {
  return static_cast<int32_t>(-((shipY - 240) / 240.0) * 160.0) - 160;
}

// The ship's sounds are placed at its column, like every actor's.
static int32_t ShipPan() { return GameStatus.X * 8 - 2560; }

int32_t CurrentWeapon() {
  uint32_t w = static_cast<uint32_t>(SelectedWeapon.load());
  return w < WeaponCount ? static_cast<int32_t>(w) : 0;
}

void FireWeapon() {
  // Read once: a change mid-press cannot mix weapons.
  const Weapon& weapon = WeaponTable[CurrentWeapon()];
  for (int32_t n = weapon.shots, k = 1; n > 0; --n, k = (k + 2) % 3) {
    Shot* s = NewRecord<Shot>();
    if (s) {
      CreateShot(s, GameStatus.X + weapon.dx, GameStatus.Y + weapon.dy - ScrollY, weapon.move,
                 weapon.damage, &weapon.frame, (k - 1) * 30);
    }
    GameStatus.ShotCooldown[0] = weapon.cooldown;
  }
  PlaySound(weapon.sound, ShipPan(), 0);
}

void FireBomb() {
  FreeAllBullets();
  GameStatus.ShotCooldown[0] = 50;
  ScreenEffectSetMode(1);
  ScreenEffectResetCounter();
  ScreenEffectSetDuration(10);
  PlaySound(SoundFlash, ShipPan(), 0);
}

// The blast lands in the second to fourth frames after the bomb.
void BombCheck(Actor* actor) {
  int32_t cooldown = GameStatus.ShotCooldown[0];
  if (cooldown >= 46 && cooldown <= 48 && GetHp(actor) >= 1) DamageActor(actor, 5);
}

static void Move(int32_t input) {
  if ((input & InputRight) && GameStatus.X < 557) GameStatus.X += 12;
  if ((input & InputLeft) && GameStatus.X > 0) GameStatus.X -= 12;
  if ((input & InputDown) && GameStatus.Y < 428) GameStatus.Y += 8;
  if ((input & InputUp) && GameStatus.Y > 0) GameStatus.Y -= 8;
}

void ShipUpdate(int32_t input) {
  if (GameStatus.ClearFlag) GameStatus.ClearCounter += 1;
  if (GameStatus.Timer > VulnerableTimer) GameStatus.Timer -= 1;
  if (GameStatus.ShotCooldown[0] >= 0) GameStatus.ShotCooldown[0] -= 1;
  Move(input);
  if ((input & InputFire) && GameStatus.ShotCooldown[0] <= 0) FireWeapon();
  if ((input & InputBomb) && GameStatus.ShotCooldown[0] <= 0) FireBomb();
  ScrollY = ScrollYForShip(GameStatus.Y);
}
