#pragma once
#include <cstdint>

#include "game/media/display_port.h"

// Palette fades: each step writes a palette a fraction counter / duration
// of the way between the normal colours and black or white.
enum FadeMode : int32_t {
  FadeNone = 0,      // after a restore
  FadeToWhite = 1,
  FadeToBlack = 2,
  FadeIdle = 3,
  FadeInFromBlack = 4,
  FadeInFromWhite = 5,
  FadeRestore = 6,   // the normal palette back, then FadeNone
};

struct ScreenEffectState {
  int32_t mode;
  int32_t duration;  // steps; -1: inactive, no step does anything
  int32_t counter;
  PaletteHandle palette;  // what Step writes to
  PaletteEntry saved[PaletteSize];  // the normal colours
};

extern ScreenEffectState ScreenEffect;

// Reads the normal colours from `palette`; inactive when there is none.
void ScreenEffectInit(int32_t duration, PaletteHandle palette);
// The palette is gone (the display released): inactive, with no palette,
// until the next ScreenEffectInit.
void ScreenEffectDetach();
void ScreenEffectSetMode(int32_t mode);
void ScreenEffectSetDuration(int32_t steps);
void ScreenEffectResetCounter();
// 0 when a palette was written, 1 otherwise.
int32_t ScreenEffectStep();
// The colours a step writes at fraction t (0..1) for a mode of 1, 2, 4 or 5.
void FadePalette(const PaletteEntry* saved, int32_t mode, double t, PaletteEntry* out);
