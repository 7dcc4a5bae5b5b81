// The terrain blocks, all 64 pixels wide and drawn opaque. Several kinds
// share pixels on the sheet, so the layout is painted as one picture:
//   row 0      C's five lamp frames (the fifth at 0,64), D's fan at 64..192
//   192,64     E's shutter slats; below it the armour plates that A, H, I
//              and the bottom of E show and that G's column grows from
//   0..96,128  B: three lamp panels, cut as 0..64 and 32..96, so its two
//              frames light the left or the right lamp
//   F          a turning gear at 128,128 / 128,192 / 64,192 / 0,192
#include <cmath>

#include "art_painters.h"

// A metal panel lit from the top left, with rivets in the corners.
static void Panel(Sheet& s, int x0, int y0, int w, int h, const char* ramp, double base) {
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            double t = base + 0.05 * TileNoise(x / 5.0, y / 5.0, 64, 17) - 0.06 * y / h;
            if (y == 0 || x == 0) t = base + 0.35;
            else if (y == 1 || x == 1) t = base + 0.2;
            else if (y == h - 1 || x == w - 1) t = base - 0.35;
            else if (y == h - 2 || x == w - 2) t = base - 0.2;
            Plot(s, x0 + x, y0 + y, Shade(ramp, t));
        }
    const int r[4][2] = {{4, 4}, {w - 6, 4}, {4, h - 6}, {w - 6, h - 6}};
    for (const auto& p : r) {
        Plot(s, x0 + p[0], y0 + p[1], Shade(ramp, base + 0.45));
        Plot(s, x0 + p[0] + 1, y0 + p[1] + 1, Shade(ramp, base - 0.3));
        Plot(s, x0 + p[0] + 1, y0 + p[1], Shade(ramp, base + 0.1));
        Plot(s, x0 + p[0], y0 + p[1] + 1, Shade(ramp, base + 0.1));
    }
}

// A round lamp; glow 0 is off, 1 full.
static void Lamp(Sheet& s, double cx, double cy, double r, const char* ramp, double glow) {
    Box all{0, 0, s.width, s.height};
    FlatEllipse(s, all, cx, cy, r + 1.5, r + 1.5, Shade("grey", 0.08));
    ShadedEllipse(s, all, cx, cy, r, r, ramp, 0.05 + 0.5 * glow, 0.25 + 0.75 * glow);
    if (glow > 0.5) Plot(s, (int)(cx - r / 3), (int)(cy - r / 3), Shade("grey", 1.0));
}

static void CoreFrames(Sheet& s) {
    static const int at[5][2] = {{0, 0}, {64, 0}, {128, 0}, {192, 0}, {0, 64}};
    for (int k = 0; k < 5; ++k) {
        int x = at[k][0], y = at[k][1];
        Panel(s, x, y, 64, 64, "steel", 0.42);
        FillRect(s, x + 10, y + 10, 44, 44, Shade("steel", 0.15));
        Lamp(s, x + 32, y + 32, 16, "orange", k / 4.0);
        for (int i = 0; i < 4; ++i)  // the ring of indicator lights chases round
            Lamp(s, x + 32 + 24 * std::cos(i * M_PI / 2 + k * 0.4), y + 32 + 24 * std::sin(i * M_PI / 2 + k * 0.4),
                 2, "gold", (i == k % 4) ? 1.0 : 0.1);
    }
}

static void FanFrames(Sheet& s) {
    Box all{0, 0, s.width, s.height};
    for (int k = 0; k < 2; ++k) {
        int x = 64 + 64 * k, y = 64;
        Panel(s, x, y, 64, 64, "steel", 0.5);
        FlatEllipse(s, all, x + 32, y + 32, 24, 24, Shade("grey", 0.05));
        for (int blade = 0; blade < 4; ++blade) {
            double a = blade * M_PI / 2 + k * M_PI / 4;
            for (double d = 4; d < 22; d += 0.5)
                for (double w = -4; w <= 4; w += 0.5) {
                    double aa = a + w / d * 0.9;
                    Plot(s, (int)(x + 32 + std::cos(aa) * d), (int)(y + 32 + std::sin(aa) * d),
                         Shade("cyan", 0.35 + 0.3 * (w + 4) / 8));
                }
        }
        ShadedEllipse(s, all, x + 32, y + 32, 5, 5, "steel", 0.3, 0.9);
    }
}

// Armour plates, 32 rows a period, so any cut of the column looks whole.
static void Plates(Sheet& s, int x0, int y0, int h) {
    for (int y = y0; y < y0 + h; y += 32) Panel(s, x0, y, 64, 32, "rust", 0.45);
}

static void Shutter(Sheet& s) {
    for (int y = 64; y < 128; ++y)
        for (int x = 192; x < 256; ++x) {
            int py = (y - 64) % 8;
            double t = py == 0 ? 0.75 : py == 7 ? 0.12 : 0.5 - py * 0.04;
            if (x == 192 || x == 255) t = 0.2;
            Plot(s, x, y, Shade("steel", t));
        }
}

static void LampPanels(Sheet& s) {
    for (int k = 0; k < 3; ++k) {
        Panel(s, 32 * k, 128, 32, 64, "steel", 0.35);
        Lamp(s, 32 * k + 16, 160, 7, "red", k == 1 ? 1.0 : 0.05);
        FillRect(s, 32 * k + 8, 176, 16, 3, Shade("gold", 0.5));
    }
    Panel(s, 96, 128, 32, 64, "steel", 0.35);  // spare, never cut
}

static void GearFrames(Sheet& s) {
    static const int at[4][2] = {{128, 128}, {128, 192}, {64, 192}, {0, 192}};
    for (int k = 0; k < 4; ++k) {
        int x = at[k][0], y = at[k][1];
        Panel(s, x, y, 64, 64, "brown", 0.4);
        for (int py = 0; py < 64; ++py)
            for (int px = 0; px < 64; ++px) {
                double dx = px - 31.5, dy = py - 31.5;
                double d = std::sqrt(dx * dx + dy * dy), a = std::atan2(dy, dx) - k * M_PI / 16;
                double tooth = std::cos(a * 8) > 0.2 ? 25 : 21;
                if (d > tooth || d < 7) continue;
                double lit = 0.45 - (dx + dy) / 120.0;
                if (d < 12) lit += 0.2;
                Plot(s, x + px, y + py, Shade("gold", lit));
            }
    }
}

void PaintBlockSheet(Sheet& s, const Box& b) {
    FillRect(s, b.x, b.y, b.w, b.h, Shade("steel", 0.2));
    CoreFrames(s);
    FanFrames(s);
    Shutter(s);
    Plates(s, 192, 128, 128);
    LampPanels(s);
    GearFrames(s);
}
