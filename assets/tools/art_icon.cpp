#include "art_icon.h"

#include <cstdint>
#include <cstdio>

namespace {
// Where the ship lies on comm_.bmp (the title screen draws the same cut).
constexpr int ShipLeft = 0, ShipTop = 0, ShipWidth = 83, ShipHeight = 44;

struct Rgba { double r, g, b, a; };

void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

// Area average of the ship over one icon pixel; clear pixels count as
// transparent, so the outline stays soft at 16 pixels.
Rgba Sample(const Sheet& s, const Palette& p, double x0, double y0, double x1, double y1) {
    Rgba sum{0, 0, 0, 0};
    int n = 0;
    for (double y = y0; y < y1; y += 0.25)
        for (double x = x0; x < x1; x += 0.25) {
            ++n;
            int sx = ShipLeft + int(x), sy = ShipTop + int(y);
            if (sx < 0 || sy < 0 || sx >= ShipLeft + ShipWidth || sy >= ShipTop + ShipHeight) continue;
            uint8_t i = PixelAt(s, sx, sy);
            if (i == ClearIndex) continue;
            const Colour& c = p.entries[i];
            sum.r += c.r, sum.g += c.g, sum.b += c.b, sum.a += 1;
        }
    if (sum.a == 0) return {0, 0, 0, 0};
    return {sum.r / sum.a, sum.g / sum.a, sum.b / sum.a, sum.a / n};
}

// One icon image: BITMAPINFOHEADER (double height: colour then mask), BGRA
// rows bottom-up, then the 1-bit AND mask.
std::vector<uint8_t> IconImage(const Sheet& s, const Palette& p, int size) {
    double scale = double(ShipWidth) / size;  // the ship fills the width
    double top = (size - ShipHeight / scale) / 2;
    std::vector<uint8_t> bgra(size_t(size) * size * 4);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            Rgba c = Sample(s, p, x * scale, (y - top) * scale, (x + 1) * scale, (y + 1 - top) * scale);
            uint8_t* px = &bgra[(size_t(size - 1 - y) * size + x) * 4];
            px[0] = uint8_t(c.b + 0.5), px[1] = uint8_t(c.g + 0.5), px[2] = uint8_t(c.r + 0.5);
            px[3] = uint8_t(c.a * 255 + 0.5);
        }
    int maskPitch = ((size + 31) / 32) * 4;
    std::vector<uint8_t> mask(size_t(maskPitch) * size, 0);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            if (bgra[(size_t(y) * size + x) * 4 + 3] < 128) mask[size_t(y) * maskPitch + x / 8] |= 0x80 >> (x % 8);
    std::vector<uint8_t> out;
    Put32(out, 40);
    Put32(out, uint32_t(size));
    Put32(out, uint32_t(size * 2));
    Put16(out, 1);
    Put16(out, 32);
    Put32(out, 0);
    Put32(out, uint32_t(bgra.size() + mask.size()));
    for (int i = 0; i < 4; ++i) Put32(out, 0);
    out.insert(out.end(), bgra.begin(), bgra.end());
    out.insert(out.end(), mask.begin(), mask.end());
    return out;
}
}  // namespace

int WriteIcon(const std::string& path, const std::vector<Sheet>& sheets, const Palette& p) {
    const Sheet* common = nullptr;
    for (const Sheet& s : sheets)
        if (s.name == "comm_.bmp") common = &s;
    if (!common) return 0;
    const int sizes[] = {16, 32, 48};
    std::vector<std::vector<uint8_t>> images;
    for (int size : sizes) images.push_back(IconImage(*common, p, size));
    std::vector<uint8_t> out;
    Put16(out, 0);
    Put16(out, 1);  // an icon
    Put16(out, 3);
    uint32_t offset = 6 + 16 * 3;
    for (size_t i = 0; i < 3; ++i) {
        out.push_back(uint8_t(sizes[i]));
        out.push_back(uint8_t(sizes[i]));
        out.push_back(0);  // no colour table
        out.push_back(0);
        Put16(out, 1);
        Put16(out, 32);
        Put32(out, uint32_t(images[i].size()));
        Put32(out, offset);
        offset += uint32_t(images[i].size());
    }
    for (const auto& image : images) out.insert(out.end(), image.begin(), image.end());
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return 0;
    bool ok = std::fwrite(out.data(), 1, out.size(), f) == out.size();
    return std::fclose(f) == 0 && ok ? 1 : 0;
}
