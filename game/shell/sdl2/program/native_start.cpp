// Start-up as the Windows program's, and the game thread's frame hook:
// audio, the frame log, and for a scripted run the key script and its
// records, as tzk-sim keeps them.
#include <SDL2/SDL.h>

#include <condition_variable>
#include <cstdio>
#include <mutex>

#include "game/media/display.h"
#include "game/media/host/host_display.h"
#include "game/media/host/host_midi.h"
#include "game/media/host/host_sound.h"
#include "game/media/random.h"
#include "game/media/screen_effect.h"
#include "game/media/sdl2/audio_out.h"
#include "game/media/sound_bank.h"
#include "game/media/stage_sheets.h"
#include "game/replay/key_script.h"
#include "game/replay/state_hash.h"
#include "game/scores/score_file.h"
#include "game/shell/frame_log.h"
#include "game/shell/game_status.h"
#include "game/shell/game_thread.h"
#include "game/shell/input_rules.h"
#include "game/shell/observers.h"
#include "game/shell/sdl2/native_input.h"
#include "game/shell/sdl2/native_clock.h"
#include "game/shell/sdl2/native_messages.h"
#include "game/shell/sdl2/program/native_program.h"
#include "game/shell/sdl2/screen_share.h"
#include "game/shell/shared_state.h"
#include "game/shell/start_up.h"

namespace {
struct Script {
  bool on = false;
  const std::vector<KeyChange>* changes = nullptr;
  size_t next = 0;
  int64_t frame = 0;
  int64_t limit = -1;
  bool stopping = false;
  int32_t held = 0;
  bool holdM = false;
  std::vector<uint32_t> hashes;
  const std::vector<NativeShot>* shots = nullptr;
  int32_t shotsWritten = 0;
};
Script Run;
std::vector<KeyChange> Changes;
bool FrameLogOn = false;
int64_t Waits = 0;

std::mutex ShotLock;
std::condition_variable ShotDone;
bool ShotPending = false;
int32_t ShotResult = 0;
}  // namespace

int32_t StartNativeGame(const NativeOptions& o) {
  HostRecordBlits(false);  // a record for tests; a long game would pile it up
  SetCaptionText("ZARVEL  -  a horizontally scrolling shooter");
  if (o.stage >= 0) StageNumber = int8_t(o.stage);
  if (!StartUpGame(0)) return 0;
  if (o.keysFile.empty()) GlobalRandom.SetSeed(LocalClockSeed());
  else GlobalRandom.SetSeed(o.seed);
  if (o.level >= 0) GameLevel = o.level;
  AppActive.exchange(1);
  return 1;
}

// The script's keys go through the keyboard's rules, as a player's would,
// with a US layout's key codes whatever the desktop's layout is.
static void PressKey(SDL_Scancode scancode, bool down) {
  bool letter = scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z;
  int32_t keycode = letter ? 'a' + (scancode - SDL_SCANCODE_A) : SDL_SCANCODE_TO_KEYCODE(scancode);
  if (down) NativeKeyDown(scancode, keycode, false);
  else NativeKeyUp(scancode, keycode);
}

static void ApplyChange(const KeyChange& c) {
  static const struct {
    int32_t bit;
    SDL_Scancode scancode;
  } keys[] = {{InputUp & 0xFFFF, SDL_SCANCODE_UP},       {InputDown & 0xFFFF, SDL_SCANCODE_DOWN},
              {InputLeft & 0xFFFF, SDL_SCANCODE_LEFT},   {InputRight & 0xFFFF, SDL_SCANCODE_RIGHT},
              {InputFire & 0xFFFF, SDL_SCANCODE_Z},      {InputBomb & 0xFFFF, SDL_SCANCODE_C}};
  for (const auto& k : keys)
    if ((c.held & k.bit) != (Run.held & k.bit)) PressKey(k.scancode, (c.held & k.bit) != 0);
  Run.held = c.held;
  if (c.holdM != Run.holdM) PressKey(SDL_SCANCODE_M, c.holdM);
  Run.holdM = c.holdM;
  if (c.weapon) PressKey(SDL_SCANCODE_X, true), PressKey(SDL_SCANCODE_X, false);
  if (c.pause) PressKey(SDL_SCANCODE_P, true), PressKey(SDL_SCANCODE_P, false);
  if (c.quit) QuitConfirmed.exchange(1);  // the exit question answered yes
}

