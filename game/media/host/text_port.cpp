// GDI text on the host: the host's own 5 x 7 font, scaled, in the colour of
// the screen's palette nearest to the one asked for, as GDI picks it on an
// 8-bit surface.
#include "game/media/text_port.h"

#include <cstdlib>
#include <cstring>
#include <vector>

#include "game/media/host/host_display.h"
#include "game/media/host/host_surfaces.h"
#include "game/media/host/host_text_font.h"

namespace {
std::vector<int32_t> FontHeights;  // handle = index + 1
int32_t LiveFonts = 0;
std::vector<HostText> Texts;  // kept short: a long title run would pile up
bool FailFonts = false;

struct Face {
  int32_t scaleX, scaleY, advance, lineHeight;
};

Face FaceOf(FontHandle font, int32_t withFont) {
  if (withFont && font && font <= FontHeights.size()) {
    int32_t s = std::abs(FontHeights[font - 1]) / 8;
    if (s < 1) s = 1;
    return {s, s, 6 * s, 8 * s};
  }
  return {1, 2, 7, 16};  // the DC's own font: about the system font's size
}

uint8_t NearestIndex(uint8_t r, uint8_t g, uint8_t b) {
  PaletteEntry colours[PaletteSize];
  HostPaletteRecord* p = FindHostPalette(HostPrimaryPalette());
  if (!p) return 255;
  std::memcpy(colours, p->entries, sizeof colours);
  int32_t best = 0, bestDistance = 1 << 30;
  for (int32_t i = 0; i < PaletteSize; ++i) {
    int32_t dr = colours[i].red - r, dg = colours[i].green - g, db = colours[i].blue - b;
    int32_t d = dr * dr + dg * dg + db * db;
    if (d < bestDistance) best = i, bestDistance = d;
  }
  return static_cast<uint8_t>(best);
}

void DrawGlyph(HostSurfaceRecord& s, const Rect& clip, int32_t x, int32_t y, char c,
               const Face& face, uint8_t index) {
  int32_t code = static_cast<uint8_t>(c);
  if (code < 32 || code > 126) code = '?';  // no Japanese in this font
  const uint8_t* rows = HostTextGlyphs[code - 32];
  for (int32_t gy = 0; gy < 7 * face.scaleY; ++gy)
    for (int32_t gx = 0; gx < 5 * face.scaleX; ++gx) {
      if (!(rows[gy / face.scaleY] & (0x10 >> (gx / face.scaleX)))) continue;
      int32_t px = x + gx, py = y + gy;
      if (px < clip.left || py < clip.top || px >= clip.right || py >= clip.bottom) continue;
      if (px < 0 || py < 0 || px >= s.width || py >= s.height) continue;
      s.pixels[size_t(py) * s.pitch + px] = index;
    }
}

void DrawItem(HostSurfaceRecord& s, FontHandle font, const TextItem& t) {
  Face face = FaceOf(font, t.withFont);
  uint8_t index = NearestIndex(t.red, t.green, t.blue);
  int32_t y = t.rect.top;
  for (const char* line = t.text;; y += face.lineHeight) {
    const char* end = std::strchr(line, '\n');
    int32_t length = static_cast<int32_t>(end ? end - line : std::strlen(line));
    int32_t width = length * face.advance;
    int32_t x = t.rect.left + (t.rect.right - t.rect.left - width) / 2;
    for (int32_t i = 0; i < length; ++i) DrawGlyph(s, t.rect, x + i * face.advance, y, line[i], face, index);
    if (!end) break;
    line = end + 1;
  }
}
}  // namespace

void HostFailFonts(bool on) { FailFonts = on; }
int32_t HostLiveFonts() { return LiveFonts; }
const std::vector<HostText>& HostTexts() { return Texts; }
void HostClearTexts() { Texts.clear(); }

FontHandle PortCreateFont(int32_t height, int32_t, int32_t) {
  if (FailFonts) return 0;
  FontHeights.push_back(height);
  LiveFonts += 1;
  return FontHeights.size();
}

void PortDeleteFont(FontHandle font) {
  if (font) LiveFonts -= 1;
}

int32_t PortDrawTexts(SurfaceHandle surface, FontHandle font, const TextItem* items,
                      int32_t count) {
  HostSurfaceRecord* s = FindHostSurface(surface);
  if (!s) return NoteHostMisuse(), DderrInvalidParams;
  if (s->lost) return DderrSurfaceLost;
  for (int32_t i = 0; i < count; ++i) {
    const TextItem& t = items[i];
    if (Texts.size() < 3000) Texts.push_back({t.text, t.rect, t.red, t.green, t.blue, t.withFont && font ? 1 : 0});
    DrawItem(*s, font, t);
  }
  return DdOk;
}
