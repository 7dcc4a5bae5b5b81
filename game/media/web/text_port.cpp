// GDI text on the page's 8-bit back buffer: each line drawn by the browser
// in the page's font (IPA Gothic, cut to what the game draws) and read back
// as a mask, then set on the surface in the palette colour nearest to the
// one asked for, as GDI picks it.
#include "game/media/text_port.h"

#include <emscripten.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "game/media/host/host_display.h"
#include "game/media/host/host_surfaces.h"
#include "game/media/sdl2/text_faces.h"
#include "game/media/palette.h"

namespace {

struct Line {
  int32_t width = 0, height = 0, skip = 0;
  std::vector<uint8_t> mask;  // 1 where the glyphs are
};
using LineKey = std::tuple<std::string, int32_t, bool>;
std::map<LineKey, Line> Lines;  // the title draws the same lines every frame
constexpr size_t LinesKept = 64;

// The page draws a line of Shift-JIS text: a block from malloc of three
// int32 (width, height, the font's line step) and the mask, or null.
EM_JS(uint8_t*, RenderLine, (const char* text, int32_t length, int32_t pixels, int32_t bold), {
  const line = ZarvelPage.renderLine(HEAPU8.slice(text, text + length), pixels, bold);
  const block = _malloc(12 + line.mask.length);
  if (!block) return 0;
  HEAP32[block >> 2] = line.width;
  HEAP32[(block >> 2) + 1] = line.height;
  HEAP32[(block >> 2) + 2] = line.skip;
  HEAPU8.set(line.mask, block + 12);
  return block;
});

const Line& RenderedLine(const std::string& text, int32_t pixels, bool bold) {
  LineKey key{text, pixels, bold};
  auto found = Lines.find(key);
  if (found != Lines.end()) return found->second;
  if (Lines.size() >= LinesKept) Lines.clear();
  Line line;
  if (uint8_t* block = RenderLine(text.data(), int32_t(text.size()), pixels, bold ? 1 : 0)) {
    int32_t head[3];
    std::memcpy(head, block, sizeof head);
    line.width = head[0], line.height = head[1], line.skip = head[2];
    line.mask.assign(block + sizeof head, block + sizeof head + size_t(line.width) * line.height);
    std::free(block);
  }
  return Lines[key] = line;
}

void DrawLine(HostSurfaceRecord& s, const Rect& r, int32_t y, const Line& line, uint8_t index) {
  int32_t x = r.left + (r.right - r.left - line.width) / 2;
  for (int32_t row = 0; row < line.height; ++row)
    for (int32_t col = 0; col < line.width; ++col) {
      int32_t px = x + col, py = y + row;
      if (!line.mask[size_t(row) * line.width + col]) continue;
      if (px < r.left || py < r.top || px >= r.right || py >= r.bottom) continue;
      if (px < 0 || py < 0 || px >= s.width || py >= s.height) continue;
      s.pixels[size_t(py) * s.pitch + px] = index;
    }
}

void DrawItem(HostSurfaceRecord& s, const TextItem& t, int32_t pixels, bool bold, uint8_t index) {
  int32_t y = t.rect.top;
  for (const char* text = t.text;;) {
    const char* end = std::strchr(text, '\n');
    const Line& line = RenderedLine(std::string(text, end ? size_t(end - text) : std::strlen(text)), pixels, bold);
    DrawLine(s, t.rect, y, line, index);
    if (!end) break;
    y += line.skip > 0 ? line.skip : pixels;
    text = end + 1;
  }
}
}  // namespace

int32_t PortDrawTexts(SurfaceHandle surface, FontHandle font, const TextItem* items, int32_t count) {
  HostSurfaceRecord* s = nullptr;
  PaletteEntry colours[PaletteSize];
  if (int32_t error = TextSurface(surface, &s, colours)) return error;
  for (int32_t i = 0; i < count; ++i) {
    const TextItem& t = items[i];
    ItemFace face = FaceOfItem(font, t);
    uint32_t colour = t.red | uint32_t(t.green) << 8 | uint32_t(t.blue) << 16;  // a COLORREF
    DrawItem(*s, t, face.pixels, face.bold, uint8_t(NearestPaletteIndex(colours, colour)));
  }
  return DdOk;
}
