// Readers of the text sources in assets/: the palette table, the sprite
// grids, the font glyphs, the sheet layout and the rectangle manifest.
#pragma once
#include <map>
#include <string>
#include <vector>

#include "art_canvas.h"

struct Grid {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;  // palette indices, ClearIndex where empty
};

// The glyphs of the font, by character code: 1 where the glyph is inked.
struct Glyph {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> ink;
};

struct LayoutStep {
    std::string verb;    // "sheet", "put" or "draw"
    std::string sheet;
    std::string what;    // sprite or painter name
    int x = 0, y = 0, w = 0, h = 0;
    int line = 0;
};

struct SheetRect {
    std::string sheet;
    int left, top, right, bottom;
    int flags;           // 1 colour-keyed, 0 drawn opaque
    std::string label;
};

extern std::map<std::string, Grid> GSprites;
extern std::map<int, Glyph> GGlyphs;

// Each returns 1 on success; on failure it prints "file:line: why".
int LoadPalette(const std::string& path);
int LoadSpriteFile(const std::string& path);
int LoadGlyphFile(const std::string& path);
int LoadLayout(const std::string& path, std::vector<LayoutStep>& steps);
int LoadRects(const std::string& path, std::vector<SheetRect>& rects);
