#include "game/media/display_port.h"

#include "game/media/host/host_display.h"

static std::vector<HostBlit> Blits;
static int32_t Flips = 0;
static int32_t Fills = 0;
static int32_t BlitCount = 0;
static bool Recording = true;

void HostResetDisplay() {
  Blits.clear();
  Flips = 0;
  Fills = 0;
  BlitCount = 0;
}

void HostRecordBlits(bool on) { Recording = on; }
int32_t HostBlitCount() { return BlitCount; }

const std::vector<HostBlit>& HostBlits() { return Blits; }
int32_t HostFlipCount() { return Flips; }
int32_t HostFillCount() { return Fills; }

int32_t PortBltFast(int32_t x, int32_t y, int32_t sheet, const Rect& source, int32_t flags) {
  BlitCount += 1;
  if (Recording) Blits.push_back({x, y, source, flags, sheet, Flips});
  return 0;
}

int32_t PortFlip() {
  Flips += 1;
  return 0;
}

int32_t PortFillBackBuffer(int32_t) {
  Fills += 1;
  return 0;
}

int32_t PortHasPrimary() { return 1; }
