#include "art_canvas.h"

#include <algorithm>
#include <cmath>

Palette GPalette;

int RampIndex(const std::string& name, int k) {
    for (const Ramp& r : GPalette.ramps) {
        if (r.name == name) return r.first + std::clamp(k, 0, r.count - 1);
    }
    return -1;
}

int RampCount(const std::string& name) {
    for (const Ramp& r : GPalette.ramps)
        if (r.name == name) return r.count;
    return 0;
}

uint8_t Shade(const char* ramp, double t) {
    int n = RampCount(ramp);
    if (n == 0) return 0;
    int k = (int)std::lround(std::clamp(t, 0.0, 1.0) * (n - 1));
    return (uint8_t)RampIndex(ramp, k);
}

void InitSheet(Sheet& s, const std::string& name, int w, int h, uint8_t fill) {
    s.name = name;
    s.width = w;
    s.height = h;
    s.pixels.assign((size_t)w * h, fill);
}

void Plot(Sheet& s, int x, int y, uint8_t c) {
    if (x < 0 || y < 0 || x >= s.width || y >= s.height) return;
    s.pixels[(size_t)y * s.width + x] = c;
}

uint8_t PixelAt(const Sheet& s, int x, int y) {
    if (x < 0 || y < 0 || x >= s.width || y >= s.height) return ClearIndex;
    return s.pixels[(size_t)y * s.width + x];
}

void FillRect(Sheet& s, int x, int y, int w, int h, uint8_t c) {
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i) Plot(s, i, j, c);
}

void PlotIn(Sheet& s, const Box& b, int x, int y, uint8_t c) {
    if (x < b.x || y < b.y || x >= b.x + b.w || y >= b.y + b.h) return;
    Plot(s, x, y, c);
}

void ShadedEllipse(Sheet& s, const Box& clip, double cx, double cy, double rx,
                   double ry, const char* ramp, double lo, double hi) {
    for (int y = (int)std::floor(cy - ry); y <= (int)std::ceil(cy + ry); ++y) {
        for (int x = (int)std::floor(cx - rx); x <= (int)std::ceil(cx + rx); ++x) {
            double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
            double d = dx * dx + dy * dy;
            if (d > 1.0) continue;
            // Sphere normal against a light from the upper left.
            double nz = std::sqrt(1.0 - d);
            double l = std::clamp(-0.45 * dx - 0.55 * dy + 0.7 * nz, 0.0, 1.0);
            PlotIn(s, clip, x, y, Shade(ramp, lo + (hi - lo) * l));
        }
    }
}

void FlatEllipse(Sheet& s, const Box& clip, double cx, double cy, double rx,
                 double ry, uint8_t c) {
    for (int y = (int)std::floor(cy - ry); y <= (int)std::ceil(cy + ry); ++y)
        for (int x = (int)std::floor(cx - rx); x <= (int)std::ceil(cx + rx); ++x) {
            double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
            if (dx * dx + dy * dy <= 1.0) PlotIn(s, clip, x, y, c);
        }
}

void Line(Sheet& s, const Box& clip, int x0, int y0, int x1, int y1, uint8_t c) {
    int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
    int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1, err = dx + dy;
    for (;;) {
        PlotIn(s, clip, x0, y0, c);
        if (x0 == x1 && y0 == y1) return;
        int e2 = 2 * err;
        if (e2 >= dy) { err += dy; x0 += sx; }
        if (e2 <= dx) { err += dx; y0 += sy; }
    }
}

void FillPolygon(Sheet& s, const Box& clip, const double* xy, int points,
                 const char* ramp, double lo, double hi) {
    double top = 1e9, bottom = -1e9;
    for (int i = 0; i < points; ++i) {
        top = std::min(top, xy[2 * i + 1]);
        bottom = std::max(bottom, xy[2 * i + 1]);
    }
    for (int y = (int)std::floor(top); y <= (int)std::ceil(bottom); ++y) {
        double py = y + 0.5;
        double t = bottom > top ? (py - top) / (bottom - top) : 0.0;
        uint8_t c = Shade(ramp, hi + (lo - hi) * t);
        for (int x = clip.x; x < clip.x + clip.w; ++x) {
            double px = x + 0.5;
            bool inside = false;
            for (int i = 0, j = points - 1; i < points; j = i++) {
                double xi = xy[2 * i], yi = xy[2 * i + 1];
                double xj = xy[2 * j], yj = xy[2 * j + 1];
                if ((yi > py) != (yj > py) &&
                    px < (xj - xi) * (py - yi) / (yj - yi) + xi)
                    inside = !inside;
            }
            if (inside) PlotIn(s, clip, x, y, c);
        }
    }
}

void Outline(Sheet& s, const Box& b, uint8_t c) {
    std::vector<uint8_t> rim((size_t)b.w * b.h, 0);
    for (int y = 0; y < b.h; ++y)
        for (int x = 0; x < b.w; ++x) {
            if (PixelAt(s, b.x + x, b.y + y) != ClearIndex) continue;
            static const int d[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
            for (const auto& v : d) {
                int nx = x + v[0], ny = y + v[1];
                if (nx < 0 || ny < 0 || nx >= b.w || ny >= b.h) continue;
                uint8_t n = PixelAt(s, b.x + nx, b.y + ny);
                if (n != ClearIndex && n != c) rim[(size_t)y * b.w + x] = 1;
            }
        }
    for (int y = 0; y < b.h; ++y)
        for (int x = 0; x < b.w; ++x)
            if (rim[(size_t)y * b.w + x]) Plot(s, b.x + x, b.y + y, c);
}

uint32_t HashInt(uint32_t x) {
    x ^= x >> 16; x *= 0x7feb352dU;
    x ^= x >> 15; x *= 0x846ca68bU;
    x ^= x >> 16;
    return x;
}

static double Lattice(int x, int y, int period, uint32_t seed) {
    x = ((x % period) + period) % period;
    y = ((y % period) + period) % period;
    return (HashInt((uint32_t)x * 73856093U ^ (uint32_t)y * 19349663U ^ seed) & 0xFFFF) / 65535.0;
}

double TileNoise(double x, double y, int period, uint32_t seed) {
    // Value noise with smooth interpolation, periodic so tiles wrap.
    int x0 = (int)std::floor(x), y0 = (int)std::floor(y);
    double fx = x - x0, fy = y - y0;
    fx = fx * fx * (3 - 2 * fx);
    fy = fy * fy * (3 - 2 * fy);
    double a = Lattice(x0, y0, period, seed), b = Lattice(x0 + 1, y0, period, seed);
    double c = Lattice(x0, y0 + 1, period, seed), d = Lattice(x0 + 1, y0 + 1, period, seed);
    return (a + (b - a) * fx) * (1 - fy) + (c + (d - c) * fx) * fy;
}
