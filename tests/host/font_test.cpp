#include <gtest/gtest.h>

#include <vector>

#include "game/media/display.h"
#include "game/media/font.h"
#include "game/media/host/host_display.h"
#include "tools/sim/sim.h"

namespace {
class FontTest : public ::testing::Test {
 protected:
  void SetUp() override {
    HostSetDataDir(ZARVEL_DATA_DIR);
    ResetWorld();
  }
  void TearDown() override { ResetWorld(); }
};

struct Glyph {
  int32_t x, y, left, top;
};

std::vector<Glyph> Asked() {
  std::vector<Glyph> glyphs;
  for (const HostBlit& b : HostBlitRequests()) {
    EXPECT_EQ(b.sheet, FontSheet);
    EXPECT_EQ(b.flags, BlitColourKey);
    EXPECT_EQ(b.source.right - b.source.left, 16);
    EXPECT_EQ(b.source.bottom - b.source.top, 16);
    glyphs.push_back({b.x, b.y, b.source.left, b.source.top});
  }
  return glyphs;
}

void ExpectGlyphs(const std::vector<Glyph>& want, const char* name) {
  std::vector<Glyph> got = Asked();
  ASSERT_EQ(got.size(), want.size()) << name;
  for (size_t i = 0; i < want.size(); ++i) {
    EXPECT_EQ(got[i].x, want[i].x) << name << " glyph " << i;
    EXPECT_EQ(got[i].y, want[i].y) << name << " glyph " << i;
    EXPECT_EQ(got[i].left, want[i].left) << name << " glyph " << i;
    EXPECT_EQ(got[i].top, want[i].top) << name << " glyph " << i;
  }
}
}  // namespace

// 'A' is cell 33 (row 1, column 1), 'B' cell 34, '~' cell 94 (row 2, column 30).
TEST_F(FontTest, TextCellsPenAndBounds) {
  struct Case {
    const char* name;
    int32_t x, y;
    const char* text;
    std::vector<Glyph> glyphs;
  };
  const Case cases[] = {
      {"space skipped", 10, 20, "A B", {{10, 20, 16, 16}, {34, 20, 32, 16}}},
      {"last cell", 0, 0, "~!", {{0, 0, 480, 32}, {12, 0, 16, 0}}},
      {"Shift-JIS bytes advance", 0, 0, "\x82\xa0" "A", {{24, 0, 16, 16}}},
      {"control bytes advance", 0, 0, "\t\x7f" "A", {{24, 0, 16, 16}}},
      {"starts at -100: nothing", -100, 50, "ABCDEFGHIJKLMNOPQRSTUVWXYZ", {}},
      {"-79 is inside", -79, 50, "A", {{-79, 50, 16, 16}}},
      {"skipped glyphs are not tested", -100, 50, "   A", {{-64, 50, 16, 16}}},
      {"the first glyph outside ends it", 755, 50, "AAA", {{755, 50, 16, 16}}},
      {"top bound", 0, -816, "A", {}},
      {"inside the top bound", 0, -815, "A", {{0, -815, 16, 16}}},
      {"bottom bound", 0, 1279, "A", {}},
      {"inside the bottom bound", 0, 1278, "A", {{0, 1278, 16, 16}}},
  };
  for (const Case& c : cases) {
    HostResetDisplay();
    DrawFontText(c.x, c.y, c.text);
    ExpectGlyphs(c.glyphs, c.name);
  }
}

TEST_F(FontTest, NumberDigitsPenAndOverWideValues) {
  struct Case {
    const char* name;
    int32_t x, value, divisor;
    std::vector<int32_t> cells;  // left of each glyph
  };
  auto digit = [](int32_t d) { return 256 + 16 * d; };
  const Case cases[] = {
      {"score line", 100, 1234, 1000000000,
       {digit(0), digit(0), digit(0), digit(0), digit(0), digit(1), digit(2), digit(3), digit(4)}},
      {"one digit", 0, 7, 10, {digit(7)}},
      {"divisor below 10", 0, 7, 9, {}},
      {"over-wide: ':' to '?' first", 0, 1234, 1000, {digit(12), digit(3), digit(4)}},
  };
  for (const Case& c : cases) {
    HostResetDisplay();
    DrawFontNumber(c.x, 10, c.value, c.divisor);
    std::vector<Glyph> want;
    for (size_t i = 0; i < c.cells.size(); ++i) want.push_back({c.x + 12 * int32_t(i), 10, c.cells[i], 0});
    ExpectGlyphs(want, c.name);
  }
}

// A first digit of 16 or more would cut a cell right of the font's 512
// columns. The display refuses it as DirectDraw does, and nothing beyond the
// sheet is read: this sheet ends exactly at its last pixel, so under
// AddressSanitizer any read past it would be reported.
TEST_F(FontTest, OverWideNumberPastTheSheetIsRefused) {
  SurfaceHandle narrow = 0;
  ASSERT_EQ(PortCreateSurface(512, 16, &narrow), DdOk);
  ASSERT_EQ(HostSurface(narrow).pitch, 512);
  PortSetColourKey(narrow, 0);
  PortReleaseSurface(SheetSurfaces[FontSheet]);
  SheetSurfaces[FontSheet] = narrow;
  FillBackBuffer(9);
  DrawFontNumber(0, 0, 20, 10);  // the only digit is 20
  ASSERT_EQ(HostBlits().size(), 1u);
  EXPECT_EQ(HostBlits()[0].source.left, 256 + 16 * 20);
  EXPECT_EQ(LastDisplayResult, DderrInvalidRect);
  DrawFontNumber(0, 0, 2000000000, 1000000000);  // 20, then eight zeros
  EXPECT_EQ(HostBlits().size(), 10u);
  EXPECT_EQ(LastDisplayResult, DdOk);
  DrawFontNumber(0, 0, 2000000000, 10);  // a "digit" of 2000000000: no cell anywhere
  EXPECT_EQ(LastDisplayResult, DderrInvalidRect);
  HostSurfaceView back = HostSurface(BackBuffer);
  EXPECT_EQ(back.pixels[0], 9);
  EXPECT_EQ(back.pixels[15 * back.pitch + 15], 9);
}

TEST_F(FontTest, GlyphsAreDrawnKeyedFromTheRealFont) {
  FillBackBuffer(0);
  DrawFontText(0, 0, "8");
  HostSurfaceView font = HostSurface(SheetSurfaces[FontSheet]);
  HostSurfaceView back = HostSurface(BackBuffer);
  int32_t drawn = 0, key = 0;
  for (int32_t y = 0; y < 16; ++y)
    for (int32_t x = 0; x < 16; ++x) {
      uint8_t glyph = font.pixels[size_t(y) * font.pitch + 256 + 16 * 8 + x];
      uint8_t shown = back.pixels[size_t(y) * back.pitch + x];
      if (glyph == font.colourKey) {
        key += 1;
        EXPECT_EQ(shown, 0);
      } else {
        drawn += 1;
        EXPECT_EQ(shown, glyph);
      }
    }
  EXPECT_GT(drawn, 0);  // the real font has both ink and transparent pixels
  EXPECT_GT(key, 0);
}
