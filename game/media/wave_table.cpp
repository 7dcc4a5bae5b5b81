// The synthesizer's band-limited wave tables.
#include "game/media/wave_table.h"

#include <cmath>
#include <vector>

namespace {
constexpr double Pi = 3.14159265358979323846;
}

void BuildWaveTables(WaveTables& t, const float* amplitudes) {
  static const std::vector<double> sine = [] {
    std::vector<double> s(TableSize);
    for (int32_t i = 0; i < TableSize; ++i) s[size_t(i)] = std::sin(2 * Pi * i / TableSize);
    return s;
  }();
  double power = 0;
  for (int32_t k = 1; k <= TableHarmonics; ++k) power += double(amplitudes[k - 1]) * amplitudes[k - 1];
  double scale = power > 0 ? 1 / std::sqrt(power) : 0;
  std::vector<double> sum(TableSize, 0.0);
  int32_t k = 1;
  for (int32_t band = 0; band < TableBands; ++band) {
    for (; k <= (1 << band); ++k) {
      double a = amplitudes[k - 1] * scale;
      if (a == 0) continue;
      // Schroeder's phases: k^2 / N of a turn.
      int64_t shift = int64_t(k) * k * TableSize / (2 * TableHarmonics);
      for (int64_t i = 0; i < TableSize; ++i) sum[size_t(i)] += a * sine[size_t((k * i + shift) % TableSize)];
    }
    for (int32_t i = 0; i < TableSize; ++i) t.band[band][i] = float(sum[size_t(i)]);
    t.band[band][TableSize] = t.band[band][0];
  }
}

const float* BandFor(const WaveTables& t, uint32_t step) {
  // Harmonic h sounds at h * step; below half the rate it must stay under 2^31.
  if (step >= 0x80000000u) return nullptr;
  int32_t band = 0;
  while (band + 1 < TableBands && uint64_t(step) << (band + 1) < 0x80000000u) ++band;
  return t.band[band];
}

const float* SineTable() {
  static const std::vector<float> table = [] {
    std::vector<float> s(TableSize + 1);
    for (int32_t i = 0; i <= TableSize; ++i) s[size_t(i)] = float(std::sin(2 * Pi * i / TableSize));
    return s;
  }();
  return table.data();
}
