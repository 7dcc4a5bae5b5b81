#include "game/media/display.h"

#include "game/media/display_port.h"
#include "game/shell/shared_state.h"

int32_t LastDisplayResult = 0;

// First cut: the blit is handed to the port as it is; the clipping against
// the back buffer and the lost-surface handling come with the real surfaces.
void BlitClipped(int32_t x, int32_t y, Rect rect, int32_t flags, int32_t sheet) {
  if (QuitConfirmed.load()) return;
  LastDisplayResult = PortBltFast(x, y, sheet, rect, flags);
}

void PresentFrame() {
  if (QuitConfirmed.load() || !PortHasPrimary()) return;
  LastDisplayResult = PortFlip();
}

void FillBackBuffer(int32_t index) {
  if (QuitConfirmed.load()) return;
  LastDisplayResult = PortFillBackBuffer(index);
}

int32_t PrimaryExists() { return PortHasPrimary(); }
