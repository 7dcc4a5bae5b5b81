#include "game/shell/start_up.h"

#include "game/media/display.h"
#include "game/media/screen_effect.h"
#include "game/media/sound_bank.h"
#include "game/media/stage_sheets.h"
#include "game/scores/score_file.h"
#include "game/shell/game_thread.h"
#include "game/shell/shared_state.h"

int32_t StartUpGame(uintptr_t window) {
  MusicWanted.exchange(0);
  MusicPlaying = 0;
  if (!InitSound(reinterpret_cast<void*>(window))) return 0;
  LastDisplayResult = InitDisplay(window);
  if (LastDisplayResult != 0 || !LoadStartUpSheets()) return 0;
  LoadScores();
  ResetGame();
  ScreenEffectInit(10, GamePalette);
  ScreenEffectSetDuration(5);
  return 1;
}
