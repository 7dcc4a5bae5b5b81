#pragma once
#include <cstdint>

// Observation points for the simulator and the tests; both stay null in the
// game itself.

// Called once for every frame the game thread waits for: at the start of
// each FrameWait, and after each half-second redraw while paused. The
// simulator plays the main thread's part here (keys, pause, quit).
extern void (*OnFrameWait)();
// Called within FrameWait once the last frame is on screen, and as the
// wait ends with the next frame due (the frame log times both).
extern void (*OnFramePresented)();
extern void (*OnFrameWaitEnd)();
// Called when a stage has ended, before its tear-down, with its result.
extern void (*OnStageEnd)(int32_t result);
// Called when Shutdown finds the main thread writing the palette and waits
// for it before releasing the display.
extern void (*OnShutdownWaitsForPalette)();
