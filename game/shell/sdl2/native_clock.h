#pragma once
#include <cstdint>

// The game thread's clock on Linux. Live: a monotonic clock in whole
// milliseconds, and the frame wait's busy loop turned into a sleep until
// just before the frame's mark. Driven (scripted runs): the simulator's
// clock, one millisecond a query, so a run is fast and repeatable.
void StartNativeClock(bool driven);
bool NativeClockDriven();
// Microseconds since the start; in a driven run the driven milliseconds.
int64_t NativeMicroseconds();
// The tick the clock would give now, without moving a driven clock on.
uint32_t NativeTickNow();

// The game's seed from the local date and time, as the Windows program
// takes it at start-up.
uint32_t LocalClockSeed();

// The driven clock: a query moves it on by one, a sleep by its length.
uint32_t DrivenTickQuery();
void DrivenSleep(uint32_t milliseconds);
// Sleeps until the live clock reads `micros` (no early wake-up is lost).
void SleepUntilMicroseconds(int64_t micros);

// When the frame wait, asked at `now` with `lastTick` and `frameTime` as it
// keeps them, next ends: the tick it waits for. The title screen, whose
// frame time is never cleared, ends a frame on every change of the tick;
// there a frame lasts one step of the Windows tick count (1/64 s).
uint32_t FrameMark(uint32_t lastTick, uint32_t frameTime, int32_t frameCount);
constexpr uint32_t TitleFrameMilliseconds = 16;
// How long before the mark the sleep ends; the rest is spun.
constexpr int64_t WakeAheadMicroseconds = 250;
