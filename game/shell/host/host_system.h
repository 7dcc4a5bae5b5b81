#pragma once
#include <cstdint>
#include <vector>

// Controls of the host system adaptor, for the simulator and the tests.
struct HostPostedMessage {
  uint32_t message;
  uintptr_t wParam;
  intptr_t lParam;
};

void HostResetSystem();
void HostSetTick(uint32_t tick);
void HostSetTickStep(uint32_t step);
uint32_t HostTick();
uint32_t HostSleepTotal();
int32_t HostSleepCount();
void HostSetKeyHeld(int32_t virtualKey, bool held);
const std::vector<HostPostedMessage>& HostPostedMessages();
