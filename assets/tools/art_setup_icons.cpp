#include "art_setup_icons.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

struct Rgba {
  float r, g, b, a;
};

// Coverage of a shape at a point, in the icon's own unit square (0..1).
using Shape = float (*)(float x, float y);

float Box(float x, float y, float l, float t, float r, float b) {
  return (x >= l && x < r && y >= t && y < b) ? 1.f : 0.f;
}

// A tray: the box things go into.
float Tray(float x, float y) {
  float walls = std::max(Box(x, y, .14f, .62f, .22f, .90f), Box(x, y, .78f, .62f, .86f, .90f));
  return std::max(walls, Box(x, y, .14f, .82f, .86f, .90f));
}

// An arrow on the centre line: a shaft and a head, pointing down or up.
float Arrow(float x, float y, bool down) {
  if (!down) y = 0.86f - y;
  float shaft = Box(x, y, .42f, .08f, .58f, .44f);
  float head = (y >= .40f && y < .70f && std::fabs(x - .5f) < (.70f - y) * .85f) ? 1.f : 0.f;
  return std::max(shaft, head);
}

float ArrowDown(float x, float y) { return Arrow(x, y, true); }
float ArrowUp(float x, float y) { return Arrow(x, y - .02f, false); }

// The rounded backdrop square, black at the top to blue at the bottom like
// the installer's screen.
float Plate(float x, float y) {
  float dx = std::max(std::fabs(x - .5f) - .36f, 0.f), dy = std::max(std::fabs(y - .5f) - .36f, 0.f);
  return (dx * dx + dy * dy) <= .10f * .10f ? 1.f : 0.f;
}

struct Layer {
  Shape shape;
  Rgba colour;  // a < 0: the plate's vertical gradient
};

Rgba Over(Rgba under, Rgba top, float cover) {
  float a = top.a * cover;
  float outA = a + under.a * (1 - a);
  if (outA <= 0) return {0, 0, 0, 0};
  auto mix = [&](float t, float u) { return (t * a + u * under.a * (1 - a)) / outA; };
  return {mix(top.r, under.r), mix(top.g, under.g), mix(top.b, under.b), outA};
}

// One icon image of size n, 4x4 samples a pixel, top-down BGRA.
std::vector<uint8_t> Render(const Layer* layers, int count, int n) {
  std::vector<uint8_t> pixels(static_cast<size_t>(n) * n * 4);
  for (int py = 0; py < n; ++py)
    for (int px = 0; px < n; ++px) {
      Rgba sum = {0, 0, 0, 0};
      for (int s = 0; s < 16; ++s) {
        float x = (px + (s % 4 + .5f) / 4) / n, y = (py + (s / 4 + .5f) / 4) / n;
        Rgba c = {0, 0, 0, 0};
        for (int k = 0; k < count; ++k) {
          Rgba colour = layers[k].colour;
          if (colour.a < 0) colour = {0, 0, .15f + .85f * y, 1};
          c = Over(c, colour, layers[k].shape(x, y));
        }
        sum = {sum.r + c.r * c.a, sum.g + c.g * c.a, sum.b + c.b * c.a, sum.a + c.a};
      }
      uint8_t* p = &pixels[(static_cast<size_t>(py) * n + px) * 4];
      float a = sum.a / 16;
      auto channel = [&](float v) { return static_cast<uint8_t>(std::lround(a > 0 ? v / sum.a * 255 : 0)); };
      p[0] = channel(sum.b);
      p[1] = channel(sum.g);
      p[2] = channel(sum.r);
      p[3] = static_cast<uint8_t>(std::lround(a * 255));
    }
  return pixels;
}

void Put16(std::vector<uint8_t>& out, unsigned v) {
  out.push_back(v & 0xFF);
  out.push_back((v >> 8) & 0xFF);
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

// The image of one ICO entry: BITMAPINFOHEADER (height doubled for the
// mask), bottom-up BGRA rows, then the 1-bit AND mask (set = transparent).
std::vector<uint8_t> IconImage(const std::vector<uint8_t>& bgra, int n) {
  std::vector<uint8_t> out;
  int maskRow = ((n + 31) / 32) * 4;
  Put32(out, 40);
  Put32(out, n);
  Put32(out, n * 2);
  Put16(out, 1);
  Put16(out, 32);
  Put32(out, 0);
  Put32(out, static_cast<uint32_t>(n * n * 4 + maskRow * n));
  for (int k = 0; k < 4; ++k) Put32(out, 0);
  for (int y = n - 1; y >= 0; --y)
    out.insert(out.end(), bgra.begin() + static_cast<long>(y) * n * 4, bgra.begin() + static_cast<long>(y + 1) * n * 4);
  for (int y = n - 1; y >= 0; --y) {
    std::vector<uint8_t> row(static_cast<size_t>(maskRow), 0);
    for (int x = 0; x < n; ++x)
      if (bgra[(static_cast<size_t>(y) * n + x) * 4 + 3] < 128) row[x / 8] |= 0x80 >> (x % 8);
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

int WriteIcon(const std::string& path, const Layer* layers, int count) {
  const int sizes[3] = {16, 32, 48};
  std::vector<std::vector<uint8_t>> images;
  for (int n : sizes) images.push_back(IconImage(Render(layers, count, n), n));
  std::vector<uint8_t> out;
  Put16(out, 0);
  Put16(out, 1);
  Put16(out, 3);
  uint32_t offset = 6 + 16 * 3;
  for (int k = 0; k < 3; ++k) {
    out.push_back(static_cast<uint8_t>(sizes[k]));
    out.push_back(static_cast<uint8_t>(sizes[k]));
    out.push_back(0);
    out.push_back(0);
    Put16(out, 1);
    Put16(out, 32);
    Put32(out, static_cast<uint32_t>(images[k].size()));
    Put32(out, offset);
    offset += static_cast<uint32_t>(images[k].size());
  }
  for (const auto& image : images) out.insert(out.end(), image.begin(), image.end());
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return 0;
  bool ok = std::fwrite(out.data(), 1, out.size(), f) == out.size();
  return std::fclose(f) == 0 && ok;
}

}  // namespace

int WriteSetupIcons(const std::string& outDir) {
  const Rgba gold = {1.f, .80f, .15f, 1}, red = {.92f, .18f, .12f, 1}, steel = {.80f, .84f, .90f, 1};
  const Layer setup[] = {{Plate, {0, 0, 0, -1}}, {Tray, steel}, {ArrowDown, gold}};
  const Layer uninstall[] = {{Plate, {0, 0, 0, -1}}, {Tray, steel}, {ArrowUp, red}};
  return WriteIcon(outDir + "/setup_icon.ico", setup, 3) &&
         WriteIcon(outDir + "/uninstall_icon.ico", uninstall, 3);
}
