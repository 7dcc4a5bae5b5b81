// Sheets being painted, the palette they share, and the drawing primitives
// the procedural art is built from. Pixels are palette indices.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct Colour { uint8_t r, g, b; };

struct Ramp { std::string name; int first; int count; };

struct Palette {
    Colour entries[256];
    std::vector<Ramp> ramps;
};

struct Sheet {
    std::string name;   // the file name, "comm_.bmp"
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;  // top-down rows
};

constexpr uint8_t ClearIndex = 1;  // TransparentColour, RGB(26, 3, 255)

extern Palette GPalette;

// Index of step k of a named ramp, clamped to the ramp; -1 if unknown.
int RampIndex(const std::string& name, int k);
// Step count of a named ramp, 0 if unknown.
int RampCount(const std::string& name);
// Shade t in 0..1 of a ramp (t is clamped).
uint8_t Shade(const char* ramp, double t);

void InitSheet(Sheet& s, const std::string& name, int w, int h, uint8_t fill);
void Plot(Sheet& s, int x, int y, uint8_t c);
uint8_t PixelAt(const Sheet& s, int x, int y);
void FillRect(Sheet& s, int x, int y, int w, int h, uint8_t c);

// Drawing confined to a clip box so a procedural sprite never spills into
// its neighbours on the sheet.
struct Box { int x, y, w, h; };
void PlotIn(Sheet& s, const Box& b, int x, int y, uint8_t c);

// Ellipse lit from the top left: t is 0 at the shadow rim, 1 at the highlight.
void ShadedEllipse(Sheet& s, const Box& clip, double cx, double cy, double rx,
                   double ry, const char* ramp, double lo, double hi);
void FlatEllipse(Sheet& s, const Box& clip, double cx, double cy, double rx,
                 double ry, uint8_t c);
void Line(Sheet& s, const Box& clip, int x0, int y0, int x1, int y1, uint8_t c);
// Filled convex or concave polygon (even-odd), shaded by height in the box.
void FillPolygon(Sheet& s, const Box& clip, const double* xy, int points,
                 const char* ramp, double lo, double hi);
// A one-pixel dark rim around every non-clear pixel in the box, so sprites
// read against any background.
void Outline(Sheet& s, const Box& b, uint8_t c);

// Deterministic hash noise, wrapping with the given period (for tiles).
double TileNoise(double x, double y, int period, uint32_t seed);
uint32_t HashInt(uint32_t x);
