#pragma once
#include <cstdint>

// Band-limited single cycles of the synthesizer's sharp waves: per wave,
// one table per octave of pitch, holding only the harmonics that stay
// below half the rate at that pitch, so nothing folds back as noise.
enum TableWave : int32_t { TableSaw, TableSquare, TablePulse, TableTriangle, TableWaves };
constexpr int32_t TableSize = 4096;
constexpr int32_t TableBands = 9;  // 1, 2, 4 .. 256 harmonics

// The table of `wave` for a pitch of `dt` cycles a sample; null when even
// the fundamental is at or above half the rate.
const float* WaveTable(int32_t wave, float dt);
// The table's value at `phase` (0..1), interpolated.
float ReadWaveTable(const float* table, float phase);
