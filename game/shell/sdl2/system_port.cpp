#include "game/shell/system_port.h"

#include <deque>
#include <mutex>

#include "game/shell/sdl2/native_clock.h"
#include "game/shell/sdl2/native_input.h"
#include "game/shell/sdl2/native_messages.h"
#include "game/shell/sdl2/screen_share.h"
#include "game/shell/shared_state.h"
#include "game/shell/stage_loop.h"

namespace {
std::mutex Lock;
std::deque<NativeMessage> Messages;
void (*Wake)() = nullptr;
}  // namespace

void SetMessageWake(void (*wake)()) { Wake = wake; }

void PostNativeMessage(const NativeMessage& message) {
  {
    std::lock_guard<std::mutex> held(Lock);
    Messages.push_back(message);
  }
  if (Wake) Wake();
}

int32_t TakeNativeMessage(NativeMessage& message) {
  std::lock_guard<std::mutex> held(Lock);
  if (Messages.empty()) return 0;
  message = Messages.front();
  Messages.pop_front();
  return 1;
}

// The game asks the clock right after every present, so that is where the
// picture goes to the window. The frame wait's busy loop asks again and
// again until its mark; here it sleeps until just before the mark instead
// and spins the last fraction of a millisecond.
uint32_t PortGetTickCount() {
  ShareScreenIfChanged();
  if (NativeClockDriven()) return DrivenTickQuery();
  uint32_t now = NativeTickNow();
  bool pausedStage = Paused.load() != 0 && FrameCount >= 0;  // that loop sleeps itself
  if (pausedStage || AppActive.load() == 0 || NativeKeyHeld('T')) return now;
  uint32_t mark = FrameMark(LastTick, FrameTime, FrameCount);
  int32_t ahead = int32_t(mark - now);
  if (ahead <= 0 || ahead > int32_t(FrameMilliseconds) + 1) return now;
  int64_t markMicros = int64_t(mark) * 1000;
  SleepUntilMicroseconds(markMicros - WakeAheadMicroseconds);
  while (NativeMicroseconds() < markMicros) {
  }
  return NativeTickNow();
}

void PortSleep(uint32_t milliseconds) {
  ShareScreenIfChanged();
  if (NativeClockDriven()) return DrivenSleep(milliseconds);
  SleepUntilMicroseconds(NativeMicroseconds() + int64_t(milliseconds) * 1000);
}

int16_t PortGetAsyncKeyState(int32_t virtualKey) {
  return NativeKeyHeld(virtualKey) ? static_cast<int16_t>(0x8000) : 0;
}

int32_t PortPostMessage(uint32_t message, uintptr_t wParam, intptr_t lParam) {
  PostNativeMessage({message, wParam, lParam});
  return 1;
}
