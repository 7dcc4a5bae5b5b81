#pragma once
#include <complex>
#include <cstdint>
#include <vector>

// Measures of rendered audio, for the benchmarks and the tests.

// The largest magnitude of any sample (32767 or 32768: full scale).
int32_t PeakSample(const std::vector<int16_t>& samples);
// Samples at full scale (32767 or -32768).
int32_t FullScaleSamples(const std::vector<int16_t>& samples);

// Music and effects added as DirectSound adds them, with no limiter: each
// sum rounded and held at 16 bits.
std::vector<int16_t> SummedAs16Bit(const std::vector<int16_t>& music, const std::vector<float>& effects);

// The discrete Fourier transform in place; the size a power of two.
void Fft(std::vector<std::complex<double>>& a);

// Power of a mono signal's spectrum away from the harmonics of the given
// partials (each partial's multiples below half the rate), against the
// whole, in dB: aliasing and noise of an oscillator. Uses the first power
// of two samples, Blackman-Harris windowed.
double InharmonicDb(const std::vector<float>& mono, int32_t rate, const std::vector<double>& partials);

// The frequency of the strongest spectral peak of a mono signal (the first
// power of two samples, Blackman-Harris windowed, the peak interpolated
// between bins): a held note's pitch when its fundamental leads.
double PeakHz(const std::vector<float>& mono, int32_t rate);

// The lead patch (program 80) holding `note` for a second at `rate`: its
// inharmonic share in dB, over the sustained part.
double LeadNoteAliasingDb(int32_t note, int32_t rate);
