#pragma once
#include <cstdint>

// What the game thread posts to the window (PostMessageA's part): kept in
// order until the window's thread takes it; `wake` tells that thread.
struct NativeMessage {
  uint32_t message;
  uintptr_t wParam;
  intptr_t lParam;
};
void SetMessageWake(void (*wake)());
void PostNativeMessage(const NativeMessage& message);
// 1 and the oldest message, 0 when none waits.
int32_t TakeNativeMessage(NativeMessage& message);
