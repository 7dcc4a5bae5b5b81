// Explosions, beams, shots and HUD bars: shapes better computed than typed.
#include <algorithm>
#include <cmath>

#include "art_painters.h"

// A ragged fireball: hot core, ramp outwards, torn edge, a few sparks.
static void Fireball(Sheet& s, const Box& b, uint32_t seed) {
    double cx = b.x + b.w / 2.0, cy = b.y + b.h / 2.0;
    double r = std::min(b.w, b.h) / 2.0;
    for (int y = b.y; y < b.y + b.h; ++y)
        for (int x = b.x; x < b.x + b.w; ++x) {
            double dx = (x + 0.5 - cx) / r, dy = (y + 0.5 - cy) / r;
            double d = std::sqrt(dx * dx + dy * dy);
            double a = std::atan2(dy, dx);
            double edge = 0.78 + 0.2 * TileNoise((a + M_PI) * 2.5, 0.5, 16, seed);
            double lump = TileNoise(x * 6.0 / b.w, y * 6.0 / b.h, 64, seed + 3);
            if (d > edge) continue;
            double heat = 1.0 - d / edge;
            heat = heat * 0.85 + lump * 0.3 - 0.1;
            const char* ramp = heat < 0.12 ? "grey" : "fire";
            Plot(s, x, y, ramp[0] == 'g' ? Shade("grey", 0.25) : Shade("fire", heat * 1.2));
        }
    for (int i = 0; i < 6; ++i) {
        uint32_t h = HashInt(seed * 13 + i);
        double a = (h % 360) * M_PI / 180, d = r * (0.82 + (h >> 10) % 16 / 100.0);
        PlotIn(s, b, (int)(cx + std::cos(a) * d), (int)(cy + std::sin(a) * d), Shade("gold", 0.9));
    }
}

void PaintExplosionLarge(Sheet& s, const Box& b) { Fireball(s, b, 71); }
void PaintExplosionSmall(Sheet& s, const Box& b) { Fireball(s, b, 43); }

// Stars fly left: a white head at the left, a tail that fades to the blue
// of deep space. Drawn opaque, so no pixel may be the key colour.
void PaintStarStreak(Sheet& s, const Box& b) {
    for (int x = 0; x < b.w; ++x) {
        double t = 1.0 - (double)x / b.w;
        Plot(s, b.x + x, b.y, Shade("blue", 0.15 + 0.85 * t * t));
        Plot(s, b.x + x, b.y + 1, Shade("blue", 0.1 + 0.6 * t * t));
    }
}

// Cut from the left at Energy / 15 of its width: red at the low end,
// through gold to green, so a short bar already reads as danger.
void PaintEnergyGauge(Sheet& s, const Box& b) {
    for (int x = 0; x < b.w; ++x) {
        double u = (double)x / (b.w - 1);
        const char* ramp = u < 0.34 ? "red" : u < 0.67 ? "gold" : "green";
        for (int y = 0; y < b.h; ++y) {
            double v = 1.0 - std::abs(y - 5.0) / 11.0;
            uint8_t c = Shade(ramp, 0.25 + 0.65 * v);
            if (y == 0 || y == b.h - 1) c = Shade("grey", 0.1);
            else if (x % 6 == 5) c = Shade(ramp, 0.2);
            if (x == 0) c = Shade("grey", 0.1);
            Plot(s, b.x + x, b.y + y, c);
        }
    }
}

// The boss's beam flies left: a bright blunt head, a tapering violet tail.
void PaintBossBeam(Sheet& s, const Box& b) {
    double cy = b.y + b.h / 2.0;
    for (int x = 0; x < b.w; ++x) {
        double u = (double)x / b.w;
        double half = (b.h / 2.0 - 1) * (u < 0.1 ? 0.55 + u * 4.5 : 1.0 - (u - 0.1) * 0.75);
        for (int y = b.y; y < b.y + b.h; ++y) {
            double d = std::abs(y + 0.5 - cy) / half;
            double ripple = 0.08 * std::sin(x * 0.7 + y * 0.3);
            if (d > 1.0 - ripple) continue;
            double core = 1.0 - d;
            uint8_t c = core > 0.6 ? Shade("grey", 1.0) : Shade(core > 0.3 ? "violet" : "red", 0.45 + core);
            Plot(s, b.x + x, y, c);
        }
    }
}

// Weapon 1: a crescent of force, convex toward its flight to the right.
void PaintWaveShot(Sheet& s, const Box& b) {
    double cy = b.y + b.h / 2.0;
    for (int y = b.y; y < b.y + b.h; ++y) {
        double v = (y + 0.5 - cy) / (b.h / 2.0);
        double front = b.x + b.w - 2 - (b.w - 6) * v * v;
        double thick = 12 * (1 - v * v) + 2;
        for (int x = b.x; x < b.x + b.w; ++x) {
            double d = front - (x + 0.5);
            if (d < 0 || d > thick) continue;
            double t = 1.0 - d / thick;
            Plot(s, x, y, Shade(t > 0.8 ? "grey" : "cyan", t > 0.8 ? 1.0 : 0.3 + 0.7 * t));
        }
    }
}

// Weapon 2: the laser, a white core in cyan, its front end rounded.
void PaintLaserShot(Sheet& s, const Box& b) {
    static const double rows[5] = {0.45, 0.8, 1.0, 0.8, 0.45};
    for (int y = 0; y < b.h && y < 5; ++y)
        for (int x = 0; x < b.w; ++x) {
            if ((y == 0 || y == 4) && (x < 2 || x > b.w - 3)) continue;
            double t = rows[y] * (x < 8 ? 0.6 + x * 0.05 : 1.0);
            Plot(s, b.x + x, b.y + y, y == 2 ? Shade("grey", 1.0) : Shade("cyan", t));
        }
}
