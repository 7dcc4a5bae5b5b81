#include "game/shell/sdl2/screen_share.h"

#include <cstring>
#include <mutex>

#include "game/media/display.h"
#include "game/media/host/host_display.h"
#include "game/media/host/host_surfaces.h"

namespace {
std::mutex Lock;
std::vector<uint8_t> Indices;
PaletteEntry Colours[PaletteSize];
uint32_t Sequence = 0;
void (*Wake)() = nullptr;

// Game thread only.
int32_t SeenFlips = -1;
PaletteEntry SeenColours[PaletteSize];
std::vector<uint8_t> Taken;
PaletteEntry TakenColours[PaletteSize];
}  // namespace

void SetScreenWake(void (*wake)()) { Wake = wake; }

void ShareScreenIfChanged() {
  int32_t flips = HostFlipCount();
  if (flips == SeenFlips) {
    // No flip: only a fade's palette step can have changed the picture.
    if (!HostPaletteColours(HostPrimaryPalette(), TakenColours)) return;
    if (std::memcmp(TakenColours, SeenColours, sizeof SeenColours) == 0) return;
  }
  if (!HostScreenImage(Taken, TakenColours)) return;
  SeenFlips = flips;
  std::memcpy(SeenColours, TakenColours, sizeof SeenColours);
  {
    std::lock_guard<std::mutex> held(Lock);
    Indices.swap(Taken);
    std::memcpy(Colours, TakenColours, sizeof Colours);
    Sequence += 1;
  }
  if (Wake) Wake();
}

int32_t TakeSharedScreen(uint32_t& sequence, std::vector<uint32_t>& pixels) {
  std::lock_guard<std::mutex> held(Lock);
  if (sequence == Sequence || Indices.size() != size_t(ScreenWidth) * ScreenHeight) return 0;
  sequence = Sequence;
  pixels.resize(Indices.size());
  ConvertScreen(Indices.data(), Colours, int32_t(Indices.size()), pixels.data());
  return 1;
}

void ConvertScreen(const uint8_t* indices, const PaletteEntry* colours, int32_t count,
                   uint32_t* pixels) {
  uint32_t table[PaletteSize];
  for (int32_t i = 0; i < PaletteSize; ++i)
    table[i] = 0xFF000000u | uint32_t(colours[i].red) << 16 | uint32_t(colours[i].green) << 8 |
               colours[i].blue;
  for (int32_t i = 0; i < count; ++i) pixels[i] = table[indices[i]];
}
