#include <cstdlib>
#include <cstring>

#include "game/replay/option_values.h"
#include "game/shell/sdl2/program/native_program.h"

const char* NativeUsage() {
  return "usage: zarvel [--stage a|b|c] [--scale N] [--fullscreen] [--data DIR]\n"
         "Plays ZARVEL in a window: Alt+Enter switches full screen, Esc or F12 asks to\n"
         "quit, F1 shows the high scores. Keys as the Windows game's; a gamepad's stick\n"
         "and d-pad fly, south fires, east bombs, west changes arms, Start pauses.\n"
         "  --stage S      the stage the first game starts at (a, b or c)\n"
         "  --scale N      the window's scale, 1 to 8 (default: the largest that fits, at most 3)\n"
         "  --fullscreen   full screen on the desktop's resolution\n"
         "  --data DIR     the game's data files (default: beside the program, else the build's)\n"
         "A scripted run, as tzk-sim's (driven clock, no dialogs):\n"
         "  --keys FILE    key script, as tzk-sim --keys; the keys go through the keyboard rules\n"
         "  --seed N --level L --frames N   as tzk-sim\n"
         "  --hash FILE    'frame=N hash=H' for every frame wait\n"
         "  --audio FILE   the samples fed to the audio device, as a WAVE file\n"
         "  --shot FRAME:PREFIX  the window (PREFIX.window.bmp) and the game's screen\n"
         "                 (PREFIX.screen.bmp) at that frame wait\n";
}

static int Shot(const char* text, NativeOptions& o) {
  int64_t frame = 0;
  std::string path;
  if (!ParseFramePath(text, frame, path)) return 0;
  o.shots.push_back({frame, path});
  return 1;
}

static OptionResult TakeNativeOption(const std::string& arg, const char* value, void* options) {
  NativeOptions& o = *static_cast<NativeOptions*>(options);
  if (arg == "--help" || arg == "-h") return o.help = true, OptionFlag;
  if (arg == "--fullscreen") return o.fullScreen = true, OptionFlag;
  int64_t v = 0;
  int ok = 1;
  if (arg == "--stage") ok = ParseStageOption(value, o.stage);
  else if (arg == "--scale") ok = ParseOptionNumber(value, 1, 8, v), o.scale = int32_t(v);
  else if (arg == "--data") ok = value != nullptr, o.dataDir = value ? value : "";
  else if (arg == "--keys") ok = value != nullptr, o.keysFile = value ? value : "";
  else if (arg == "--seed") ok = ParseOptionNumber(value, 0, 0xFFFFFFFFLL, v), o.seed = uint32_t(v);
  else if (arg == "--level") ok = ParseOptionNumber(value, 0, 4, v), o.level = int32_t(v);
  else if (arg == "--frames") ok = ParseOptionNumber(value, 0, 1LL << 40, v), o.frames = v;
  else if (arg == "--hash") ok = value != nullptr, o.hashFile = value ? value : "";
  else if (arg == "--audio") ok = value != nullptr, o.audioFile = value ? value : "";
  else if (arg == "--shot") ok = Shot(value, o);
  else return OptionUnknown;
  return ok ? OptionTakesValue : OptionBadValue;
}

int ParseNativeArgs(int argc, const char* const* argv, NativeOptions& o, std::string& error) {
  if (int rc = WalkOptions(argc, argv, TakeNativeOption, &o, error)) return rc;
  bool scriptOnly = !o.hashFile.empty() || !o.audioFile.empty() || !o.shots.empty() || o.frames >= 0;
  if (scriptOnly && o.keysFile.empty()) {
    error = "--hash, --audio, --shot and --frames belong to a scripted run (--keys FILE)";
    return 2;
  }
  return 0;
}
