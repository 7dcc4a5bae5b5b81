#include "game/shell/system_port.h"

#include "game/shell/host/host_system.h"

// Simulated clock: every query moves time on by TickStep, so the busy wait
// of the frame pacing ends after a bounded number of queries; Sleep moves it
// by the time asked for.
static uint32_t Tick = 0;
static uint32_t TickStep = 1;
static uint32_t SleepTotal = 0;
static int32_t SleepCount = 0;
static bool KeysHeld[256];
static std::vector<HostPostedMessage> Posted;

void HostResetSystem() {
  Tick = 0;
  TickStep = 1;
  SleepTotal = 0;
  SleepCount = 0;
  for (bool& held : KeysHeld) held = false;
  Posted.clear();
}

void HostSetTick(uint32_t tick) { Tick = tick; }
void HostSetTickStep(uint32_t step) { TickStep = step; }
uint32_t HostTick() { return Tick; }
uint32_t HostSleepTotal() { return SleepTotal; }
int32_t HostSleepCount() { return SleepCount; }

void HostSetKeyHeld(int32_t virtualKey, bool held) {
  if (virtualKey >= 0 && virtualKey < 256) KeysHeld[virtualKey] = held;
}

const std::vector<HostPostedMessage>& HostPostedMessages() { return Posted; }

uint32_t PortGetTickCount() {
  uint32_t now = Tick;
  Tick += TickStep;
  return now;
}

void PortSleep(uint32_t milliseconds) {
  Tick += milliseconds;
  SleepTotal += milliseconds;
  SleepCount += 1;
}

int16_t PortGetAsyncKeyState(int32_t virtualKey) {
  if (virtualKey < 0 || virtualKey >= 256) return 0;
  return KeysHeld[virtualKey] ? static_cast<int16_t>(0x8000) : 0;
}

int32_t PortPostMessage(uint32_t message, uintptr_t wParam, intptr_t lParam) {
  Posted.push_back({message, wParam, lParam});
  return 1;
}
