#include "game/shell/shutdown.h"

#include "game/actors/actor.h"
#include "game/actors/bullet.h"
#include "game/actors/shot.h"
#include "game/media/display.h"
#include "game/shell/shared_state.h"

// The display objects, sound buffers and score file join this as their
// parts arrive; the lists are the game thread's own.
void Shutdown() {
  if (ShuttingDown.exchange(1) == 1) return;
  FreeAllShots();
  FreeAllActors();
  FreeAllBullets();
  ReleaseDisplay();
}
