// zarvel from start to end: the places, the lock, SDL, the game thread.
#include <SDL2/SDL.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <thread>

#include "game/media/host/host_display.h"
#include "game/media/sdl2/audio_out.h"
#include "game/media/sdl2/native_fonts.h"
#include "game/replay/key_script.h"
#include "game/scores/sdl2/native_places.h"
#include "game/shell/frame_log.h"
#include "game/shell/game_thread.h"
#include "game/shell/sdl2/native_clock.h"
#include "game/shell/sdl2/native_window.h"
#include "game/shell/sdl2/program/native_program.h"
#include "game/shell/shared_state.h"
#include "game/shell/shutdown.h"

std::atomic<int32_t> GameThreadEnded{0};
// SIGTERM, SIGINT or SIGHUP (the terminal closed): the game ends as after
// Yes, scores saved, no farewell.
std::atomic<int32_t> Terminated{0};

namespace {
constexpr int EndingSignals[] = {SIGTERM, SIGINT, SIGHUP};

int Fail(const std::string& message, int code) {
  std::fprintf(stderr, "zarvel: %s\n", message.c_str());
  return code;
}

bool IsFolder(const std::string& path) { return access((path + "/.").c_str(), F_OK) == 0; }

// --data, else ZARVEL_DATA_DIR, else a data folder beside the program (an
// installed copy), else the build's.
std::string DataFolder(const NativeOptions& o) {
  if (!o.dataDir.empty()) return o.dataDir;
  if (const char* env = std::getenv("ZARVEL_DATA_DIR")) return env;
  char self[4096];
  ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
  if (n > 0) {
    std::string path(self, size_t(n));
    std::string beside = path.substr(0, path.rfind('/')) + "/data";
    if (IsFolder(beside)) return beside;
  }
  return HostDataDir();
}

bool IsSet(const char* name) { return std::getenv(name) && *std::getenv(name); }

bool HasDisplay() { return IsSet("SDL_VIDEODRIVER") || IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY"); }

// The displays the environment names, for a message.
std::string DisplayNames() {
  std::string names;
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY"})
    if (IsSet(name)) names += std::string(names.empty() ? "" : " or ") + name + "=" + std::getenv(name);
  return names.empty() ? std::string("SDL_VIDEODRIVER=") + std::getenv("SDL_VIDEODRIVER") : names;
}

int StartVideo() {
  if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_GAMECONTROLLER | SDL_INIT_EVENTS) != 0)
    return Fail("cannot open the display " + DisplayNames() + " (" + SDL_GetError() + ")", 2);
  // SDL falls back to drivers that show nothing when the display cannot be
  // opened: a game no one sees, holding the lock. They serve only whoever
  // asks for them by name (the tests do).
  if (!IsSet("SDL_VIDEODRIVER") && VideoDriverIn({"offscreen", "dummy", "evdev"})) {
    SDL_Quit();
    return Fail("cannot open the display " + DisplayNames() + ": is it running, and may this user draw on it?", 2);
  }
  return 0;
}

// The score folder and the one-game lock: false when another game runs.
bool ClaimScoreFolder(const std::string& folder) {
  if (folder.empty()) {
    std::fputs("zarvel: neither XDG_DATA_HOME nor HOME names a folder: the high scores are not kept\n", stderr);
    return true;
  }
  if (!MakeFolders(folder)) {
    std::fprintf(stderr, "zarvel: cannot make %s: the high scores are not kept\n", folder.c_str());
    return true;
  }
  int32_t why = 0;
  LockResult lock = TakeInstanceLock(folder + "/zarvel.lock", &why);
  if (lock == LockHeld) return false;
  if (lock == LockFailed)
    std::fprintf(stderr, "zarvel: no lock in %s (%s): playing on without the one-game check\n", folder.c_str(),
                 std::strerror(why));
  SetScoreFolder(folder);
  return true;
}

void SecondStart() {
  static const char Text[] = "ZARVEL is already running (one game at a time)";
  std::fprintf(stderr, "zarvel: %s\n", Text);
  // Started from the menu there is no terminal: the desktop's own box says
  // it. There is no game to save: a signal ends the box at once.
  for (int sig : EndingSignals) std::signal(sig, SIG_DFL);
  SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, "ZARVEL", Text, nullptr);
}

