// The large sprites: the chaser's growing spore, the cruiser and the two
// frames of the boss. Built from lit shapes and outlined on their sheet.
#include <algorithm>
#include <cmath>

#include "art_painters.h"

// The chaser: a spiked spore that swells as it closes in. One design, drawn
// at every frame's size, so the frames read as one creature growing.
void PaintChaserFrames(Sheet& s, const Box& b) {
    double cx = b.x + b.w / 2.0, cy = b.y + b.h / 2.0;
    double r = std::min(b.w, b.h) / 2.0 - 1;
    int spikes = 10;
    for (int y = b.y; y < b.y + b.h; ++y)
        for (int x = b.x; x < b.x + b.w; ++x) {
            double dx = (x + 0.5 - cx) / (b.w / 2.0 - 1) * r, dy = (y + 0.5 - cy) / (b.h / 2.0 - 1) * r;
            double d = std::sqrt(dx * dx + dy * dy), a = std::atan2(dy, dx);
            double spike = std::pow(std::max(0.0, std::cos(a * spikes / 2.0)), 8);
            if (d > r * (0.68 + 0.32 * spike)) continue;
            double lit = 0.25 + 0.55 * (1 - d / r) - 0.25 * (dx + dy) / (2 * r);
            Plot(s, x, y, d > r * 0.7 ? Shade("green", 0.35 + 0.3 * spike) : Shade("green", lit));
        }
    ShadedEllipse(s, b, cx - r * 0.2, cy, r * 0.26, r * 0.26, "red", 0.4, 1.0);
    if (r > 6) Plot(s, (int)(cx - r * 0.28), (int)(cy - r * 0.08), Shade("grey", 1.0));
    Outline(s, b, Shade("grey", 0.0));
}

// Type 7: a heavy cruiser, nose to the left, engines glowing at the right.
void PaintCruiser(Sheet& s, const Box& b) {
    auto X = [&](double u) { return b.x + u * b.w; };
    auto Y = [&](double v) { return b.y + v * b.h; };
    const double hull[] = {X(0.02), Y(0.58), X(0.18), Y(0.38), X(0.78), Y(0.32), X(0.96), Y(0.40),
                           X(0.96), Y(0.74), X(0.80), Y(0.82), X(0.16), Y(0.78)};
    const double tower[] = {X(0.42), Y(0.34), X(0.50), Y(0.10), X(0.68), Y(0.08), X(0.74), Y(0.34)};
    const double keel[] = {X(0.30), Y(0.76), X(0.70), Y(0.80), X(0.62), Y(0.96), X(0.38), Y(0.94)};
    FillPolygon(s, b, keel, 4, "steel", 0.15, 0.4);
    FillPolygon(s, b, hull, 7, "green", 0.15, 0.65);
    FillPolygon(s, b, tower, 4, "steel", 0.3, 0.8);
    for (int i = 0; i < 5; ++i) FillRect(s, (int)X(0.52 + i * 0.035), (int)Y(0.16), 4, 3, Shade("gold", 0.95));
    for (int i = 0; i < 3; ++i) {  // turrets with barrels to the front
        double tx = X(0.24 + i * 0.16), ty = Y(0.40);
        ShadedEllipse(s, b, tx, ty, 9, 6, "steel", 0.2, 0.9);
        FillRect(s, (int)(tx - 22), (int)ty - 2, 16, 3, Shade("steel", 0.5));
    }
    for (int i = 0; i < 9; ++i)  // hull seams
        Line(s, b, (int)X(0.2 + i * 0.08), (int)Y(0.45), (int)X(0.2 + i * 0.08), (int)Y(0.74), Shade("green", 0.12));
    for (int i = 0; i < 3; ++i) ShadedEllipse(s, b, X(0.965), Y(0.46 + i * 0.1), 5, 4, "fire", 0.5, 1.0);
    ShadedEllipse(s, b, X(0.12), Y(0.58), 7, 5, "red", 0.4, 1.0);
    Outline(s, b, Shade("grey", 0.0));
}

// The boss faces left: a violet carapace with two armoured pods, a jaw at
// rows 112-143 (where its beam comes out) and a gun port at rows 65-81.
// open is 0 while it tracks the ship, 1 while it attacks.
static void Boss(Sheet& s, const Box& b, int open) {
    double ox = b.x, oy = b.y;
    ShadedEllipse(s, b, ox + 100, oy + 85, 50, 80, "violet", 0.1, 0.8);        // carapace
    ShadedEllipse(s, b, ox + 84, oy + 28, 34, 20, "violet", 0.15, 0.95);       // upper pod
    ShadedEllipse(s, b, ox + 84, oy + 146, 34, 20, "violet", 0.1, 0.85);       // lower pod
    for (int i = 0; i < 5; ++i) {  // ribs of the carapace
        double a = -0.9 + i * 0.45;
        for (double d = 0.55; d < 0.97; d += 0.01)
            PlotIn(s, b, (int)(ox + 100 + std::cos(a) * 50 * d), (int)(oy + 85 + std::sin(a) * 80 * d),
                   Shade("violet", 0.12));
    }
    const double brow[] = {ox + 14, oy + 58, ox + 70, oy + 44, ox + 96, oy + 62, ox + 70, oy + 98, ox + 22, oy + 96};
    FillPolygon(s, b, brow, 5, "steel", 0.2, 0.85);                            // armoured head
    int jaw = open ? 14 : 0;
    const double lower[] = {ox + 10, oy + 104 + jaw, ox + 76, oy + 100 + jaw, ox + 96, oy + 130,
                            ox + 66, oy + 150, ox + 20, oy + 134 + jaw / 2};
    FillPolygon(s, b, lower, 5, "steel", 0.15, 0.7);                           // lower jaw
    if (open) {
        ShadedEllipse(s, b, ox + 56, oy + 108, 44, 12, "fire", 0.5, 1.0);      // the beam's furnace
        ShadedEllipse(s, b, ox + 40, oy + 73, 14, 8, "cyan", 0.5, 1.0);        // charged gun port
        for (int i = 0; i < 6; ++i)  // fangs
            Line(s, b, (int)ox + 16 + i * 11, (int)oy + 96, (int)ox + 19 + i * 11, (int)oy + 104, Shade("grey", 0.95));
    } else {
        FillRect(s, (int)ox + 18, (int)oy + 100, 64, 4, Shade("grey", 0.05));  // shut jaw line
        ShadedEllipse(s, b, ox + 40, oy + 73, 9, 5, "steel", 0.1, 0.5);        // closed gun port
    }
    ShadedEllipse(s, b, ox + 48, oy + 78 - (open ? 4 : 0), 8, 6, open ? "gold" : "red", 0.4, 1.0);  // eye
    for (int i = 0; i < 3; ++i) {  // spines on the back
        double sx = ox + 112 + i * 12, sy = oy + 10 + i * 6;
        const double spine[] = {sx, sy + 24, sx + 6, sy, sx + 12, sy + 26};
        FillPolygon(s, b, spine, 3, "violet", 0.3, 0.9);
        const double low[] = {sx, oy + 160 - i * 6 - 24, sx + 6, oy + 166 - i * 6, sx + 12, oy + 160 - i * 6 - 26};
        FillPolygon(s, b, low, 3, "violet", 0.1, 0.6);
    }
    Outline(s, b, Shade("grey", 0.0));
}

void PaintBossTracking(Sheet& s, const Box& b) { Boss(s, b, 0); }
void PaintBossAttack(Sheet& s, const Box& b) { Boss(s, b, 1); }
