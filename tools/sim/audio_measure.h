#pragma once
#include <cstdint>
#include <vector>

// Measures of rendered audio, for the benchmarks and the tests.

// The largest magnitude of any sample (32767 or 32768: full scale).
int32_t PeakSample(const std::vector<int16_t>& samples);
// Samples at full scale (32767 or -32768).
int32_t FullScaleSamples(const std::vector<int16_t>& samples);

// Power of a mono signal's spectrum away from the harmonics of the given
// partials (each partial's multiples below half the rate), against the
// whole, in dB: aliasing and noise of an oscillator. Uses the first power
// of two samples, Blackman-Harris windowed.
double InharmonicDb(const std::vector<float>& mono, int32_t rate, const std::vector<double>& partials);

// The lead patch (program 80) holding `note` for a second at `rate`: its
// inharmonic share in dB, over the sustained part.
double LeadNoteAliasingDb(int32_t note, int32_t rate);
