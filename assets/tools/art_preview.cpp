#include "art_preview.h"

#include <algorithm>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

// Sheets stacked top to bottom on a grey backdrop; transparent pixels show
// as a dark checkerboard so keyed edges are easy to judge.
int WritePreview(const std::string& path, const std::vector<Sheet>& sheets) {
    const int scale = 2, gap = 8;
    int width = 0, height = gap;
    for (const Sheet& s : sheets) {
        width = std::max(width, s.width * scale + 2 * gap);
        height += s.height * scale + gap;
    }
    std::vector<uint8_t> rgb((size_t)width * height * 3, 90);
    int top = gap;
    for (const Sheet& s : sheets) {
        for (int y = 0; y < s.height * scale; ++y)
            for (int x = 0; x < s.width * scale; ++x) {
                uint8_t i = PixelAt(s, x / scale, y / scale);
                Colour c = GPalette.entries[i];
                if (i == ClearIndex) {
                    uint8_t v = ((x / 8 + y / 8) & 1) ? 40 : 56;
                    c = {v, v, v};
                }
                uint8_t* o = &rgb[((size_t)(top + y) * width + gap + x) * 3];
                o[0] = c.r;
                o[1] = c.g;
                o[2] = c.b;
            }
        top += s.height * scale + gap;
    }
    return stbi_write_png(path.c_str(), width, height, 3, rgb.data(), width * 3) != 0;
}
