#include "game/shell/sdl2/native_clock.h"

#include <errno.h>
#include <sys/time.h>
#include <time.h>

#include "game/shell/input_rules.h"
#include "game/shell/stage_loop.h"

namespace {
bool Driven = false;
int64_t StartMicros = 0;
uint32_t DrivenTick = 0;

int64_t MonotonicMicros() {
  timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return int64_t(t.tv_sec) * 1000000 + t.tv_nsec / 1000;
}
}  // namespace

void StartNativeClock(bool driven) {
  Driven = driven;
  DrivenTick = 0;
  StartMicros = MonotonicMicros();
}

bool NativeClockDriven() { return Driven; }

int64_t NativeMicroseconds() {
  if (Driven) return int64_t(DrivenTick) * 1000;
  return MonotonicMicros() - StartMicros;
}

uint32_t NativeTickNow() { return uint32_t(NativeMicroseconds() / 1000); }

uint32_t FrameMark(uint32_t lastTick, uint32_t frameTime, int32_t frameCount) {
  if (frameTime <= FrameMilliseconds) return lastTick + (FrameMilliseconds + 1 - frameTime);
  return frameCount < 0 ? lastTick + TitleFrameMilliseconds : lastTick + 1;
}

uint32_t LocalClockSeed() {
  timeval now;
  gettimeofday(&now, nullptr);
  tm t;
  localtime_r(&now.tv_sec, &t);
  return SeedFromLocalTime(uint32_t(t.tm_year + 1900), uint32_t(t.tm_mon + 1), uint32_t(t.tm_wday),
                           uint32_t(t.tm_mday), uint32_t(t.tm_min), uint32_t(t.tm_sec),
                           uint32_t(now.tv_usec / 1000));
}

// The driven clock as the host's: every query moves it on by one.
uint32_t DrivenTickQuery() { return DrivenTick++; }
void DrivenSleep(uint32_t milliseconds) { DrivenTick += milliseconds; }

void SleepUntilMicroseconds(int64_t micros) {
  int64_t absolute = micros + StartMicros;
  timespec t{time_t(absolute / 1000000), long(absolute % 1000000) * 1000};
  while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &t, nullptr) == EINTR) {
  }
}
