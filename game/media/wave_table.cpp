// The synthesizer's wave tables, summed from their harmonics once.
#include "game/media/wave_table.h"

#include <cmath>
#include <vector>

namespace {
constexpr double Pi = 3.14159265358979323846;

// Coefficient of harmonic k (sine, or cosine when `cosine`) of each wave:
// saw 2p-1, square +1 then -1, pulse +1 for its first quarter, triangle
// from -1 at 0 up to +1 at the half.
double Harmonic(int32_t wave, int32_t k, bool& cosine) {
  cosine = wave == TablePulse || wave == TableTriangle;
  switch (wave) {
    case TableSaw: return -2.0 / (Pi * k);
    case TableSquare: return k % 2 ? 4.0 / (Pi * k) : 0.0;
    case TablePulse: return 4.0 / (Pi * k) * std::sin(Pi * k / 4);
    default: return k % 2 ? -8.0 / (Pi * Pi * k * k) : 0.0;
  }
}

struct Tables {
  std::vector<float> values;  // [wave][band][TableSize + 1]
  Tables() : values(size_t(TableWaves) * TableBands * (TableSize + 1)) {
    std::vector<double> sine(TableSize), sum(TableSize);
    for (int32_t i = 0; i < TableSize; ++i) sine[size_t(i)] = std::sin(2 * Pi * i / TableSize);
    for (int32_t wave = 0; wave < TableWaves; ++wave) {
      // The pulse is centred on its high quarter: its cosines start an eighth in.
      int64_t shift = wave == TablePulse ? TableSize - TableSize / 8 : 0;
      for (double& s : sum) s = wave == TablePulse ? -0.5 : 0.0;
      int32_t k = 1;
      for (int32_t band = 0; band < TableBands; ++band) {
        for (; k <= (1 << band); ++k) {
          bool cosine = false;
          double a = Harmonic(wave, k, cosine);
          if (a == 0.0) continue;
          for (int64_t i = 0; i < TableSize; ++i)
            sum[size_t(i)] += a * sine[size_t((k * (i + shift) + (cosine ? TableSize / 4 : 0)) % TableSize)];
        }
        float* table = &values[(size_t(wave) * TableBands + size_t(band)) * (TableSize + 1)];
        for (int32_t i = 0; i < TableSize; ++i) table[i] = float(sum[size_t(i)]);
        table[TableSize] = table[0];
      }
    }
  }
};
}  // namespace

const float* WaveTable(int32_t wave, float dt) {
  static const Tables tables;
  if (wave < 0 || wave >= TableWaves || !(dt > 0.0f && dt < 0.5f)) return nullptr;
  int32_t band = 0;  // the most harmonics whose highest stays below half the rate
  while (band + 1 < TableBands && float(2 << band) * dt < 0.5f) ++band;
  return &tables.values[(size_t(wave) * TableBands + size_t(band)) * (TableSize + 1)];
}

float ReadWaveTable(const float* table, float phase) {
  float x = phase * TableSize;
  int32_t i = int32_t(x);
  if (i < 0) i = 0;
  if (i >= TableSize) i = TableSize - 1;
  float f = x - float(i);
  return table[i] + f * (table[i + 1] - table[i]);
}
