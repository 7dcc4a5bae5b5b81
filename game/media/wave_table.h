#pragma once
#include <cstdint>

// Band-limited single cycles built from a spectrum of harmonics: one table
// per octave of pitch, each holding only the harmonics that stay below
// half the rate at that pitch, so nothing folds back as noise.
constexpr int32_t TableBits = 10;
constexpr int32_t TableSize = 1 << TableBits;
constexpr int32_t TableBands = 7;  // 1, 2, 4 .. 64 harmonics
constexpr int32_t TableHarmonics = 1 << (TableBands - 1);

struct WaveTables {
  float band[TableBands][TableSize + 1];  // the last value repeats the first
};

// Fills the tables from the amplitudes of harmonics 1..TableHarmonics,
// scaled so that the whole spectrum has the power of a full-scale sine.
// The harmonics' phases are spread (Schroeder's), which keeps the peaks low.
void BuildWaveTables(WaveTables& tables, const float* amplitudes);

// The band for a pitch of `step` (a cycle is 2^32), or null when even the
// fundamental is at or above half the rate.
const float* BandFor(const WaveTables& tables, uint32_t step);

// One full-scale sine cycle of TableSize + 1 values.
const float* SineTable();

// The value at a 32-bit phase, interpolated.
inline float ReadTable(const float* table, uint32_t phase) {
  uint32_t i = phase >> (32 - TableBits);
  float f = float(phase & ((1u << (32 - TableBits)) - 1)) * (1.0f / float(1u << (32 - TableBits)));
  return table[i] + f * (table[i + 1] - table[i]);
}
