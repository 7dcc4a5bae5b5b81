#pragma once
#include <cstdint>

// The start-up the front ends share once their window is up, as the Windows
// program's: no music requested, sound, the display, the start-up sheets,
// the high scores, a fresh game and the palette's fade. 0 when sound, the
// display (LastDisplayResult keeps its result) or a sheet failed.
int32_t StartUpGame(uintptr_t window);
