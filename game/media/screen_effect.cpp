#include "game/media/screen_effect.h"

#include "game/shell/shared_state.h"

// First cut without a palette: the effect keeps its mode, duration and
// counter as the fade engine will, and writes no colours yet.
ScreenEffectState ScreenEffect{0, 10, 0};

void ScreenEffectSetMode(int32_t mode) { ScreenEffect.mode = mode; }

void ScreenEffectSetDuration(int32_t frames) {
  if (ScreenEffect.duration != -1 && !QuitConfirmed.load()) ScreenEffect.duration = frames;
}

void ScreenEffectResetCounter() { ScreenEffect.counter = 0; }

int32_t ScreenEffectStep() {
  if (ScreenEffect.duration == -1) return 1;
  if (ScreenEffect.counter <= ScreenEffect.duration) ScreenEffect.counter += 1;
  return 1;
}
