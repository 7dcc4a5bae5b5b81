// The title's texts on the 8-bit back buffer: the TrueType font or the
// bitmap font, centred in their rectangles and clipped to them, in the
// palette's nearest colour; the command line.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "game/media/display_port.h"
#include "game/media/host/host_display.h"
#include "game/media/palette.h"
#include "game/media/sdl2/native_fonts.h"
#include "game/media/text_port.h"
#include "game/shell/sdl2/dialog_draw.h"
#include "game/shell/sdl2/program/native_program.h"

namespace {
struct Ink {
  int32_t count = 0, left = 9999, right = -1, top = 9999, bottom = -1;
  bool outside = false;
};

Ink Draw(const std::string& fontFile, const char* text, Rect rect, int32_t height) {
  SetNativeFontFile(fontFile);
  SurfaceHandle s = 0;
  EXPECT_EQ(DdOk, PortCreateSurface(640, 480, &s));
  FontHandle font = PortCreateFont(height, 700, 255);
  TextItem item{text, rect, 255, 255, 255, 1};
  EXPECT_EQ(DdOk, PortDrawTexts(s, font, &item, 1));
  PaletteEntry colours[PaletteSize];
  DefaultPaletteTable(colours);
  HostSurfaceView v = HostSurface(s);
  Ink ink;
  for (int32_t y = 0; y < v.height; ++y)
    for (int32_t x = 0; x < v.width; ++x) {
      uint8_t i = v.pixels[y * v.pitch + x];
      if (!i) continue;
      const PaletteEntry& c = colours[i];
      EXPECT_EQ(255 * 3, c.red + c.green + c.blue) << "not the nearest colour to white";
      ink.count += 1;
      ink.left = std::min(ink.left, x), ink.right = std::max(ink.right, x);
      ink.top = std::min(ink.top, y), ink.bottom = std::max(ink.bottom, y);
      ink.outside = ink.outside || x < rect.left || x >= rect.right || y < rect.top || y >= rect.bottom;
    }
  PortReleaseSurface(s);
  PortDeleteFont(font);
  return ink;
}

TEST(NativeText, BothFontsCentreTheirLinesAndKeepToTheRectangle) {
  std::string ttf = NativeFontFile();
  ASSERT_FALSE(ttf.empty()) << "no TrueType font: tools/install_deps.sh installs IPA Gothic";
  for (const std::string& f : {std::string(), ttf}) {
    Ink wide = Draw(f, "ZARVEL", Rect{0, 96, 640, 480}, -64);
    EXPECT_GT(wide.count, 500) << f;
    EXPECT_NEAR(320, (wide.left + wide.right) / 2, 8) << f;
    EXPECT_GE(wide.top, 96) << f;
    EXPECT_GE(wide.bottom - wide.top, 30) << f;  // a 64-pixel face
    EXPECT_FALSE(wide.outside) << f;
    Ink cut = Draw(f, "ZARVEL\nZARVEL", Rect{300, 100, 340, 130}, -64);
    EXPECT_GT(cut.count, 0) << f;
    EXPECT_FALSE(cut.outside) << f;
  }
}

TEST(NativeText, TheTrueTypeFontDrawsTheJapaneseTexts) {
  std::string ttf = NativeFontFile();
  ASSERT_FALSE(ttf.empty());
  // "終了" in Shift-JIS, as the game keeps its texts.
  Ink kanji = Draw(ttf, "\x8f\x49\x97\xb9", Rect{0, 0, 640, 100}, -32);
  Ink marks = Draw(ttf, "??", Rect{0, 0, 640, 100}, -32);
  EXPECT_GT(kanji.count, 2 * marks.count);
  EXPECT_EQ("\xe7\xb5\x82\xe4\xba\x86", Utf8FromShiftJis("\x8f\x49\x97\xb9"));
  EXPECT_EQ("\x8f\x49\x97\xb9", ShiftJisFromUtf8("\xe7\xb5\x82\xe4\xba\x86"));
  EXPECT_EQ("A?", Utf8FromShiftJis("A\x81"));  // half a pair at the end
}

// A font without Japanese, as fontconfig gives one where no Japanese font is
// installed.
std::string LatinFont() { return NativeFontMatch("DejaVu Sans"); }
std::string JapaneseFont() { return NativeFontMatch("IPAGothic:lang=ja"); }

bool SameInk(const Ink& a, const Ink& b) {
  return a.count == b.count && a.left == b.left && a.right == b.right && a.top == b.top && a.bottom == b.bottom;
}

// A text the font has no glyphs for is drawn with the bitmap font, not as
// empty boxes; a text it has them for, with the font.
TEST(NativeText, ATextTheFontCannotDrawGoesToTheBitmapFont) {
  std::string latin = LatinFont(), ja = JapaneseFont();
  SetNativeFontFile(latin);
  ASSERT_FALSE(latin.empty());
  ASSERT_FALSE(TTF_GlyphIsProvided32(NativeFont(32, false), 0x7D42)) << latin << " has Japanese";
  const struct {
    std::string font;
    const char* text;
    bool bitmap;
  } cases[] = {
      {latin, "\x8f\x49\x97\xb9", true},  // Shift-JIS, as the game keeps its texts
      {latin, "Exit \x8f\x49", true},       // one character missing is enough
      {latin, "ZARVEL", false},
      {ja, "\x8f\x49\x97\xb9", false},
  };
  for (const auto& c : cases) {
    Ink drawn = Draw(c.font, c.text, Rect{0, 0, 640, 100}, -32);
    Ink bitmap = Draw("", c.text, Rect{0, 0, 640, 100}, -32);
    EXPECT_EQ(c.bitmap, SameInk(drawn, bitmap)) << c.font << " " << Utf8FromShiftJis(c.text);
  }
  SetNativeFontFile(ja);
}

// The exit question's buttons: in the bitmap font (none chosen, or one
// without Japanese) each label is measured by its characters and stays
// inside its button.
TEST(NativeText, TheBoxesLabelsKeepToTheirButtonsInTheBitmapFont) {
  DialogState state;
  StartDialog(state, AskExit);
  DialogTexts texts{"ZARVEL", u8"終了しますか？\nExit? ", 0, 0};
  std::vector<uint32_t> under(640 * 480, 0xFF000000u), none, latin;
  SetNativeFontFile("");
  DrawDialog(state, texts, under, none);
  SetNativeFontFile(LatinFont());
  DrawDialog(state, texts, under, latin);
  constexpr int32_t Top = 285, Bottom = 311;  // the buttons' row, as the box places it
  auto inButton = [](int32_t x) { return (x >= 125 && x < 245) || (x >= 260 && x < 380) || (x >= 395 && x < 515); };
  int32_t white = 0;
  for (int32_t y = Top; y < Bottom; ++y)
    for (int32_t x = 0; x < 640; ++x) {
      uint32_t p = none[size_t(y) * 640 + x];
      if (p != 0xFFFFFFFFu) continue;
      white += 1;
      EXPECT_TRUE(inButton(x)) << "a label spills out of its button at " << x << "," << y;
    }
  EXPECT_GT(white, 100);
  EXPECT_TRUE(std::equal(none.begin() + Top * 640, none.begin() + Bottom * 640, latin.begin() + Top * 640))
      << "a label the font cannot draw was not drawn with the bitmap font";
  SetNativeFontFile(JapaneseFont());
}

struct ArgsCase {
  std::vector<const char*> args;
  int rc;
  int32_t stage, scale;
  bool fullScreen;
};

TEST(NativeOptions, TheCommandLineIsCheckedWhole) {
  const ArgsCase cases[] = {
      {{}, 0, -1, 0, false},
      {{"--stage", "c", "--scale", "3", "--fullscreen"}, 0, 2, 3, true},
      {{"--stage", "0"}, 0, 0, 0, false},
      {{"--stage", "d"}, 2, -1, 0, false},
      {{"--stage", "ab"}, 2, -1, 0, false},
      {{"--scale", "0"}, 2, -1, 0, false},
      {{"--scale", "9"}, 2, -1, 0, false},
      {{"--scale"}, 2, -1, 0, false},
      {{"--hash", "h.txt"}, 2, -1, 0, false},  // only with a script
      {{"--keys", "k.txt", "--frames", "10", "--shot", "5:a"}, 0, -1, 0, false},
      {{"--keys", "k.txt", "--shot", "x:a"}, 2, -1, 0, false},
      {{"--window", "800x600"}, 2, -1, 0, false},
  };
  for (const ArgsCase& c : cases) {
    std::vector<const char*> argv = {"zarvel"};
    argv.insert(argv.end(), c.args.begin(), c.args.end());
    NativeOptions o;
    std::string error;
    EXPECT_EQ(c.rc, ParseNativeArgs(int(argv.size()), argv.data(), o, error)) << error;
    if (c.rc != 0) {
      EXPECT_FALSE(error.empty());
      continue;
    }
    EXPECT_EQ(c.stage, o.stage);
    EXPECT_EQ(c.scale, o.scale);
    EXPECT_EQ(c.fullScreen, o.fullScreen);
  }
}
}  // namespace
