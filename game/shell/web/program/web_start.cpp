// Start-up as the Windows program's, and the game's frame hook: sound, the
// frame log, and for a replay the key script and its records, as tzk-sim
// keeps them.
#include <emscripten.h>

#include <cstdio>

#include "game/media/host/host_display.h"
#include "game/media/host/host_midi.h"
#include "game/media/host/host_sound.h"
#include "game/media/random.h"
#include "game/media/web/web_audio.h"
#include "game/replay/key_script.h"
#include "game/replay/state_hash.h"
#include "game/shell/frame_log.h"
#include "game/shell/input_rules.h"
#include "game/shell/observers.h"
#include "game/shell/shared_state.h"
#include "game/shell/sdl2/native_clock.h"
#include "game/shell/start_up.h"
#include "game/shell/web/program/web_program.h"
#include "game/shell/web/web_input.h"
#include "game/shell/web/web_screen.h"

namespace {
struct Replay {
  bool on = false;
  std::vector<KeyChange> changes;
  size_t next = 0;
  int64_t frame = 0;
  int64_t limit = -1;
  bool stopping = false;
  std::string hashes;  // "frame=N hash=H" lines, as tzk-sim --hash prints them
};
Replay Run;
bool FrameLogOn = false;
int64_t Waits = 0;

EM_JS(void, HandReplay, (double frames, const char* hashes), {
  ZarvelPage.replayEnded(frames, UTF8ToString(hashes));
});
EM_JS(void, RecordSound, (int32_t on), { ZarvelPage.recordSound(on); });

// The script's keys go through the window's key rules, as tzk-sim's do.
void ApplyChange(const KeyChange& c) {
  ApplyKeyFrame(c.held, c.weapon, c.pause);
  WebSetKeyHeld('M', c.holdM);
  if (c.quit) QuitConfirmed.exchange(1);  // the exit question answered yes
}

void ReplayFrameWait() {
  if (QuitConfirmed.load()) return;
  if (Run.stopping || (Run.limit >= 0 && Run.frame >= Run.limit)) {
    FreezeScreen();  // the page keeps the picture of the replay's last wait
    QuitConfirmed.exchange(1);
    return;
  }
  char line[40];
  std::snprintf(line, sizeof line, "frame=%lld hash=%08x\n", (long long)Run.frame, GameStateHash());
  Run.hashes += line;
  FeedWebAudio();
  if (Run.next < Run.changes.size() && Run.changes[Run.next].frame == Run.frame) ApplyChange(Run.changes[Run.next++]);
  Run.frame += 1;
  if (Run.frame % 256 == 0) PageStatus("replay: frame " + std::to_string(Run.frame));
}

void ReplayStageEnd(int32_t result) {
  bool complete = result == StageCleared && StageNumber == 2 && GameLevel == 4;
  if (result == GameOver || complete) Run.stopping = true;  // one game, as tzk-sim plays
}

void WebFrameWait() {
  if (FrameLogOn) NoteFrameLog();
  if (Run.on) ReplayFrameWait();
  else FeedWebAudio();
  if (++Waits % 256 == 0) {  // the host adaptors' call records, kept short
    HostClearDisplayCalls();
    HostClearSoundCalls();
    HostClearMidiCalls();
  }
}
}  // namespace

int32_t StartWebGame(const WebOptions& o) {
  HostRecordBlits(false);  // a record for tests; a long game would pile it up
  SetCaptionText("ZARVEL  -  a horizontally scrolling shooter");
  if (o.stage >= 0) StageNumber = int8_t(o.stage);
  if (!StartUpGame(0)) return 0;
  if (o.keys.empty()) GlobalRandom.SetSeed(LocalClockSeed());
  else GlobalRandom.SetSeed(o.seed);
  if (o.level >= 0) GameLevel = o.level;
  StartWebAudio();
  AppActive.exchange(1);
  return 1;
}

void StartFrameHook(const WebOptions& o, const std::vector<KeyChange>& script) {
  FrameLogOn = OnFrameWait == NoteFrameLog;  // StartFrameLog hooked the waits
  OnFrameWait = WebFrameWait;
  if (o.keys.empty()) return;
  static const std::vector<KeyChange> holdFire = {{0, InputFire & 0xFFFF, false, false, false, false}};
  Run = Replay{};
  Run.on = true;
  Run.changes = script.empty() ? holdFire : script;
  Run.limit = o.frames;
  OnStageEnd = ReplayStageEnd;
  RecordSound(o.audio ? 1 : 0);
}

void FinishReplay(const WebOptions&) {
  OnFrameWait = nullptr;
  OnStageEnd = nullptr;
  if (!Run.on) return;
  FreezeScreen();
  HandReplay(double(Run.frame), Run.hashes.c_str());
}
