#pragma once
#include <cstdint>

// Palette fades. Modes: 2 to black, 4 in from black, 5 white flash, 6 the
// normal palette back (the others come with the fade engine).
struct ScreenEffectState {
  int32_t mode;
  int32_t duration;  // -1: inactive
  int32_t counter;
};

extern ScreenEffectState ScreenEffect;

void ScreenEffectSetMode(int32_t mode);
void ScreenEffectSetDuration(int32_t frames);
void ScreenEffectResetCounter();
int32_t ScreenEffectStep();
