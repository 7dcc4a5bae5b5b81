#pragma once
#include <cstdint>
#include <vector>

#include "game/media/rect.h"

// What the host display adaptor was asked to draw, for tests and tools.
struct HostBlit {
  int32_t x;
  int32_t y;
  Rect source;
  int32_t flags;
  int32_t sheet;
  int32_t flipIndex;  // flips before this blit
};

void HostResetDisplay();
const std::vector<HostBlit>& HostBlits();
int32_t HostFlipCount();
int32_t HostFillCount();
int32_t HostBlitCount();
// Long simulated runs switch the blit record off; the count stays.
void HostRecordBlits(bool on);
