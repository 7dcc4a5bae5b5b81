// GDI text on the native program's 8-bit back buffer: the lines drawn with
// the TrueType font, or the built-in 5 x 7 font where there is none, in the
// palette colour nearest to the one asked for, as GDI picks it.
#include "game/media/text_port.h"

#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "game/media/host/host_display.h"
#include "game/media/host/host_surfaces.h"
#include "game/media/host/host_text_font.h"
#include "game/media/sdl2/text_faces.h"
#include "game/media/palette.h"
#include "game/media/sdl2/native_fonts.h"

namespace {
// GDI steps the system font's lines 18 pixels apart (the title's help, as
// the Windows program shows it); a font's own line skip is less.
constexpr int32_t SystemFontLineStep = 18;

// The font file is part of a key: a text drawn with another font is another
// line.
using LineKey = std::tuple<std::string, std::string, int32_t, bool>;
std::map<LineKey, SDL_Surface*> Lines;  // the title draws the same lines every frame
std::map<LineKey, bool> Covered;        // and the same items: is each glyph in the font?
constexpr size_t LinesKept = 64;

uint8_t NearestIndex(const PaletteEntry* colours, uint8_t r, uint8_t g, uint8_t b) {
  int32_t best = 0, bestDistance = 1 << 30;
  for (int32_t i = 0; i < PaletteSize; ++i) {
    int32_t dr = colours[i].red - r, dg = colours[i].green - g, db = colours[i].blue - b;
    int32_t d = dr * dr + dg * dg + db * db;
    if (d < bestDistance) best = i, bestDistance = d;
  }
  return uint8_t(best);
}

void Plot(HostSurfaceRecord& s, const Rect& clip, int32_t x, int32_t y, uint8_t index) {
  if (x < clip.left || y < clip.top || x >= clip.right || y >= clip.bottom) return;
  if (x < 0 || y < 0 || x >= s.width || y >= s.height) return;
  s.pixels[size_t(y) * s.pitch + x] = index;
}

SDL_Surface* RenderedLine(TTF_Font* face, const std::string& line, int32_t pixels, bool bold) {
  LineKey key{NativeFontFile(), line, pixels, bold};
  auto found = Lines.find(key);
  if (found != Lines.end()) return found->second;
  if (Lines.size() >= LinesKept) {
    for (auto& l : Lines) SDL_FreeSurface(l.second);
    Lines.clear();
  }
  std::string utf8 = Utf8FromShiftJis(line);
  SDL_Surface* s = utf8.empty() ? nullptr : TTF_RenderUTF8_Solid(face, utf8.c_str(), SDL_Color{255, 255, 255, 255});
  Lines[key] = s;
  return s;
}

void DrawTtfLine(HostSurfaceRecord& s, const Rect& r, int32_t y, SDL_Surface* line, uint8_t index) {
  if (!line || line->format->BytesPerPixel != 1) return;
  int32_t x = r.left + (r.right - r.left - line->w) / 2;
  for (int32_t row = 0; row < line->h; ++row) {
    const uint8_t* bits = static_cast<const uint8_t*>(line->pixels) + size_t(row) * line->pitch;
    for (int32_t col = 0; col < line->w; ++col)
      if (bits[col]) Plot(s, r, x + col, y + row, index);
  }
}

void DrawBitmapLine(HostSurfaceRecord& s, const Rect& r, int32_t y, const std::string& line,
                    int32_t scale, uint8_t index) {
  int32_t advance = 6 * scale;
  int32_t x = r.left + (r.right - r.left - int32_t(line.size()) * advance) / 2;
  for (size_t i = 0; i < line.size(); ++i, x += advance) {
    int32_t code = uint8_t(line[i]);
    if (code < 32 || code > 126) code = '?';  // no Japanese in this font
    for (int32_t gy = 0; gy < 7 * scale; ++gy)
      for (int32_t gx = 0; gx < 5 * scale; ++gx)
        if (HostTextGlyphs[code - 32][gy / scale] & (0x10 >> (gx / scale))) Plot(s, r, x + gx, y + gy, index);
  }
}

// The face when it has every glyph of the item's text, else null: the
// bitmap font draws it.
TTF_Font* CoveringFace(const char* text, int32_t pixels, bool bold) {
  TTF_Font* face = NativeFont(pixels, bold);
  if (!face) return nullptr;
  LineKey key{NativeFontFile(), text, pixels, bold};
  auto found = Covered.find(key);
  if (found == Covered.end()) {
    if (Covered.size() >= LinesKept) Covered.clear();
    found = Covered.emplace(key, NativeFontCovers(face, Utf8FromShiftJis(text))).first;
  }
  return found->second ? face : nullptr;
}

// lineStep 0: the font's own.
void DrawItem(HostSurfaceRecord& s, const TextItem& t, int32_t pixels, bool bold, int32_t lineStep,
              uint8_t index) {
  TTF_Font* face = CoveringFace(t.text, pixels, bold);
  int32_t scale = pixels / 8 < 1 ? 1 : pixels / 8;
  int32_t lineHeight = lineStep ? lineStep : face ? TTF_FontLineSkip(face) : 8 * scale;
  int32_t y = t.rect.top;
  for (const char* line = t.text;; y += lineHeight) {
    const char* end = std::strchr(line, '\n');
    std::string text(line, end ? size_t(end - line) : std::strlen(line));
    if (face) DrawTtfLine(s, t.rect, y, RenderedLine(face, text, pixels, bold), index);
    else DrawBitmapLine(s, t.rect, y, text, scale, index);
    if (!end) break;
    line = end + 1;
  }
}
}  // namespace

int32_t PortDrawTexts(SurfaceHandle surface, FontHandle font, const TextItem* items, int32_t count) {
  HostSurfaceRecord* s = nullptr;
  PaletteEntry colours[PaletteSize];
  if (int32_t error = TextSurface(surface, &s, colours)) return error;
  std::lock_guard<std::mutex> held(NativeFontLock());
  for (int32_t i = 0; i < count; ++i) {
    const TextItem& t = items[i];
    ItemFace face = FaceOfItem(font, t);
    DrawItem(*s, t, face.pixels, face.bold, face.own ? 0 : SystemFontLineStep,
             NearestIndex(colours, t.red, t.green, t.blue));
  }
  return DdOk;
}
