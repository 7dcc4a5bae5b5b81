#pragma once
#include <cstdint>

// Releases everything once; later calls do nothing.
void Shutdown();
// The main thread's palette write on activation: the normal colours back
// whatever fade was running, unless quitting is confirmed or Shutdown has
// begun. 1 when it was written. The game thread runs Shutdown on its own
// after a fatal error, at any moment: the two never meet on the palette.
int32_t RestorePaletteOnActivation();
