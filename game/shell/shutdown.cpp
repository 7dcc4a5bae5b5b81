#include "game/shell/shutdown.h"

#include "game/actors/actor.h"
#include "game/actors/bullet.h"
#include "game/actors/shot.h"
#include "game/media/display.h"
#include "game/media/sound_bank.h"
#include "game/scores/score_file.h"
#include "game/shell/shared_state.h"

// Once, from whichever thread gets here first; the other thread has stopped
// using what this releases (the main thread waits for the game thread).
void Shutdown() {
  if (ShuttingDown.exchange(1) == 1) return;
  ReleaseDisplay();
  ReleaseSound();
  FreeAllShots();
  FreeAllActors();
  FreeAllBullets();
  SaveScores();
}
