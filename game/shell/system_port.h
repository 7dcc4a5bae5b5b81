#pragma once
#include <cstdint>

// The few system calls the game thread makes, mirrored call for call.
// win32/ calls Windows (its tick count is the performance counter's
// milliseconds); host/ runs a simulated clock, scripted keys and a
// record of the posted messages.

uint32_t PortGetTickCount();
void PortSleep(uint32_t milliseconds);
// GetAsyncKeyState: the top bit (0x8000) is set while the key is held.
int16_t PortGetAsyncKeyState(int32_t virtualKey);
// PostMessageA to the main window; never waits for the main thread.
int32_t PortPostMessage(uint32_t message, uintptr_t wParam, intptr_t lParam);

inline bool IsKeyHeld(int32_t virtualKey) {
  return (PortGetAsyncKeyState(virtualKey) & 0x8000) != 0;
}
