#include "game/media/sdl2/text_faces.h"

#include <cstdlib>
#include <vector>

#include "game/media/display_port.h"
#include "game/media/host/host_display.h"

namespace {
struct Made {
  int32_t height;
  int32_t weight;
};
std::vector<Made> Fonts;  // handle = index + 1
constexpr int32_t SystemFontPixels = 16;  // the DC's own font
}  // namespace

FontHandle PortCreateFont(int32_t height, int32_t weight, int32_t) {
  Fonts.push_back({height, weight});
  return Fonts.size();
}

void PortDeleteFont(FontHandle) {}

ItemFace FaceOfItem(FontHandle font, const TextItem& item) {
  bool own = item.withFont && font && font <= Fonts.size();
  int32_t pixels = own ? std::abs(Fonts[font - 1].height) : SystemFontPixels;
  return {pixels < 1 ? SystemFontPixels : pixels, own && Fonts[font - 1].weight >= 700, own};
}

int32_t TextSurface(SurfaceHandle surface, HostSurfaceRecord** out, PaletteEntry* colours) {
  HostSurfaceRecord* s = FindHostSurface(surface);
  if (!s) return DderrInvalidParams;
  if (s->lost) return DderrSurfaceLost;
  if (!HostPaletteColours(HostPrimaryPalette(), colours)) DefaultPaletteTable(colours);
  *out = s;
  return DdOk;
}
