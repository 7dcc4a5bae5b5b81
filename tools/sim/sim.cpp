#include "tools/sim/sim.h"

#include <cstdlib>
#include <cstring>
#include <thread>

#include "game/actors/actor.h"
#include "game/actors/boss.h"
#include "game/actors/bullet.h"
#include "game/actors/host/host_allocation.h"
#include "game/actors/ship.h"
#include "game/actors/shot.h"
#include "game/actors/stage_maps.h"
#include "game/media/display.h"
#include "game/media/host/host_display.h"
#include "game/media/music_player.h"
#include "game/media/random.h"
#include "game/media/screen_effect.h"
#include "game/media/sound_bank.h"
#include "game/replay/option_values.h"
#include "game/replay/state_hash.h"
#include "game/shell/game_status.h"
#include "game/shell/game_thread.h"
#include "game/shell/input_rules.h"
#include "game/shell/host/host_system.h"
#include "game/shell/observers.h"
#include "game/shell/shared_state.h"
#include "tools/sim/screenshot.h"
#include "tools/sim/sim_audio.h"

const char* SimUsage() {
  return "usage: tzk-sim [--stage S] [--level L] [--seed N] [--frames N] [--games N]\n"
         "               [--keys FILE] [--shot FRAME:FILE.png] [--data DIR] [--hash]\n"
         "               [--audio FILE.wav]\n"
         "Plays ZARVEL on a simulated clock, from the title screen until the game is\n"
         "over (or the frame limit), and prints one line per stage played:\n"
         "  stage=S level=L result=RESULT frames=F score=X energy=E\n"
         "preceded, for a cleared stage, by the frame and the cause of the clearing:\n"
         "  clear stage=S frame=F by=boss|map\n"
         "  --stage S    start stage 0..2 (default 0)\n"
         "  --level L    difficulty 0..4 (default 2)\n"
         "  --seed N     seed of the game's random generator (decimal or 0x hex)\n"
         "  --frames N   stop after N frames; the running stage reports result=Running\n"
         "  --games N    play N games (lost or completed) before stopping (default 1)\n"
         "  --keys FILE  key script, one change a line: FRAME KEY...\n"
         "               keys held from that frame on: up down left right fire bomb M;\n"
         "               one-frame presses: weapon pause quit; no key releases all;\n"
         "               '#' starts a comment. FRAME counts every frame the game\n"
         "               waits for, title screen included, from 0 (while paused,\n"
         "               each half-second redraw counts as one). Without a script\n"
         "               fire is held from frame 0.\n"
         "  --shot FRAME:FILE.png  write the screen as it is when the game waits for\n"
         "               frame FRAME (the frame drawn before it, shown at this wait),\n"
         "               in the colours of that moment; may be given more than once\n"
         "  --data DIR   folder of the bitmaps (default: the build's data folder)\n"
         "  --hash       print 'frame=N hash=H' for every frame: a fingerprint of the\n"
         "               game's state as the frame before it left it\n"
         "  --audio FILE.wav  write what the run sounds like: the effects and the\n"
         "               music on the simulated clock (16-bit stereo, 22050 Hz)\n";
}

static int ParseShot(const char* text, SimOptions& o) {
  SimOptions::Shot shot;
  if (!ParseFramePath(text, shot.frame, shot.file)) return 0;
  o.shots.push_back(shot);
  return 1;
}

static OptionResult TakeSimOption(const std::string& arg, const char* value, void* options) {
  SimOptions& o = *static_cast<SimOptions*>(options);
  if (arg == "--help" || arg == "-h") return o.help = true, OptionFlag;
  if (arg == "--hash") return o.hashes = true, OptionFlag;
  int64_t v = 0;
  int ok = 1;
  if (arg == "--stage") ok = ParseOptionNumber(value, 0, 2, v), o.stage = int32_t(v);
  else if (arg == "--level") ok = ParseOptionNumber(value, 0, 4, v), o.level = int32_t(v);
  else if (arg == "--seed") ok = ParseOptionNumber(value, 0, 0xFFFFFFFFLL, v), o.seed = uint32_t(v);
  else if (arg == "--frames") ok = ParseOptionNumber(value, 0, 1LL << 40, v), o.frames = v;
  else if (arg == "--games") ok = ParseOptionNumber(value, 1, 1000000, v), o.games = int32_t(v);
  else if (arg == "--keys") ok = value != nullptr, o.keysFile = value ? value : "";
  else if (arg == "--data") ok = value != nullptr, o.dataDir = value ? value : "";
  else if (arg == "--shot") ok = ParseShot(value, o);
  else if (arg == "--audio") ok = value != nullptr, o.audioFile = value ? value : "";
  else return OptionUnknown;
  return ok ? OptionTakesValue : OptionBadValue;
}

int ParseSimArgs(int argc, const char* const* argv, SimOptions& o, std::string& error) {
  return WalkOptions(argc, argv, TakeSimOption, &o, error);
}

void ResetWorld() {
  FreeAllShots();
  FreeAllBullets();
  FreeAllActors();
  BossActor = nullptr;
  ThinningCounter = 0;
  EscortToggle = 1;
  for (auto* flag : {&InputState, &Paused, &MusicWanted, &SelectedWeapon, &QuitConfirmed,
                     &ShuttingDown, &FatalErrorCode})
    flag->store(0);
  AppActive.store(1);
  MusicPlaying = 0;
  StageNumber = 0;
  GameLevel = 2;
  TotalScore = 0;
  FrameCount = 0;
  ScrollY = 0;
  GameStatusInit(0, 240, StartEnergy, StartTimer);
  GlobalRandom.SetSeed(RandomBaseSeed);
  ResetAudio();
  HostResetSystem();
  HostResetDisplay();
  ScreenEffectInit(10, GamePalette);
  ScreenEffectSetDuration(5);
  HostFailAllocations(0, 0);
  SetCaptionText("ZARVEL  -  a horizontally scrolling shooter");
  ResetGame();
}

