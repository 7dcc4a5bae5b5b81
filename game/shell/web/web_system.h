#pragma once
#include <cstdint>

// The system port on the page: the game's waits, its clock and the messages
// it posts. The page's thread is the game thread, so each wait hands the
// browser its turn (Asyncify's emscripten_sleep): events, painting and sound
// run meanwhile. Live, a frame wait sleeps until just before its mark and
// spins the rest; a replay runs on the simulator's driven clock, held back
// to real time unless it runs as fast as it can.

// `driven`: the simulator's clock (a replay); `fast`: never held back.
void StartWebPacing(bool driven, bool fast);
// The page's clock, in microseconds since the page started.
int64_t WebRealMicroseconds();
// The time handed to the browser so far: the rest was the game's.
int64_t WebGivenMicroseconds();
// The reading of the clock that last answered the game (the frame log's
// end of a wait).
int64_t WebLastReadingMicroseconds();

// What the game thread posts to the window, kept in order for the page;
// `wake` is told of each one.
struct WebMessage {
  uint32_t message;
  uintptr_t wParam;
  intptr_t lParam;
};
void SetWebMessageWake(void (*wake)());
int32_t TakeWebMessage(WebMessage& message);
