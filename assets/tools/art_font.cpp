// The bitmap font: 5 x 7 glyphs from font/glyphs.txt doubled to 10 x 14,
// shaded from white to gold, with a dark rim. Cell k of the 16 x 16 grid
// holds character 32 + k; a glyph uses columns 0-11 only, because the pen
// advances 12 pixels and the last 4 columns lie under the next glyph.
#include "art_painters.h"
#include "art_sources.h"

void PaintFont(Sheet& s, const Box& b) {
    for (const auto& [code, g] : GGlyphs) {
        int k = code - 32;
        if (k < 1 || k > 94) continue;
        int cx = b.x + (k % 32) * 16, cy = b.y + (k / 32) * 16;
        Box cell{cx, cy, 12, 16};
        for (int y = 0; y < g.height && y < 7; ++y)
            for (int x = 0; x < g.width && x < 5; ++x) {
                if (!g.ink[(size_t)y * g.width + x]) continue;
                for (int j = 0; j < 2; ++j) {
                    int row = 2 * y + j;  // 0..13
                    uint8_t c = row < 4 ? Shade("grey", 1.0) : row < 9 ? Shade("gold", 0.85 - (row - 4) * 0.03)
                                                                    : Shade("orange", 0.75 - (row - 9) * 0.05);
                    PlotIn(s, cell, cx + 1 + 2 * x, cy + 1 + row, c);
                    PlotIn(s, cell, cx + 2 + 2 * x, cy + 1 + row, c);
                }
            }
        Outline(s, cell, Shade("grey", 0.0));
    }
}
