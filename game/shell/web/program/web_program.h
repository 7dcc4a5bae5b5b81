#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The page: its options (the address's query), start-up, the replay of a
// key script, and the window's part (the boxes, activation, messages).

struct KeyChange;

struct WebOptions {
  int32_t stage = -1;   // -1: the first
  // A replay, as tzk-sim --keys: the key script itself (';' also ends a
  // line), on the simulator's driven clock, no boxes, no scores kept.
  std::string keys;
  uint32_t seed = 0x9778182B;
  int32_t level = -1;
  int64_t frames = -1;
  bool fast = false;       // the replay as fast as it goes, not at the game's beat
  bool audio = false;      // the page keeps the replay's samples
  bool frameLog = false;   // the frame times, for the page to read at the end
};

// 0 ok, 2 bad usage (message in `error`). The page turns its query,
// ?keys=...&seed=5, into "--keys ... --seed 5".
int ParseWebArgs(int argc, const char* const* argv, WebOptions& options, std::string& error);
// The script of `keys`: ';' ends a line as a line feed does.
std::string KeyScriptText(const std::string& keys);

// Start-up as the Windows program's, and the frame hook (sound, the frame
// log, a replay's keys and records).
int32_t StartWebGame(const WebOptions& options);
void StartFrameHook(const WebOptions& options, const std::vector<KeyChange>& script);
// A replay's end: its records to the page.
void FinishReplay(const WebOptions& options);

// The window's part. `scripted`: a replay, which keeps the game active and
// shows no box.
void OpenPageWindow(bool scripted);
bool PageScripted();
void GameThreadEnded();
// The page shown and focused (1) or hidden or left (0): the game is active
// only while it is, and no box is open.
void PageActivity(bool shown);
// Input the page routes to the open box; 1 when a box took it.
bool BoxOpen();
void BoxKey(const char* code, bool repeat);
void BoxKeyUp(const char* code);
void BoxText(const char* shiftJis);
void BoxPadButton(int32_t button);
void BoxButton(int32_t index);
// What the game's keys ask of the window.
void CloseSequence();
void ShowScoreList();
// The farewell (after a fatal error's text) with its button to play again,
// and the display's start-up failure.
void ShowFarewell();
void ShowInitFailure();
// A line for the page's status (errors, a replay's progress).
void PageStatus(const std::string& text);
