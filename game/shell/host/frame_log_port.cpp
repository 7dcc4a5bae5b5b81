#include "game/shell/frame_log_port.h"

#include <time.h>

static int64_t Micros(clockid_t clock) {
  timespec t;
  clock_gettime(clock, &t);
  return int64_t(t.tv_sec) * 1000000 + t.tv_nsec / 1000;
}

int64_t PortWallMicroseconds() { return Micros(CLOCK_MONOTONIC); }
int64_t PortThreadCpuMicroseconds() { return Micros(CLOCK_THREAD_CPUTIME_ID); }
// The host's pacing clock is simulated: the wait ends now.
int64_t PortPacingMicroseconds() { return PortWallMicroseconds(); }
