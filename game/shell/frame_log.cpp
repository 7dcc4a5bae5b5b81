#include "game/shell/frame_log.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "game/shell/frame_log_port.h"
#include "game/shell/observers.h"
#include "game/shell/shared_state.h"

namespace {
struct FrameSample {
  int32_t frame;
  int64_t wall;
  int64_t cpu;
  int64_t work;
  int64_t present;
  int64_t wait;
};
std::vector<FrameSample> Samples;
std::string LogPath;
int64_t LastWall = 0;      // the previous wait's start
int64_t LastCpu = 0;
int64_t LastWaitEnd = 0;   // 0: no wait has ended since the last start
int64_t LastPresented = 0;
int64_t FirstWall = 0;     // the first wait's start, on the wall clock
constexpr size_t MaxSamples = 200000;  // an hour of play; the rest is not kept
long StageFramesWanted = 0;  // 0: written only at the end
long StageFramesKept = 0;

// A whole frame of play, as tools/frame_stats.sh counts them: a stage
// frame with work before its wait and a wait that ended.
bool IsStageFrame(const FrameSample& s) { return s.frame > 0 && s.work != 0 && s.wait >= 0; }

// The sample of the wait in progress, if it is kept.
FrameSample* Current() { return LastWall != 0 && !Samples.empty() ? &Samples.back() : nullptr; }
}  // namespace

void NoteFrameLog() {
  int64_t wall = PortWallMicroseconds();
  int64_t cpu = PortThreadCpuMicroseconds();
  if (LastWall == 0) FirstWall = wall;
  FrameSample* done = Current();
  if (done && IsStageFrame(*done) && ++StageFramesKept == StageFramesWanted) {
    StopFrameLog();  // the frames asked for are in: written now
    return;
  }
  if (LastWall != 0 && Samples.size() < MaxSamples) {
    int64_t work = LastWaitEnd != 0 ? wall - LastWaitEnd : 0;
    Samples.push_back({FrameCount, wall - LastWall, cpu - LastCpu, work, 0, -1});
  }
  LastWall = wall;
  LastCpu = cpu;
  LastWaitEnd = 0;
  LastPresented = wall;
}

void NoteFrameLogPresented() {
  int64_t now = PortWallMicroseconds();
  if (FrameSample* s = Current()) s->present = now - LastWall;
  LastPresented = now;
}

void NoteFrameLogWaitEnd() {
  int64_t now = PortPacingMicroseconds();  // the reading that ended the wait
  if (FrameSample* s = Current()) s->wait = now - LastPresented;
  LastWaitEnd = now;
}

int32_t FrameLogCount() { return static_cast<int32_t>(Samples.size()); }

void StartFrameLog(const char* path, const char* stageFrames) {
  LogPath.clear();
  if (!path || !*path) return;
  LogPath = path;
  StageFramesWanted = stageFrames ? std::strtol(stageFrames, nullptr, 10) : 0;
  StageFramesKept = 0;
  Samples.clear();
  Samples.reserve(4096);
  LastWall = LastCpu = LastWaitEnd = LastPresented = FirstWall = 0;
  OnFrameWait = NoteFrameLog;
  OnFramePresented = NoteFrameLogPresented;
  OnFrameWaitEnd = NoteFrameLogWaitEnd;
}

void StopFrameLog() {
  if (LogPath.empty()) return;
  OnFrameWait = nullptr;
  OnFramePresented = nullptr;
  OnFrameWaitEnd = nullptr;
  std::FILE* f = std::fopen(LogPath.c_str(), "w");
  LogPath.clear();  // written once
  if (!f) return;
  // Where the log sits on the wall clock, so that other records of the
  // same clock (another thread's processor time) can be laid beside it.
  std::fprintf(f, "# frame wall_us cpu_us work_us present_us wait_us; first wait began at %lld us\n",
               static_cast<long long>(FirstWall));
  for (const FrameSample& s : Samples)
    std::fprintf(f, "%d %lld %lld %lld %lld %lld\n", s.frame, static_cast<long long>(s.wall),
                 static_cast<long long>(s.cpu), static_cast<long long>(s.work),
                 static_cast<long long>(s.present), static_cast<long long>(s.wait));
  std::fclose(f);
}
