#include "bmp_file.h"

#include <cstdio>
#include <vector>

static void Put16(std::vector<uint8_t>& b, uint32_t v) {
    b.push_back(v & 0xFF);
    b.push_back((v >> 8) & 0xFF);
}

static void Put32(std::vector<uint8_t>& b, uint32_t v) {
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}

int WriteBitmap(const std::string& path, const Sheet& s, const Palette& p) {
    const uint32_t stride = ((uint32_t)s.width + 3) & ~3u;
    const uint32_t offset = 14 + 40 + 256 * 4;
    const uint32_t image = stride * (uint32_t)s.height;
    std::vector<uint8_t> b;
    b.reserve(offset + image);
    b.push_back('B');
    b.push_back('M');
    Put32(b, offset + image);
    Put32(b, 0);
    Put32(b, offset);
    Put32(b, 40);                  // biSize
    Put32(b, (uint32_t)s.width);
    Put32(b, (uint32_t)s.height);  // positive: bottom-up
    Put16(b, 1);                   // planes
    Put16(b, 8);                   // bits per pixel
    Put32(b, 0);                   // BI_RGB
    Put32(b, image);
    Put32(b, 2835);                // 72 dpi
    Put32(b, 2835);
    Put32(b, 256);                 // colours used
    Put32(b, 0);                   // all important
    for (const Colour& c : p.entries) {
        b.push_back(c.b);
        b.push_back(c.g);
        b.push_back(c.r);
        b.push_back(0);            // becomes the palette entry's flags
    }
    for (int y = s.height - 1; y >= 0; --y) {
        const uint8_t* row = &s.pixels[(size_t)y * s.width];
        b.insert(b.end(), row, row + s.width);
        b.insert(b.end(), stride - s.width, 0);
    }
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return 0;
    size_t n = std::fwrite(b.data(), 1, b.size(), f);
    int closed = std::fclose(f) == 0;
    return n == b.size() && closed;
}
