#include "game/media/screen_effect.h"

#include <cstring>

#include "game/shell/shared_state.h"

ScreenEffectState ScreenEffect{FadeNone, -1, 0, 0, {}};

void ScreenEffectInit(int32_t duration, PaletteHandle palette) {
  ScreenEffect.duration = duration <= 0 ? 1 : duration;
  ScreenEffect.counter = 0;
  ScreenEffect.palette = 0;
  if (!palette || PortGetPaletteEntries(palette, ScreenEffect.saved) != DdOk) {
    ScreenEffect.duration = -1;
    return;
  }
  ScreenEffect.palette = palette;
}

void ScreenEffectDetach() {
  ScreenEffect.duration = -1;
  ScreenEffect.palette = 0;
}

void ScreenEffectSetMode(int32_t mode) { ScreenEffect.mode = mode; }

void ScreenEffectSetDuration(int32_t steps) {
  if (ScreenEffect.duration != -1 && !QuitConfirmed.load()) ScreenEffect.duration = steps;
}

void ScreenEffectResetCounter() { ScreenEffect.counter = 0; }

static uint8_t FadeComponent(int32_t mode, int32_t v, double t) {
  switch (mode) {
    case FadeToWhite: return uint8_t(v + int32_t((255 - v) * t));
    case FadeToBlack: return uint8_t(v - int32_t(v * t));
    case FadeInFromBlack: return uint8_t(int32_t(v * t));
    default: return uint8_t(255 - int32_t((255 - v) * t));  // FadeInFromWhite
  }
}

void FadePalette(const PaletteEntry* saved, int32_t mode, double t, PaletteEntry* out) {
  for (int32_t i = 0; i < PaletteSize; ++i) {
    out[i].red = FadeComponent(mode, saved[i].red, t);
    out[i].green = FadeComponent(mode, saved[i].green, t);
    out[i].blue = FadeComponent(mode, saved[i].blue, t);
    out[i].flags = saved[i].flags;
  }
}

// A fade that has run its course puts the normal colours back, step after
// step: it never leaves the screen black or white by itself.
int32_t ScreenEffectStep() {
  ScreenEffectState& e = ScreenEffect;
  if (e.duration == -1 || QuitConfirmed.load()) return 1;
  if (e.counter > e.duration) {
    e.mode = FadeRestore;
    e.counter = e.duration;
  }
  PaletteEntry working[PaletteSize];
  switch (e.mode) {
    case FadeToWhite:
    case FadeToBlack:
    case FadeInFromBlack:
    case FadeInFromWhite:
      // A zero duration is never asked for; it is taken as the fade's end.
      FadePalette(e.saved, e.mode, e.duration > 0 ? double(e.counter) / e.duration : 1.0, working);
      break;
    case FadeRestore:
      std::memcpy(working, e.saved, sizeof working);
      e.mode = FadeNone;
      break;
    default:
      return 1;
  }
  if (!QuitConfirmed.load() && e.palette && PortSetPaletteEntries(e.palette, working) == DdOk) {
    e.counter += 1;
    return 0;
  }
  // A palette that cannot be written stays as it is for the rest of the run.
  e.duration = -1;
  return 1;
}
