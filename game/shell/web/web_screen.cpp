#include "game/shell/web/web_screen.h"

#include <emscripten.h>

#include <cstring>
#include <vector>

#include "game/media/display.h"
#include "game/media/host/host_display.h"
#include "game/media/host/host_surfaces.h"

namespace {
int32_t SeenFlips = -1;
PaletteEntry SeenColours[PaletteSize];
PaletteEntry Colours[PaletteSize];
std::vector<uint8_t> Indices;
std::vector<uint32_t> Pixels;  // canvas order: R, G, B, A in memory
bool Frozen = false;
ScreenCost Cost{};

EM_JS(void, PutPicture, (const uint32_t* pixels), { ZarvelPage.present(HEAPU8.subarray(pixels, pixels + 640 * 480 * 4)); });

bool ScreenChanged() {
  int32_t flips = HostFlipCount();
  if (flips != SeenFlips) return true;
  // No flip: only a fade's palette step can have changed the picture.
  if (!HostPaletteColours(HostPrimaryPalette(), Colours)) return false;
  return std::memcmp(Colours, SeenColours, sizeof SeenColours) != 0;
}
}  // namespace

int32_t PresentScreenIfChanged() {
  if (Frozen || !ScreenChanged() || !HostScreenImage(Indices, Colours)) return 0;
  double start = emscripten_get_now();
  SeenFlips = HostFlipCount();
  std::memcpy(SeenColours, Colours, sizeof SeenColours);
  uint32_t table[PaletteSize];
  for (int32_t i = 0; i < PaletteSize; ++i)
    table[i] = 0xFF000000u | uint32_t(Colours[i].blue) << 16 | uint32_t(Colours[i].green) << 8 | Colours[i].red;
  Pixels.resize(Indices.size());
  for (size_t i = 0; i < Indices.size(); ++i) Pixels[i] = table[Indices[i]];
  PutPicture(Pixels.data());
  int64_t spent = int64_t((emscripten_get_now() - start) * 1000);
  Cost.count += 1;
  Cost.totalMicroseconds += spent;
  if (spent > Cost.longestMicroseconds) Cost.longestMicroseconds = spent;
  return 1;
}

void FreezeScreen() {
  PresentScreenIfChanged();
  Frozen = true;
}

ScreenCost ScreenCosts() { return Cost; }
