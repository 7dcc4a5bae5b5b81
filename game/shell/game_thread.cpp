#include "game/shell/game_thread.h"

#include "game/actors/actor.h"
#include "game/actors/bullet.h"
#include "game/actors/shot.h"
#include "game/actors/stage_spawning.h"
#include "game/media/display.h"
#include "game/media/music_player.h"
#include "game/media/screen_effect.h"
#include "game/media/stage_sheets.h"
#include "game/shell/game_status.h"
#include "game/shell/observers.h"
#include "game/shell/shared_state.h"
#include "game/shell/shutdown.h"
#include "game/shell/stage_loop.h"
#include "game/shell/system_port.h"
#include "game/shell/title_screen.h"

const char* const StageMusicFiles[3] = {"Fighters.mds", "sadness.mds", "sadness.mds"};

void (*OnStageEnd)(int32_t result) = nullptr;

void ResetGame() {
  if (ShuttingDown.load() == 1) return;
  BossActor = nullptr;
  FrameElapsed = 0;
  LastTick = 0;
  ScriptIndex = 0;
  ScriptBase = 0;
  FreeAllShots();
  FrameTime = 0;
  FrameCount = 0;
  GameStatusInit(0, 240, StartEnergy, StartTimer);
  FreeAllBullets();
  FreeAllActors();
  Paused.exchange(0);
  SelectedWeapon.exchange(0);
  MapTick = 64;  // so the map reads a row on the first frame
}

void SetUpStage() {
  StageIntro();
  LoadStageSheets(StageNumber);  // also holds the introduction on screen
  GameStatusInit(0, 240, StartEnergy, StartTimer);
  // Holding M here keeps the ship invulnerable, and blinking, all stage.
  if (IsKeyHeld('M')) GameStatus.Timer = 1000000;
  ScreenEffectSetMode(4);  // in from black over ten frames
  ScreenEffectSetDuration(10);
  ScreenEffectResetCounter();
  ScreenEffectStep();
  Paused.exchange(0);  // undoes a pause pressed during the set-up
  MusicWanted.exchange(1);
  PlayMusic(StageMusicFiles[StageNumber], 1);
  SetMusicVolume(127);
  MusicPlaying = 1;
}

void TearDownStage() {
  FillBackBuffer(0);
  if (PrimaryExists() && !QuitConfirmed.load()) PresentFrame();
  FillBackBuffer(0);  // both buffers black
  ScreenEffectSetMode(6);  // the normal palette back behind the black screen
  ScreenEffectStep();
  MusicWanted.exchange(0);
  StopMusic();
  MusicPlaying = 0;
}

static void EndThread() {
  PortPostMessage(WmClose, 0, 0);
  Shutdown();
}

void GameThread(void*) {
  int32_t result = GameOver;
  for (;;) {
    FrameCount = -1;
    if (result == GameOver && !TitleScreen()) {
      EndThread();
      return;
    }
    if (FatalErrorCode.load() != 0 || ShuttingDown.load() == 1) {
      EndThread();
      return;
    }
    SetUpStage();
    result = StageLoop();
    if (OnStageEnd) OnStageEnd(result);
    TearDownStage();
    if (result == StageCleared) {
      StageNumber += 1;
      if (StageNumber >= 3) result = AllStagesCleared;
      ResetGame();
    }
    if (QuitConfirmed.load() || result == Quit) {
      Shutdown();
      PortPostMessage(WmClose, 0, 0);
      return;
    }
    if (result == AllStagesCleared) {
      result = StageCleared;
      StageNumber = 0;
      GameLevel += 1;
      if (GameLevel > 4) {  // the whole game is complete
        PortPostMessage(WmCommand, CommandEnterHighScore, TotalScore);
        result = GameOver;
      }
    }
    if (result == GameOver) {
      TotalScore = 0;
      ResetGame();
      GameLevel = 2;
    }
  }
}
