#pragma once
#include <cstdint>
#include <string>
#include <vector>

// zarvel, the native program: options, start-up, the window's loop.

struct NativeShot {
  int64_t frame;
  std::string prefix;  // PREFIX.window.bmp and PREFIX.screen.bmp
};

struct NativeOptions {
  int32_t stage = -1;     // -1: the first
  int32_t scale = 0;      // 0: the largest that fits, at most 3
  bool fullScreen = false;
  std::string dataDir;    // the game's bitmaps, sounds and songs
  // A scripted run, as tzk-sim's: driven clock, no dialogs, no lock.
  std::string keysFile;
  uint32_t seed = 0x9778182B;
  int32_t level = -1;
  int64_t frames = -1;
  std::string hashFile;   // "frame=N hash=H" per frame wait
  std::string audioFile;  // the samples fed to the audio device, as WAVE
  std::vector<NativeShot> shots;
  bool help = false;
};

// 0 ok, 2 bad usage (message in `error`).
int ParseNativeArgs(int argc, const char* const* argv, NativeOptions& options, std::string& error);
const char* NativeUsage();
// The whole program; the process's exit code.
int RunNativeProgram(const NativeOptions& options);

// Inside the program.
// Start-up as the Windows program's: sound, display, sheets, scores, game.
int32_t StartNativeGame(const NativeOptions& options);
// The scripted run's frame hook and its results.
void StartScript(const NativeOptions& options, const std::vector<struct KeyChange>& script);
int32_t FinishScript(const NativeOptions& options);
// One event of the window's loop: keys, gamepads (plugged in and out),
// window changes.
void DispatchNativeEvent(const union SDL_Event& event);
// Window loop: 0 when the game ended normally.
int32_t RunWindowLoop(bool scripted);
// The farewell (and a fatal error's text) in the window.
void ShowFarewell();
// The scores could not be written in `folder`: said in the window.
void ShowScoresUnsaved(const std::string& folder);
// DirectX's start-up failure text, in the window.
void ShowInitFailure();
// A scripted run's screenshot, taken on the window's thread: 1 written.
int32_t WriteShot(const std::string& prefix);
// The message that asks the window for a shot (lParam: the prefix), and
// the window's answer to it.
constexpr uint32_t ShotMessage = 0x8001;
void AnswerShot(const std::string& prefix);
