#include "game/shell/stage_loop.h"

#include <cstdio>

#include "game/actors/actor.h"
#include "game/actors/bullet.h"
#include "game/actors/ship.h"
#include "game/actors/shot.h"
#include "game/actors/stage_spawning.h"
#include "game/media/display.h"
#include "game/media/font.h"
#include "game/media/music_player.h"
#include "game/media/random.h"
#include "game/media/screen_effect.h"
#include "game/shell/game_status.h"
#include "game/shell/observers.h"
#include "game/shell/shared_state.h"
#include "game/shell/system_port.h"

uint32_t FrameTime = 0;
uint32_t LastTick = 0;
uint32_t FrameElapsed = 0;

void (*OnFrameWait)() = nullptr;
void (*OnFramePresented)() = nullptr;
void (*OnFrameWaitEnd)() = nullptr;

static void NoteFrameWait() {
  if (OnFrameWait) OnFrameWait();
}

static int32_t NextFrameDue() {
  if (OnFrameWaitEnd) OnFrameWaitEnd();
  return 0;
}

static void MusicFollowsRequest() {
  int32_t wanted = MusicWanted.load();
  if (wanted == 0 && MusicPlaying == 1) {
    MusicPlaying = 0;
    PauseMusic();
  } else if (wanted == 1 && MusicPlaying == 0) {
    MusicPlaying = 1;
    ResumeMusic();
  }
}

// The frozen scene, drawn only: nothing moves while the game is paused.
static void DrawPausedScene(int32_t blink) {
  DrawBackground();
  DrawStageStars();
  DrawAllShots();
  DrawAllActors();
  DrawAllBullets();
  if (BossActor && GetHp(BossActor) >= 1) DrawActor(BossActor);
  GameStatusDraw();
  DrawHud();
  if (blink) DrawFontText(266, 240, "* PAUSE *");
  PresentFrame();
}

int32_t FrameWait() {
  NoteFrameWait();
  if (PrimaryExists() && !QuitConfirmed.load()) PresentFrame();
  if (OnFramePresented) OnFramePresented();
  int32_t blink = 0;
  for (;;) {
    MusicFollowsRequest();
    if (QuitConfirmed.load()) return 2;
    if (AppActive.load() == 0) {
      PortSleep(IdleSleepMilliseconds);
      NoteFrameWait();
      continue;
    }
    uint32_t now = PortGetTickCount();
    FrameElapsed = now - LastTick;
    LastTick = now;
    if (Paused.load() == 0 || FrameCount < 0) {
      if (IsKeyHeld('T')) return NextFrameDue();  // T runs the game unpaced
      if (FrameElapsed == 0) continue;  // busy wait: no sleep while the game runs
      FrameTime += FrameElapsed;
      if (FrameTime > FrameMilliseconds) return NextFrameDue();
      continue;
    }
    blink ^= 1;
    DrawPausedScene(blink);
    PortSleep(IdleSleepMilliseconds);
    NoteFrameWait();
  }
}

void DrawBackground() {
  int32_t offset = static_cast<int32_t>(-(GameStatus.Y - 240) / 240.0 * 80.0) - 80;
  for (int32_t r = 0; r < 5; ++r) {
    bool ground = r == 4;
    Rect tile = ground ? Rect{128, 0, 256, 128} : Rect{0, 0, 128, 128};
    int32_t step = ground ? 16 : 1;
    for (int32_t k = 0; k < 6; ++k) {
      int32_t x = k * 128 - (FrameCount % (128 / step)) * step;
      if (IsFarOffScreen(x, r * 128, 128, 128)) continue;
      BlitClipped(x, r * 128 + offset, tile, BlitOpaque, BackSheet);
    }
  }
}

void DrawStarField(uint32_t seed, int32_t count, int32_t leastSpeed, int32_t spread,
                   int32_t counter) {
  Random stars(seed);  // made anew: the same stars every frame
  for (int32_t i = 0; i < count; ++i) {
    uint32_t base = static_cast<uint32_t>(stars.Next(16383));
    uint32_t speed = static_cast<uint32_t>(stars.Next(spread) + leastSpeed);
    int32_t x = static_cast<int32_t>((base - speed * static_cast<uint32_t>(counter)) & 0x3FFF);
    int32_t y = stars.Next(480);
    if (x >= -128 && x <= 674) BlitClipped(x - 35, y, Rect{0, 142, 32, 144}, BlitOpaque, CommonSheet);
  }
}

void DrawStageStars() { DrawStarField(StageStarSeed + StageNumber, 400, 32, 16, FrameCount); }

void StageIntro() {
  DrawFontText(320 - (12 * CaptionLength - 12) / 2, 100, CaptionText);
  char line[32];
  std::snprintf(line, sizeof line, "[STAGE %d]", StageNumber + 1);
  DrawFontText(260, 200, line);
  DrawFontText(98, 300, "(( WARING ))  This is 'TEST version'.");
  PresentFrame();
}

static void EnemyPass() {
  PassOver(EnemyList, [](Actor* a) {
    if (GameStatus.ClearFlag && GetHp(a) >= 1) DamageActor(a, 1000);  // clearing takes everyone
    BombCheck(a);
    if (GetHp(a) <= 0 && a == BossActor) BossDestroyed();
    bool alive = GetHp(a) >= 1;
    int32_t kept = UpdateActor(a);
    // Rammed to death in its own update, the boss clears the stage in this
    // frame all the same, as a shot that destroyed it would have.
    if (alive && GetHp(a) <= 0 && a == BossActor) BossDestroyed();
    if (!kept) {
      if (a == BossActor) BossActor = nullptr;  // never left pointing at a deleted boss
      return 0;
    }
    DrawActor(a);
    return 1;
  });
}

static void BulletPass() {
  if (GameStatus.ClearFlag) {
    FreeAllBullets();
    return;
  }
  PassOver(BulletList, [](Bullet* b) {
    if (!UpdateBullet(b)) return 0;
    DrawBullet(b);
    return 1;
  });
}

// The music fades over the 120 clearing frames: 127, 116, ..., 10, 0.
static int32_t ClearingStep() {
  int32_t counter = GameStatus.ClearCounter;
  if (counter % 10 == 0) SetMusicVolume(static_cast<int32_t>((120 - counter) / 120.0 * 127.0));
  return counter >= ClearingFrames;
}

int32_t StageLoop() {
  for (;;) {
    if (FrameWait() == 2) return Quit;
    if (IsFinished()) return GameOver;
    if (FrameCount >= 0) DrawBackground();
    FrameTime = 0;
    ScreenEffectStep();
    GameStatusUpdate(InputState.load());
    MapStep();
    PassOver(ShotList, [](Shot* s) { return UpdateShot(s); });
    SpawnStep();
    if (FrameCount == BossArrivalFrame) BossActor = CreateBoss();
    DrawStageStars();
    EnemyPass();
    BulletPass();
    if (BossActor) {
      if (GetHp(BossActor) >= 1) DrawActor(BossActor);  // above the bullets
      else BossActor = nullptr;
    }
    GameStatusDraw();
    DrawHud();
    if (GameStatus.ClearFlag && ClearingStep()) return StageCleared;
    FrameCount += 1;
  }
}
