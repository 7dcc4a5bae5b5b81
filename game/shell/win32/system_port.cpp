#include "game/shell/system_port.h"

#include <windows.h>

#include "game/shell/win32/main_window.h"

uint32_t PortGetTickCount() { return GetTickCount(); }

void PortSleep(uint32_t milliseconds) { Sleep(milliseconds); }

int16_t PortGetAsyncKeyState(int32_t virtualKey) {
  return static_cast<int16_t>(GetAsyncKeyState(virtualKey));
}

int32_t PortPostMessage(uint32_t message, uintptr_t wParam, intptr_t lParam) {
  return PostMessageA(MainWindow, message, wParam, lParam) ? 1 : 0;
}
