#include "game/shell/system_port.h"

#include <emscripten.h>

#include <deque>

#include "game/shell/sdl2/native_clock.h"
#include "game/shell/shared_state.h"
#include "game/shell/stage_loop.h"
#include "game/shell/web/web_input.h"
#include "game/shell/web/web_system.h"
#include "game/shell/web/web_screen.h"

namespace {
bool Fast = false;
int64_t Start = 0;
int64_t Given = 0;
int64_t LastTurn = 0;
int64_t Reading = 0;
std::deque<WebMessage> Messages;
void (*Wake)() = nullptr;

// A browser's timer fires a millisecond or two late: the last stretch
// before a frame's mark is spun.
constexpr int64_t SpinMicroseconds = 2000;
// The longest the game keeps the page's thread without a turn for the
// browser (a game running unpaced, a replay at full speed).
constexpr int64_t LongestHoldMicroseconds = 25000;

void GiveTurn(int64_t micros) {
  int64_t start = WebRealMicroseconds();
  emscripten_sleep(uint32_t(micros / 1000));
  LastTurn = WebRealMicroseconds();
  Given += LastTurn - start;
}

void TakeTurnIfDue() {
  if (WebRealMicroseconds() - LastTurn > LongestHoldMicroseconds) GiveTurn(0);
}

void SleepFor(int64_t micros) {
  int64_t end = WebRealMicroseconds() + micros;
  if (micros > SpinMicroseconds) GiveTurn(micros - SpinMicroseconds);
  while (WebRealMicroseconds() < end) {
  }
}

// A replay's driven clock may not run ahead of real time, unless fast.
void HoldReplayBack(uint32_t drivenTick) {
  int64_t ahead = int64_t(drivenTick) * 1000 - (WebRealMicroseconds() - Start);
  if (Fast || ahead <= SpinMicroseconds) return TakeTurnIfDue();
  GiveTurn(ahead);
}

uint32_t Answer(uint32_t tick) {
  Reading = WebRealMicroseconds();
  return tick;
}
}  // namespace

void StartWebPacing(bool driven, bool fast) {
  StartNativeClock(driven);
  Fast = fast;
  Start = WebRealMicroseconds();
  Given = 0;
  LastTurn = WebRealMicroseconds();
}

int64_t WebRealMicroseconds() {
  static const double start = emscripten_get_now();
  return int64_t((emscripten_get_now() - start) * 1000);
}

int64_t WebGivenMicroseconds() { return Given; }
int64_t WebLastReadingMicroseconds() { return Reading; }

void SetWebMessageWake(void (*wake)()) { Wake = wake; }

int32_t TakeWebMessage(WebMessage& message) {
  if (Messages.empty()) return 0;
  message = Messages.front();
  Messages.pop_front();
  return 1;
}

// The game asks the clock right after every present, so that is where the
// picture goes onto the canvas. The frame wait's busy loop asks again and
// again until its mark; here the first question sleeps until just before
// the mark instead. Paused or inactive, the game sleeps by itself.
uint32_t PortGetTickCount() {
  PresentScreenIfChanged();
  if (NativeClockDriven()) {
    uint32_t tick = DrivenTickQuery();
    HoldReplayBack(tick);
    return Answer(tick);
  }
  uint32_t now = NativeTickNow();
  bool pausedStage = Paused.load() != 0 && FrameCount >= 0;
  uint32_t mark = FrameMark(LastTick, FrameTime, FrameCount);
  int32_t ahead = int32_t(mark - now);
  if (pausedStage || AppActive.load() == 0 || WebKeyHeld('T') || ahead <= 0 ||
      ahead > int32_t(FrameMilliseconds) + 1) {
    TakeTurnIfDue();
    return Answer(NativeTickNow());
  }
  SleepFor(int64_t(mark) * 1000 - NativeMicroseconds());
  return Answer(NativeTickNow());
}

void PortSleep(uint32_t milliseconds) {
  PresentScreenIfChanged();
  if (!NativeClockDriven()) return GiveTurn(int64_t(milliseconds) * 1000);
  DrivenSleep(milliseconds);
  HoldReplayBack(NativeTickNow());
}

int16_t PortGetAsyncKeyState(int32_t virtualKey) {
  return WebKeyHeld(virtualKey) ? static_cast<int16_t>(0x8000) : 0;
}

int32_t PortPostMessage(uint32_t message, uintptr_t wParam, intptr_t lParam) {
  Messages.push_back({message, wParam, lParam});
  if (Wake) Wake();
  return 1;
}
