#include "game/shell/title_screen.h"

#include "game/actors/actor.h"
#include "game/actors/bullet.h"
#include "game/actors/shot.h"
#include "game/media/display.h"
#include "game/media/font.h"
#include "game/shell/game_status.h"
#include "game/shell/shared_state.h"
#include "game/shell/stage_loop.h"

static const char* const LevelLabels[5] = {
    "* VERY EASY *", "* EASY *", "* NOMAL *", "* HARD! *", "* VERY HARD!! *",
};

// First cut of the title: the star field and the chosen level, paced by
// FrameWait; fire starts the game. The live ship, the explosions and the
// level choice come with the full title screen.
int32_t TitleScreen() {
  FreeAllShots();
  FreeAllBullets();
  FreeAllActors();
  GameStatusInit(0, 240, StartEnergy, StartTimer);
  for (int32_t frame = 0;; ++frame) {
    FillBackBuffer(0);
    DrawStarField(StageStarSeed + 10, 200, 64, 32, frame);
    DrawFontText(200, 300, LevelLabels[GameLevel]);
    if (FrameWait() == 2) return 0;
    if (InputState.load() & InputFire) {
      FillBackBuffer(0);
      return 1;
    }
  }
}