static void TakeShot(const std::string& prefix) {
  ShareScreenIfChanged();
  std::unique_lock<std::mutex> held(ShotLock);
  ShotPending = true;
  PostNativeMessage({ShotMessage, 0, reinterpret_cast<intptr_t>(&prefix)});
  ShotDone.wait(held, [] { return !ShotPending; });
  Run.shotsWritten += ShotResult;
}

void AnswerShot(const std::string& prefix) {
  int32_t written = WriteShot(prefix);
  std::lock_guard<std::mutex> held(ShotLock);
  ShotResult = written;
  ShotPending = false;
  ShotDone.notify_all();
}

static void ScriptFrameWait() {
  if (QuitConfirmed.load()) return;
  if (Run.stopping || (Run.limit >= 0 && Run.frame >= Run.limit)) {
    QuitConfirmed.exchange(1);
    return;
  }
  for (const NativeShot& shot : *Run.shots)
    if (shot.frame == Run.frame) TakeShot(shot.prefix);
  Run.hashes.push_back(GameStateHash());
  FeedAudio();
  if (Run.next < Run.changes->size() && (*Run.changes)[Run.next].frame == Run.frame)
    ApplyChange((*Run.changes)[Run.next++]);
  Run.frame += 1;
}

static void ScriptStageEnd(int32_t result) {
  bool complete = result == StageCleared && StageNumber == 2 && GameLevel == 4;
  if (result == GameOver || complete) Run.stopping = true;  // one game, as tzk-sim plays
}

static void NativeFrameWait() {
  if (FrameLogOn) NoteFrameLog();
  if (Run.on) ScriptFrameWait();
  else FeedAudio();
  if (++Waits % 256 == 0) {  // the host adaptors' call records, kept short
    HostClearDisplayCalls();
    HostClearSoundCalls();
    HostClearMidiCalls();
  }
}

void StartScript(const NativeOptions& o, const std::vector<KeyChange>& script) {
  FrameLogOn = OnFrameWait == NoteFrameLog;  // StartFrameLog hooked the waits
  OnFrameWait = NativeFrameWait;
  if (o.keysFile.empty()) return;
  static const std::vector<KeyChange> holdFire = {{0, InputFire & 0xFFFF, false, false, false, false}};
  Changes = script;
  Run = Script{};
  Run.on = true;
  Run.changes = Changes.empty() ? &holdFire : &Changes;
  Run.limit = o.frames;
  Run.shots = &o.shots;
  OnStageEnd = ScriptStageEnd;
  if (!o.audioFile.empty()) RecordAudioOut(true);
}

static int32_t WriteWave(const std::string& file, const std::vector<int16_t>& samples) {
  std::FILE* out = std::fopen(file.c_str(), "wb");
  if (!out) return 0;
  uint32_t bytes = uint32_t(samples.size() * 2);
  auto put32 = [&](uint32_t v) { for (int i = 0; i < 4; ++i) std::fputc(int(v >> (8 * i) & 0xFF), out); };
  std::fputs("RIFF", out), put32(36 + bytes), std::fputs("WAVEfmt ", out), put32(16);
  put32(1 | 2 << 16), put32(AudioRate), put32(AudioRate * 4), put32(4 | 16 << 16);
  std::fputs("data", out), put32(bytes);
  for (int16_t s : samples) std::fputc(s & 0xFF, out), std::fputc((uint16_t(s) >> 8) & 0xFF, out);
  return std::fclose(out) == 0;
}

int32_t FinishScript(const NativeOptions& o) {
  OnFrameWait = nullptr;
  OnStageEnd = nullptr;
  if (!Run.on) return 1;
  int32_t ok = 1;
  if (!o.hashFile.empty()) {
    std::FILE* out = std::fopen(o.hashFile.c_str(), "w");
    if (!out) return 0;
    for (size_t i = 0; i < Run.hashes.size(); ++i) std::fprintf(out, "frame=%zu hash=%08x\n", i, Run.hashes[i]);
    ok = std::fclose(out) == 0;
  }
  if (!o.audioFile.empty()) ok = WriteWave(o.audioFile, RecordedAudioOut()) && ok;
  if (Run.shotsWritten != int32_t(o.shots.size())) {
    std::fprintf(stderr, "zarvel: %d screenshot(s) not written\n", int(o.shots.size()) - Run.shotsWritten);
    ok = 0;
  }
  return ok;
}
