#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "game/replay/key_script.h"

struct SimOptions {
  int32_t stage = 0;
  int32_t level = 2;
  uint32_t seed = 0x9778182B;
  int64_t frames = -1;  // stop after this many frames; -1: no limit
  int32_t games = 1;    // games to play before stopping
  bool recordBlits = false;  // keep every blit in the host display's record
  bool hashes = false;       // a state hash at every frame wait
  std::string keysFile;
  std::string dataDir;  // where the bitmaps are; empty: the host default
  struct Shot {
    int64_t frame;
    std::string file;
  };
  std::vector<Shot> shots;  // PNG pictures of the screen at chosen frame waits
  std::string audioFile;    // WAVE file of what the run sounds like, or empty
  bool help = false;
};

// One line per stage played.
struct StageReport {
  int32_t stage;
  int32_t level;
  const char* result;  // GameOver, StageCleared, Quit or Running
  int32_t frames;
  int32_t score;
  int32_t energy;
  int32_t clearedAt;      // frame in which the stage was cleared, or -1
  const char* clearedBy;  // "boss" or "map" when cleared
};

struct SimRun {
  std::vector<StageReport> stages;
  int64_t framesWaited = 0;
  int32_t shotsWritten = 0;
  int32_t audioWritten = 0;
  std::vector<uint32_t> hashes;  // with options.hashes: one per frame waited
};

// Called at every frame wait with the frame number, before the script is
// applied; scenario tests and benchmarks use it to place actors.
using SimFrameHook = std::function<void(int64_t frame)>;

// 0 ok, 2 bad usage (message in `error`).
int ParseSimArgs(int argc, const char* const* argv, SimOptions& options, std::string& error);
const char* SimUsage();
// Puts every piece of game state back to its start-up value.
void ResetWorld();
// Runs the real game thread on the host adaptors until the game is over, the
// script quits or the frame limit is reached.
SimRun RunSim(const SimOptions& options, const std::vector<KeyChange>& script,
              SimFrameHook hook = nullptr);
std::string FormatStageReport(const StageReport& report);
// "clear stage=S frame=F by=boss|map" for a cleared stage, else empty.
std::string FormatClearing(const StageReport& report);
