#include "game/shell/frame_log.h"

#include <cstdio>
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
};
std::vector<FrameSample> Samples;
std::string LogPath;
int64_t LastWall = 0;
int64_t LastCpu = 0;
constexpr size_t MaxSamples = 200000;  // an hour of play; the rest is not kept
}  // namespace

void NoteFrameLog() {
  int64_t wall = PortWallMicroseconds();
  int64_t cpu = PortThreadCpuMicroseconds();
  if (LastWall != 0 && Samples.size() < MaxSamples)
    Samples.push_back({FrameCount, wall - LastWall, cpu - LastCpu});
  LastWall = wall;
  LastCpu = cpu;
}

int32_t FrameLogCount() { return static_cast<int32_t>(Samples.size()); }

void StartFrameLog(const char* path) {
  LogPath.clear();
  if (!path || !*path) return;
  LogPath = path;
  Samples.clear();
  Samples.reserve(4096);
  LastWall = LastCpu = 0;
  OnFrameWait = NoteFrameLog;
}

void StopFrameLog() {
  if (LogPath.empty()) return;
  OnFrameWait = nullptr;
  std::FILE* f = std::fopen(LogPath.c_str(), "w");
  if (!f) return;
  std::fprintf(f, "# frame wall_us cpu_us\n");
  for (const FrameSample& s : Samples)
    std::fprintf(f, "%d %lld %lld\n", s.frame, static_cast<long long>(s.wall),
                 static_cast<long long>(s.cpu));
  std::fclose(f);
}
