#include "game/shell/shutdown.h"

#include <atomic>
#include <thread>

#include "game/actors/actor.h"
#include "game/actors/bullet.h"
#include "game/actors/shot.h"
#include "game/media/display.h"
#include "game/media/screen_effect.h"
#include "game/media/sound_bank.h"
#include "game/scores/score_file.h"
#include "game/shell/observers.h"
#include "game/shell/shared_state.h"

void (*OnShutdownWaitsForPalette)() = nullptr;

// Set while the main thread writes the palette. Each side announces itself
// before it looks at the other (sequentially consistent atomics), so either
// the restore sees ShuttingDown and keeps off, or Shutdown sees the restore
// and waits the few microseconds it takes before releasing the palette.
static std::atomic<int32_t> PaletteRestoring{0};

int32_t RestorePaletteOnActivation() {
  PaletteRestoring.store(1);
  int32_t free = !QuitConfirmed.load() && !ShuttingDown.load();
  if (free) {
    ScreenEffectSetMode(FadeRestore);
    ScreenEffectStep();
  }
  PaletteRestoring.store(0);
  return free;
}

static void WaitForPaletteRestore() {
  if (!PaletteRestoring.load()) return;
  if (OnShutdownWaitsForPalette) OnShutdownWaitsForPalette();
  while (PaletteRestoring.load()) std::this_thread::yield();
}

// Once, from whichever thread gets here first; the other thread has stopped
// using what this releases (the main thread waits for the game thread, and
// a palette restore on activation is waited for).
void Shutdown() {
  if (ShuttingDown.exchange(1) == 1) return;
  WaitForPaletteRestore();
  ReleaseDisplay();
  ReleaseSound();
  FreeAllShots();
  FreeAllActors();
  FreeAllBullets();
  SaveScores();
}