int ReadScript(const NativeOptions& o, std::vector<KeyChange>& script, std::string& error) {
  if (o.keysFile.empty()) return 1;
  std::ifstream file(o.keysFile, std::ios::binary);
  if (!file) return error = "cannot read key script '" + o.keysFile + "'", 0;
  std::stringstream text;
  text << file.rdbuf();
  return ParseKeyScript(text.str(), script, error);
}

void GameThreadEntry() {
  GameThread(nullptr);
  GameThreadEnded.exchange(1);
  SDL_Event e{};
  e.type = SDL_USEREVENT;  // the window's loop looks at the flag again
  SDL_PushEvent(&e);
}

// The game thread ends at its next frame wait once QuitConfirmed is set;
// ten seconds without one and it is left behind, as the Windows program
// stops it by force.
void EndGameThread(std::thread& game) {
  QuitConfirmed.exchange(1);
  for (int i = 0; i < 1000 && !GameThreadEnded.load(); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  if (GameThreadEnded.load()) game.join();
  else game.detach(), std::fputs("zarvel: the game thread did not end; left behind\n", stderr);
}
}  // namespace

int RunNativeProgram(const NativeOptions& o) {
  bool scripted = !o.keysFile.empty();
  if (!HasDisplay())
    return Fail("no display (neither DISPLAY nor WAYLAND_DISPLAY is set): start it from a desktop session", 2);
  std::vector<KeyChange> script;
  std::string error;
  if (!ReadScript(o, script, error)) return Fail(error, 2);
  HostSetDataDir(DataFolder(o));
  StartNativeClock(scripted);
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");  // SDL's would send SDL_QUIT: the question
  // The close button's own event asks; the quit SDL adds after it when the
  // last window closes would be a second, stray answer.
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  for (int sig : EndingSignals) std::signal(sig, [](int) { Terminated.store(1); });
  // Past the file size limit a write fails (and the game says the scores
  // were not saved) rather than ending the program.
  std::signal(SIGXFSZ, SIG_IGN);
  if (int failed = StartVideo()) return failed;
  std::string folder = NativeDataFolder(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
  // A scripted run, as tzk-sim, keeps no file and takes no lock.
  if (!scripted && !ClaimScoreFolder(folder)) {
    SecondStart();
    SDL_Quit();
    return 1;
  }
  if (!OpenGameWindow(o.scale, o.fullScreen)) {
    SDL_Quit();
    return Fail(std::string("cannot open the window: ") + SDL_GetError(), 1);
  }
  if (!OpenAudioOut()) std::fprintf(stderr, "zarvel: no sound (%s)\n", SDL_GetError());
  StartFrameLog(std::getenv("ZARVEL_FRAME_LOG"), std::getenv("ZARVEL_FRAME_LOG_FRAMES"));
  int code = 0;
  if (!StartNativeGame(o)) {
    std::fprintf(stderr, "zarvel: the game could not start (data files in %s?)\n", HostDataDir().c_str());
    Shutdown();
    if (!scripted) ShowInitFailure();
    code = 1;
  } else {
    StartScript(o, script);
    std::thread game(GameThreadEntry);
    RunWindowLoop(scripted);
    EndGameThread(game);
    Shutdown();  // the scores are saved here
    if (!FinishScript(o)) code = 1;
    if (!scripted && !Terminated.load() && ScoresUnsaved()) ShowScoresUnsaved(folder);
    if (!scripted && !Terminated.load()) ShowFarewell();
  }
  if (std::getenv("ZARVEL_FRAME_LOG")) {  // with the frame log, what showing the frames cost
    PresentCost c = PresentCosts();
    if (c.count > 0)
      std::fprintf(stderr, "zarvel: %lld presents at scale %d: mean %.2f ms, longest %.2f ms\n",
                   (long long)c.count, c.scale, c.totalMicroseconds / 1000.0 / c.count,
                   c.longestMicroseconds / 1000.0);
    std::fprintf(stderr, "zarvel: the audio queue ran dry %lld times\n", (long long)AudioUnderruns());
  }
  StopFrameLog();
  CloseAudioOut();
  CloseNativeFonts();
  CloseGameWindow();
  SDL_Quit();
  ReleaseInstanceLock();
  return code;
}
