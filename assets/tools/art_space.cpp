// The two parallax backgrounds. Each sky tile wraps on all four edges (the
// game repeats it in a 6 x 4 grid); each ground strip wraps left to right
// and starts at its top in the sky's darkest colour so the seam never shows.
#include <cmath>

#include "art_painters.h"

static double Fbm(double x, double y, int period, uint32_t seed) {
    double sum = 0, amp = 0.5;
    for (int o = 0; o < 4; ++o) {
        sum += amp * TileNoise(x, y, period, seed + o * 101);
        x *= 2; y *= 2; period *= 2; amp *= 0.5;
    }
    return sum;
}

// Sparse fixed stars: a few bright ones with a cross, many faint dots.
static void Stars(Sheet& s, const Box& b, const char* ramp, uint32_t seed, int count) {
    for (int i = 0; i < count; ++i) {
        uint32_t h = HashInt(seed + i * 7919);
        int x = b.x + (int)(h % b.w), y = b.y + (int)((h >> 8) % b.h);
        int bright = (h >> 20) % 8;
        Plot(s, x, y, Shade(ramp, bright > 5 ? 1.0 : 0.55 + bright * 0.05));
        if (bright == 7) {
            uint8_t c = Shade(ramp, 0.7);
            Plot(s, b.x + (x - b.x + 1) % b.w, y, c);
            Plot(s, b.x + (x - b.x + b.w - 1) % b.w, y, c);
            Plot(s, x, b.y + (y - b.y + 1) % b.h, c);
            Plot(s, x, b.y + (y - b.y + b.h - 1) % b.h, c);
        }
    }
}

static void Nebula(Sheet& s, const Box& b, const char* ramp, uint32_t seed, double gain) {
    for (int y = 0; y < b.h; ++y)
        for (int x = 0; x < b.w; ++x) {
            double n = Fbm(x / 32.0, y / 32.0, b.w / 32, seed);
            double v = std::pow(std::max(0.0, n - 0.25) / 0.75, 1.6) * gain;
            // Ordered dither keeps the 16-step ramp from banding.
            static const int bayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
            v += (bayer[y & 3][x & 3] / 16.0 - 0.5) / 15.0;
            Plot(s, b.x + x, b.y + y, Shade(ramp, v));
        }
}

void PaintNebulaTile(Sheet& s, const Box& b) {
    Nebula(s, b, "sky", 11, 0.8);
    Stars(s, b, "grey", 501, 40);
    Stars(s, b, "blue", 977, 6);
}

void PaintDuskTile(Sheet& s, const Box& b) {
    Nebula(s, b, "dusk", 29, 0.85);
    Stars(s, b, "grey", 1301, 34);
    Stars(s, b, "gold", 1733, 5);
}

// Height of a ridge at column x, periodic over the tile width.
static double Ridge(int x, int w, uint32_t seed, double base, double amp) {
    double u = (double)x / w;
    return base + amp * (Fbm(u * 4, 0.5, 4, seed) - 0.5) * 2 +
           amp * 0.35 * std::sin(u * 2 * M_PI * 2 + seed);
}

void PaintMoonGround(Sheet& s, const Box& b) {
    for (int x = 0; x < b.w; ++x) {
        int far = (int)Ridge(x, b.w, 3, 40, 12);
        int near = (int)Ridge(x, b.w, 7, 62, 10);
        for (int y = 0; y < b.h; ++y) {
            uint8_t c;
            if (y < far) c = Shade("sky", 0.0);
            else if (y < near) c = Shade("earth", 0.18 + 0.1 * TileNoise(x / 6.0, y / 6.0, b.w / 6 + 1, 5));
            else {
                double depth = (double)(y - near) / (b.h - near);
                double n = Fbm(x / 16.0, y / 16.0, b.w / 16, 9);
                c = Shade("brown", 0.75 - depth * 0.55 + (n - 0.5) * 0.35);
                if (y == near) c = Shade("brown", 0.95);
            }
            Plot(s, b.x + x, b.y + y, c);
        }
    }
    // Craters: dark bowls with a lit lower lip, kept clear of the seam.
    static const int craters[][3] = {{22, 84, 9}, {70, 100, 14}, {104, 78, 6}, {46, 114, 7}};
    for (const auto& k : craters) {
        Box clip = b;
        FlatEllipse(s, clip, b.x + k[0], b.y + k[1], k[2], k[2] * 0.4, Shade("brown", 0.12));
        FlatEllipse(s, clip, b.x + k[0] + 1, b.y + k[1] - 1, k[2] - 2, k[2] * 0.28, Shade("brown", 0.04));
        Line(s, clip, b.x + k[0] - k[2] + 2, b.y + k[1] + (int)(k[2] * 0.4), b.x + k[0] + k[2] - 2,
             b.y + k[1] + (int)(k[2] * 0.4), Shade("brown", 0.8));
    }
}

// A fortified base: a horizon of towers, then plated deck with girders.
void PaintBaseGround(Sheet& s, const Box& b) {
    for (int y = 0; y < b.h; ++y)
        for (int x = 0; x < b.w; ++x) Plot(s, b.x + x, b.y + y, Shade("dusk", 0.0));
    static const int towers[][3] = {{6, 18, 30}, {30, 10, 44}, {52, 24, 22}, {84, 14, 38}, {106, 20, 28}};
    for (const auto& t : towers) {
        for (int y = 64 - t[2]; y < 64; ++y)
            for (int x = t[0]; x < t[0] + t[1]; ++x) {
                double lit = (x - t[0]) < 2 ? 0.35 : 0.2;
                uint8_t c = Shade("rust", lit);
                if ((y % 6) == 2 && ((x - t[0]) % 4) == 1 && (HashInt(x * 31 + y) & 3) == 0) c = Shade("gold", 0.9);
                Plot(s, b.x + x, b.y + y, c);
            }
    }
    for (int y = 64; y < b.h; ++y)
        for (int x = 0; x < b.w; ++x) {
            int py = (y - 64) % 16, px = x % 32;
            double t = 0.45 - (y - 64) / 140.0;
            if (py == 0) t = 0.8;
            else if (py == 15 || px == 31) t = 0.1;
            else if (px == 0) t = 0.6;
            uint8_t c = Shade("steel", t);
            if ((py == 3 || py == 12) && (px == 3 || px == 28)) c = Shade("steel", 0.9);
            if (y >= 96 && y < 104) c = Shade("rust", ((x / 2) % 8 < 4) ? 0.55 : 0.3);  // hazard band
            Plot(s, b.x + x, b.y + y, c);
        }
    for (int x = 0; x < b.w; ++x) Plot(s, b.x + x, b.y + 63, Shade("orange", 0.6));
}
