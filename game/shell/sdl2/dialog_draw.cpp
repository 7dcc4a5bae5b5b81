#include "game/shell/sdl2/dialog_draw.h"

#include <SDL2/SDL.h>

#include "game/media/display.h"
#include "game/media/host/host_text_font.h"
#include "game/media/sdl2/native_fonts.h"
#include "game/shell/box_texts.h"

namespace {
constexpr uint32_t Panel = 0xFF10183C, Frame = 0xFFA0DFFF, Bar = 0xFF3040A0, Ink = 0xFFFFFFFF,
                   Lit = 0xFFE03F3F, Field = 0xFF000000;
constexpr int32_t TextPixels = 16, LineStep = 20;

void Fill(SDL_Surface* s, int32_t x, int32_t y, int32_t w, int32_t h, uint32_t colour) {
  SDL_Rect r{x, y, w, h};
  SDL_FillRect(s, &r, colour);
}

void Box(SDL_Surface* s, int32_t x, int32_t y, int32_t w, int32_t h, uint32_t inside, uint32_t edge) {
  Fill(s, x, y, w, h, edge);
  Fill(s, x + 2, y + 2, w - 4, h - 4, inside);
}

int32_t BitmapText(SDL_Surface* s, int32_t x, int32_t y, const std::string& text, uint32_t colour) {
  for (size_t i = 0; i < text.size(); ++i) {
    int32_t code = uint8_t(text[i]);
    if (code >= 0x80) {  // not in this font: one mark per UTF-8 character
      while (i + 1 < text.size() && (uint8_t(text[i + 1]) & 0xC0) == 0x80) ++i;
      code = '?';
    }
    if (code < 32 || code > 126) code = '?';
    for (int32_t gy = 0; gy < 14; ++gy)
      for (int32_t gx = 0; gx < 10; ++gx)
        if (HostTextGlyphs[code - 32][gy / 2] & (0x10 >> (gx / 2))) Fill(s, x + gx, y + gy, 1, 1, colour);
    x += 12;
  }
  return x;
}

// align: 0 left of x, 1 centred on x, 2 right of x.
void Text(SDL_Surface* s, int32_t x, int32_t y, const std::string& text, uint32_t colour, int32_t align) {
  if (text.empty()) return;
  std::lock_guard<std::mutex> held(NativeFontLock());
  TTF_Font* face = NativeFont(TextPixels, false);
  SDL_Color ink{uint8_t(colour >> 16), uint8_t(colour >> 8), uint8_t(colour), 255};
  SDL_Surface* line = NativeFontCovers(face, text) ? TTF_RenderUTF8_Blended(face, text.c_str(), ink) : nullptr;
  int32_t width = line ? line->w : Utf8Characters(text) * 12;
  int32_t left = align == 0 ? x : align == 1 ? x - width / 2 : x - width;
  if (!line) {
    BitmapText(s, left, y + 2, text, colour);
    return;
  }
  SDL_Rect to{left, y, line->w, line->h};
  SDL_BlitSurface(line, nullptr, s, &to);
  SDL_FreeSurface(line);
}

void Lines(SDL_Surface* s, int32_t x, int32_t y, const std::string& text) {
  size_t from = 0;
  for (;; y += LineStep) {
    size_t end = text.find('\n', from);
    Text(s, x, y, text.substr(from, end == std::string::npos ? end : end - from), Ink, 0);
    if (end == std::string::npos) break;
    from = end + 1;
  }
}

void Button(SDL_Surface* s, int32_t x, int32_t y, const char* label, bool focused) {
  Box(s, x, y, 120, 26, focused ? Lit : Panel, Frame);
  Text(s, x + 60, y + 4, label, Ink, 1);
}

void ScoreRows(SDL_Surface* s, int32_t x, int32_t y) {
  Text(s, x, y, "Rank", Frame, 0);
  Text(s, x + 60, y, "Name", Frame, 0);
  Text(s, x + 340, y, "Score", Frame, 2);
  bool empty = false;
  for (int32_t place = 1; place <= ScorePlaces; ++place) {
    const ScoreEntry& e = ScoreTable[place - 1];
    empty = empty || e.score <= 0;  // later places keep their defaults
    int32_t row = y + place * LineStep + 4;
    Text(s, x + 30, row, std::to_string(place) + ".", Ink, 2);
    if (!empty) Text(s, x + 60, row, Utf8FromShiftJis(e.name), Ink, 0);
    Text(s, x + 340, row, empty ? "0" : std::to_string(uint32_t(e.score)), Ink, 2);
  }
}

void EntryFields(SDL_Surface* s, const DialogState& state, const DialogTexts& t, int32_t x, int32_t y) {
  const char* labels[3] = {"Your Rank:", "Your Name:", "Your Score:"};
  std::string values[3] = {std::to_string(uint32_t(t.rank)), Utf8FromShiftJis(state.name),
                           std::to_string(uint32_t(t.score))};
  for (int32_t i = 0; i < 3; ++i) {
    int32_t row = y + i * 30;
    Text(s, x, row + 3, labels[i], Ink, 0);
    Box(s, x + 120, row, 220, 24, i == 1 && state.nameSelected ? Bar : Field, Frame);
    Text(s, x + 126, row + 3, values[i] + (i == 1 ? "_" : ""), Ink, 0);
  }
}
}  // namespace

void DrawDialog(const DialogState& state, const DialogTexts& t, const std::vector<uint32_t>& under,
                std::vector<uint32_t>& out) {
  out.resize(size_t(ScreenWidth) * ScreenHeight);
  for (size_t i = 0; i < out.size(); ++i)
    out[i] = i < under.size() ? 0xFF000000u | ((under[i] >> 1) & 0x7F7F7F) : 0xFF000000u;
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormatFrom(out.data(), ScreenWidth, ScreenHeight, 32,
                                                      ScreenWidth * 4, SDL_PIXELFORMAT_ARGB8888);
  if (!s) return;
  bool list = state.kind == ListScores;
  int32_t w = state.kind == TellMessage ? 600 : 440, h = list ? 330 : state.kind == EnterName ? 250 : state.kind == TellMessage ? 260 : 170;
  int32_t x = (ScreenWidth - w) / 2, y = (ScreenHeight - h) / 2;
  Box(s, x, y, w, h, Panel, Frame);
  Fill(s, x + 2, y + 2, w - 4, 26, Bar);
  Text(s, x + 10, y + 6, t.caption, Ink, 0);
  if (list) ScoreRows(s, x + 40, y + 40);
  else Lines(s, x + 20, y + 40, t.message);
  if (state.kind == EnterName) EntryFields(s, state, t, x + 20, y + 96);
  int32_t buttonsY = y + h - 40;
  if (state.kind == AskExit) {
    for (int32_t i = 0; i < 3; ++i) Button(s, x + 25 + i * 135, buttonsY, ExitButtons[i], state.focus == i);
  } else {
    Button(s, x + w / 2 - 60, buttonsY, "OK", true);
  }
  SDL_FreeSurface(s);
}
