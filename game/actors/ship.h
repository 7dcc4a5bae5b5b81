#pragma once
#include <cstdint>

#include "game/actors/shot.h"
#include "game/media/rect.h"

struct Actor;

// World row + ScrollY = screen row; 0 with the ship at the top, -288 at the bottom.
extern int32_t ScrollY;

struct Weapon {
  int32_t dx;  // muzzle from the ship's corner
  int32_t dy;
  Rect frame;
  int32_t damage;
  int32_t cooldown;
  int32_t shots;
  ShotMove move;
  int32_t sound;
};

constexpr int32_t WeaponCount = 5;
extern const Weapon WeaponTable[WeaponCount];
// SelectedWeapon as the game thread uses it: it comes from the main thread,
// so anything the table does not hold reads as weapon 0.
int32_t CurrentWeapon();

// The living ship's frame: timers, movement, fire, bomb, view offset.
void ShipUpdate(int32_t input);
void FireWeapon();
void FireBomb();
void BombCheck(Actor* actor);
int32_t ScrollYForShip(int32_t shipY);
