#pragma once
#include <cstdint>

// The player ship's state during a stage.
struct GameStatusRecord {
  int32_t X;  // screen column of the ship's left edge, 0 to 564
  int32_t Y;  // screen row of its top edge, 0 to 432
  int32_t Energy;
  int32_t ShotCooldown[1];  // frames until the next shot or bomb
  int32_t Timer;  // alive: invulnerable above 80; destroyed: death countdown
  int32_t ClearCounter;
  int32_t ClearFlag;
};

extern GameStatusRecord GameStatus;

constexpr int32_t StartEnergy = 15;
constexpr int32_t StartTimer = 110;
constexpr int32_t VulnerableTimer = 80;

void GameStatusInit(int32_t x, int32_t y, int32_t energy, int32_t timer);
// The remaining energy when the ship survives a hit; -n when the hit was
// ignored or destroyed the ship.
int32_t TakeDamage(int32_t n);
void BossDestroyed();
int32_t IsFinished();
void GameStatusUpdate(int32_t input);
void GameStatusDraw();
void DrawHud();
// What the score line shows: nine digits, held at 999999999 beyond.
constexpr int32_t MaxDisplayedScore = 999999999;
int32_t DisplayedScore(int32_t score);
