#include "game/shell/game_status.h"

#include "game/actors/actor.h"
#include "game/actors/ship.h"
#include "game/media/display.h"
#include "game/media/font.h"
#include "game/media/music_player.h"
#include "game/media/screen_effect.h"
#include "game/media/sound_bank.h"
#include "game/shell/shared_state.h"
#include "game/shell/system_port.h"

GameStatusRecord GameStatus{0, 240, StartEnergy, {0}, StartTimer, 0, 0};

static constexpr Rect ShipFrame{0, 0, 83, 44};

void GameStatusInit(int32_t x, int32_t y, int32_t energy, int32_t timer) {
  GameStatus.X = x;
  GameStatus.Y = y;
  GameStatus.Energy = energy;
  GameStatus.ClearCounter = 0;
  GameStatus.ShotCooldown[0] = 0;
  GameStatus.Timer = timer;
  GameStatus.ClearFlag = 0;
}

int32_t TakeDamage(int32_t n) {
  if (GameStatus.Timer > VulnerableTimer || GameStatus.ClearFlag) return -n;
  GameStatus.Energy -= n;
  int32_t result = GameStatus.Energy;
  if (GameStatus.Energy <= 0) {
    MusicWanted.exchange(0);
    PauseMusic();
    MusicPlaying = 0;
    GameStatus.Energy = 0;
    result = -n;
  } else {
    ScreenEffectSetMode(5);  // a short white flash
    ScreenEffectResetCounter();
    ScreenEffectSetDuration(2);
    GameStatus.Timer = StartTimer;
  }
  CreateExplosion(GameStatus.X, GameStatus.Y - ScrollY, n);
  PlaySound(SoundDamage, 0, 0);
  return result;
}

void BossDestroyed() {
  if (GameStatus.Energy <= 0) return;  // a destroyed ship cannot clear the stage
  ScreenEffectSetMode(2);
  ScreenEffectResetCounter();
  ScreenEffectSetDuration(120);
  GameStatus.ClearFlag = 1;
}

int32_t IsFinished() { return GameStatus.Timer == 0 ? 1 : 0; }

// The lost ship's last 80 frames: explosion and fade first, the score for
// the name entry 78 frames later, the stage's end two frames after that.
static void DeathCountdown() {
  if (GameStatus.ClearFlag) GameStatus.ClearFlag = 0;
  if (GameStatus.Timer == VulnerableTimer) {
    PlaySound(SoundShipExplosion, GameStatus.X * 8 - 2560, 0);
    ScreenEffectSetMode(2);
    ScreenEffectSetDuration(82);
    ScreenEffectResetCounter();
  }
  GameStatus.Timer -= 1;
  if (GameStatus.Timer == 1) PortPostMessage(WmCommand, CommandEnterHighScore, TotalScore);
}

void GameStatusUpdate(int32_t input) {
  if (GameStatus.Energy <= 0) {
    DeathCountdown();
    return;
  }
  ShipUpdate(input);
}

void GameStatusDraw() {
  if (GameStatus.Energy <= 0) {
    DrawFontText(266, 240, "GAME OVER");
    return;
  }
  if (GameStatus.Timer > VulnerableTimer && GameStatus.Timer % 3 == 2) return;  // blink
  BlitClipped(GameStatus.X, GameStatus.Y, ShipFrame, BlitColourKey, CommonSheet);
}

struct CursorPiece {
  Rect source;
  int32_t dx;
  int32_t dy;
};

static constexpr CursorPiece CursorPieces[4] = {
    {{96, 160, 104, 168}, 1, 1},    // top left
    {{120, 160, 128, 168}, -1, 1},  // top right
    {{96, 184, 104, 192}, 1, -1},   // bottom left
    {{120, 184, 128, 192}, -1, -1}, // bottom right
};

static void DrawWeaponPanel() {
  BlitClipped(4, 34, Rect{96, 0, 128, 160}, BlitColourKey, CommonSheet);
  int32_t phase = static_cast<int32_t>((static_cast<uint32_t>(FrameCount) >> 1) % 4);
  int32_t slot = 32 * CurrentWeapon();
  for (const CursorPiece& p : CursorPieces) {
    int32_t x = 4 + (p.source.left - 96) + p.dx * phase;
    int32_t y = 34 + (p.source.top - 160) + p.dy * phase + slot;
    BlitClipped(x, y, p.source, BlitColourKey, CommonSheet);
  }
}

// Nine digits are all the line has: a score past them stays at 999999999
// (a counter stuck at its top reads truer than one that wraps), and a score
// below zero, which only an overflow could make, shows as 0.
int32_t DisplayedScore(int32_t score) {
  if (score > MaxDisplayedScore) return MaxDisplayedScore;
  return score < 0 ? 0 : score;
}

void DrawHud() {
  DrawWeaponPanel();
  DrawFontText(10, 10, "SCORE...");
  DrawFontNumber(100, 10, DisplayedScore(TotalScore), 1000000000);
  DrawFontText(500, 10, CaptionText);
  int32_t slide = FrameCount % 1000;
  if (slide < 50) DrawFontText(98, 150 + 2 * slide, "(( WARING ))  This is 'TEST version'.");
  if (GameStatus.Energy > 0) {
    int32_t w = static_cast<int32_t>(GameStatus.Energy / 15.0 * 96.0);
    BlitClipped(250, 10, Rect{0, 192, w, 208}, BlitOpaque, CommonSheet);
  }
}