namespace {
// The simulator plays the main thread's part from inside the frame waits.
struct SimState {
  const std::vector<KeyChange>* script = nullptr;
  size_t next = 0;
  int64_t frame = 0;
  int64_t limit = -1;
  bool stopping = false;
  bool limitHit = false;
  int32_t gamesLeft = 1;
  int32_t clearedAt = -1;
  bool hashes = false;
  SimRun* run = nullptr;
  SimFrameHook hook;
  const std::vector<SimOptions::Shot>* shots = nullptr;
};
SimState Sim;
}  // namespace

// The main thread's part: the script's keys through the window's own rules.
static void ApplyChange(const KeyChange& change) {
  ApplyKeyFrame(change.held, change.weapon, change.pause);
  HostSetKeyHeld('M', change.holdM);
  if (change.quit) QuitConfirmed.exchange(1);
}

static void SimFrameWait() {
  if (QuitConfirmed.load()) return;
  if (Sim.stopping || (Sim.limit >= 0 && Sim.frame >= Sim.limit)) {
    Sim.limitHit = !Sim.stopping;
    QuitConfirmed.exchange(1);
    return;
  }
  for (const SimOptions::Shot& shot : *Sim.shots)
    if (shot.frame == Sim.frame) Sim.run->shotsWritten += WriteScreenshot(shot.file);
  // The flag is raised during a frame; this wait opens the next one.
  if (GameStatus.ClearFlag && Sim.clearedAt < 0 && FrameCount > 0) Sim.clearedAt = FrameCount - 1;
  if (Sim.hashes) Sim.run->hashes.push_back(GameStateHash());
  CaptureAudioFrame();
  if (Sim.hook) Sim.hook(Sim.frame);
  const std::vector<KeyChange>& script = *Sim.script;
  if (Sim.next < script.size() && script[Sim.next].frame == Sim.frame) ApplyChange(script[Sim.next++]);
  Sim.frame += 1;
  Sim.run->framesWaited = Sim.frame;
}

static const char* ResultName(int32_t result) {
  switch (result) {
    case GameOver: return "GameOver";
    case StageCleared: return "StageCleared";
    default: return Sim.limitHit ? "Running" : "Quit";
  }
}

// Only the map's clearing row and the boss clear a stage; the map's row
// comes at a frame fixed by the map's length.
static const char* ClearedBy(int32_t frame) {
  int32_t mapClearing = 32 * (StageMaps[StageNumber].rowCount - 1) + 31;
  return frame >= mapClearing ? "map" : "boss";
}

static void SimStageEnd(int32_t result) {
  if (Sim.stopping) return;
  if (GameStatus.ClearFlag && Sim.clearedAt < 0) Sim.clearedAt = FrameCount;
  int32_t clearedAt = result == StageCleared ? Sim.clearedAt : -1;
  Sim.run->stages.push_back({StageNumber, GameLevel, ResultName(result), FrameCount, TotalScore,
                             GameStatus.Energy, clearedAt,
                             clearedAt >= 0 ? ClearedBy(clearedAt) : nullptr});
  Sim.clearedAt = -1;
  bool gameComplete = result == StageCleared && StageNumber == 2 && GameLevel == 4;
  if (result == GameOver || gameComplete) Sim.stopping = --Sim.gamesLeft <= 0;
}

SimRun RunSim(const SimOptions& options, const std::vector<KeyChange>& script, SimFrameHook hook) {
  static const std::vector<KeyChange> holdFire = {{0, InputFire & 0xFFFF, false, false, false, false}};
  SimRun run;
  if (!options.dataDir.empty()) HostSetDataDir(options.dataDir);
  ResetWorld();
  StageNumber = static_cast<int8_t>(options.stage);
  GameLevel = options.level;
  GlobalRandom.SetSeed(options.seed);
  HostRecordBlits(options.recordBlits);
  Sim = SimState{};
  Sim.gamesLeft = options.games;
  Sim.hashes = options.hashes;
  Sim.script = script.empty() ? &holdFire : &script;
  Sim.limit = options.frames;
  Sim.run = &run;
  Sim.hook = std::move(hook);
  Sim.shots = &options.shots;
  OnFrameWait = SimFrameWait;
  OnStageEnd = SimStageEnd;
  if (!options.audioFile.empty()) BeginAudioCapture();
  std::thread game(GameThread, nullptr);
  game.join();
  if (AudioCaptureRunning()) run.audioWritten = EndAudioCapture(options.audioFile);
  OnFrameWait = nullptr;
  OnStageEnd = nullptr;
  HostRecordBlits(true);
  return run;
}

std::string FormatStageReport(const StageReport& r) {
  return "stage=" + std::to_string(r.stage) + " level=" + std::to_string(r.level) +
         " result=" + r.result + " frames=" + std::to_string(r.frames) +
         " score=" + std::to_string(r.score) + " energy=" + std::to_string(r.energy);
}

std::string FormatClearing(const StageReport& r) {
  if (r.clearedAt < 0) return "";
  return "clear stage=" + std::to_string(r.stage) + " frame=" + std::to_string(r.clearedAt) +
         " by=" + r.clearedBy;
}
