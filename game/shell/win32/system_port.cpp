#include "game/shell/system_port.h"

#include <windows.h>

#include <cstdlib>

#include "game/shell/frame_log_port.h"
#include "game/shell/stage_loop.h"
#include "game/shell/win32/main_window.h"

namespace {
int64_t LastReading = 0;  // microseconds of the performance counter

uint32_t CounterMilliseconds() {
  LastReading = PortWallMicroseconds();
  return static_cast<uint32_t>(LastReading / 1000);  // wraps as a tick count does
}

// A frame's wait gives the processor back in sleeps of a millisecond
// (timeBeginPeriod(1): Windows' own step is 15.6 ms) and spins only its
// last stretch, so that Wine's threads and the X server on a two-core
// machine are not kept waiting by a spinning game thread. ZARVEL_FRAME_SPIN=1
// spins the whole wait instead, for comparing the two.
constexpr int64_t SpunMilliseconds = 2;

bool WaitSleeps() {
  static const bool sleeps = [] {
    const char* spin = std::getenv("ZARVEL_FRAME_SPIN");
    if (spin && spin[0] == '1') return false;
    if (HMODULE winmm = LoadLibraryW(L"winmm.dll")) {
      auto begin = reinterpret_cast<UINT(WINAPI*)(UINT)>(
          reinterpret_cast<void*>(GetProcAddress(winmm, "timeBeginPeriod")));
      if (begin) begin(1);
    }
    return true;
  }();
  return sleeps;
}

// What FrameWait will have gathered with this reading.
int64_t GatheredBy(uint32_t now) { return int64_t(FrameTime) + uint32_t(now - LastTick); }
}  // namespace

// The pacing's millisecond clock is the performance counter: its
// milliseconds come evenly, where the system tick steps 15.6 ms on Windows
// and irregularly under Wine. FrameWait asks for it until more than
// FrameMilliseconds have gathered; a reading well short of that mark comes
// after a millisecond's sleep, unless T is held (the game runs unpaced).
uint32_t PortGetTickCount() {
  uint32_t now = CounterMilliseconds();
  if (GatheredBy(now) + SpunMilliseconds < FrameMilliseconds && !IsKeyHeld('T') && WaitSleeps()) {
    Sleep(1);
    now = CounterMilliseconds();
  }
  return now;
}

int64_t PortPacingMicroseconds() { return LastReading; }

void PortSleep(uint32_t milliseconds) { Sleep(milliseconds); }

int16_t PortGetAsyncKeyState(int32_t virtualKey) {
  return static_cast<int16_t>(GetAsyncKeyState(virtualKey));
}

int32_t PortPostMessage(uint32_t message, uintptr_t wParam, intptr_t lParam) {
  return PostMessageW(MainWindow, message, wParam, lParam) ? 1 : 0;
}
