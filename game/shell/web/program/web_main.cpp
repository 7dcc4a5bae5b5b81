// ZARVEL in a web page: the options from the page's address, the start-up,
// the game thread on the page's own thread, and the farewell.
#include <emscripten.h>

#include <string>
#include <vector>

#include "game/media/host/host_display.h"
#include "game/replay/key_script.h"
#include "game/scores/host/host_scores.h"
#include "game/scores/web/score_storage.h"
#include "game/shell/frame_log.h"
#include "game/shell/game_thread.h"
#include "game/shell/shutdown.h"
#include "game/shell/web/program/web_program.h"
#include "game/shell/web/web_system.h"
#include "game/shell/web/web_screen.h"

namespace {
constexpr char FrameLogFile[] = "/frames.txt";

// "running", "ended" or "error", with a line for the page's status.
EM_JS(void, GameState, (const char* state, const char* text), {
  ZarvelPage.gameState(UTF8ToString(state), UTF8ToString(text));
});
EM_JS(void, HandFrameLog, (const char* file), { ZarvelPage.frameLogWritten(FS, UTF8ToString(file)); });
// What putting the pictures on the canvas cost, in microseconds.
EM_JS(void, HandScreenCosts, (double count, double total, double longest), {
  ZarvelPage.screenCosts(count, total, longest);
});
}  // namespace

int main(int argc, char** argv) {
  WebOptions o;
  std::string error;
  std::vector<KeyChange> script;
  if (ParseWebArgs(argc, argv, o, error) != 0 ||
      (!o.keys.empty() && !ParseKeyScript(KeyScriptText(o.keys), script, error))) {
    GameState("error", ("ZARVEL: " + error).c_str());
    return 2;
  }
  bool replay = !o.keys.empty();
  HostSetDataDir("/data");
  if (!replay) {  // a replay, as tzk-sim's runs, keeps no scores
    RestoreScoreFile();
    HostSetScorePaths(WebScoreFile, "");
  }
  StartWebPacing(replay, o.fast);
  if (o.frameLog) StartFrameLog(FrameLogFile);
  OpenPageWindow(replay);
  if (!StartWebGame(o)) {
    Shutdown();
    GameThreadEnded();
    GameState("error", "ZARVEL: the game could not start (its data files?)");
    ShowInitFailure();
    return 1;
  }
  StartFrameHook(o, script);
  GameState("running", replay ? "replay" : "");
  GameThread(nullptr);
  GameThreadEnded();
  Shutdown();  // the scores are saved here
  if (!replay) KeepScoreFile();
  FinishReplay(o);
  if (o.frameLog) StopFrameLog(), HandFrameLog(FrameLogFile);
  ScreenCost cost = ScreenCosts();
  HandScreenCosts(double(cost.count), double(cost.totalMicroseconds), double(cost.longestMicroseconds));
  GameState("ended", replay ? "replay over" : "");
  if (!replay) ShowFarewell();
  return 0;
}
