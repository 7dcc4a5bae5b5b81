// Peaks and spectra of rendered audio.
#include "tools/sim/audio_measure.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdlib>

#include "game/media/synth.h"

namespace {
using Complex = std::complex<double>;
constexpr double Pi = 3.14159265358979323846;
}  // namespace

void Fft(std::vector<std::complex<double>>& a) {
  size_t n = a.size();
  for (size_t i = 1, j = 0; i < n; ++i) {
    size_t bit = n >> 1;
    for (; j & bit; bit >>= 1) j ^= bit;
    j ^= bit;
    if (i < j) std::swap(a[i], a[j]);
  }
  for (size_t len = 2; len <= n; len <<= 1) {
    Complex w = std::polar(1.0, -2 * Pi / double(len));
    for (size_t i = 0; i < n; i += len) {
      Complex wk = 1;
      for (size_t k = 0; k < len / 2; ++k, wk *= w) {
        Complex u = a[i + k], v = a[i + k + len / 2] * wk;
        a[i + k] = u + v, a[i + k + len / 2] = u - v;
      }
    }
  }
}

std::vector<int16_t> SummedAs16Bit(const std::vector<int16_t>& music, const std::vector<float>& effects) {
  std::vector<int16_t> sum(std::min(music.size(), effects.size()));
  for (size_t i = 0; i < sum.size(); ++i)
    sum[i] = int16_t(std::clamp(std::lround(music[i] + effects[i]), -32768L, 32767L));
  return sum;
}

int32_t PeakSample(const std::vector<int16_t>& samples) {
  int32_t peak = 0;
  for (int16_t s : samples) peak = std::max(peak, std::abs(int32_t(s)));
  return peak;
}

int32_t FullScaleSamples(const std::vector<int16_t>& samples) {
  int32_t n = 0;
  for (int16_t s : samples) n += s == 32767 || s == -32768;
  return n;
}

namespace {
// The spectrum of the first power of two samples, Blackman-Harris windowed
// (side lobes 92 dB down); empty for fewer than 64 samples.
std::vector<Complex> Spectrum(const std::vector<float>& mono) {
  size_t n = 1;
  while (n * 2 <= mono.size()) n *= 2;
  if (n < 64) return {};
  std::vector<Complex> a(n);
  for (size_t i = 0; i < n; ++i) {
    double x = 2 * Pi * double(i) / double(n);
    a[i] = mono[i] * (0.35875 - 0.48829 * std::cos(x) + 0.14128 * std::cos(2 * x) - 0.01168 * std::cos(3 * x));
  }
  Fft(a);
  return a;
}
}  // namespace

double PeakHz(const std::vector<float>& mono, int32_t rate) {
  std::vector<Complex> a = Spectrum(mono);
  size_t n = a.size(), best = 1;
  if (n < 64) return 0;
  for (size_t k = 2; k + 1 < n / 2; ++k)
    if (std::norm(a[k]) > std::norm(a[best])) best = k;
  // A parabola through the log magnitudes of the peak and its neighbours.
  double l = std::log(std::abs(a[best - 1]) + 1e-30), c = std::log(std::abs(a[best]) + 1e-30),
         r = std::log(std::abs(a[best + 1]) + 1e-30);
  double offset = l - 2 * c + r < 0 ? 0.5 * (l - r) / (l - 2 * c + r) : 0;
  return (double(best) + offset) * rate / double(n);
}

double InharmonicDb(const std::vector<float>& mono, int32_t rate, const std::vector<double>& partials) {
  std::vector<Complex> a = Spectrum(mono);
  size_t n = a.size();
  if (n < 64) return 0;
  double binHz = double(rate) / double(n), total = 0, away = 0;
  for (size_t k = 1; k < n / 2; ++k) {
    double power = std::norm(a[k]), hz = double(k) * binHz;
    bool harmonic = false;
    for (double p : partials)  // the window's main lobe is 4 bins each side
      for (double h = p; h < rate / 2.0 + 5 * binHz && !harmonic; h += p) harmonic = std::fabs(hz - h) <= 5 * binHz;
    total += power;
    if (!harmonic) away += power;
  }
  return total > 0 ? 10 * std::log10(std::max(away, 1e-30) / total) : 0;
}

double LeadNoteAliasingDb(int32_t note, int32_t rate) {
  Synth s;
  SynthInit(s, rate);
  SynthShortMessage(s, 0xC0 | 80 << 8);
  SynthShortMessage(s, 0x90 | uint32_t(note) << 8 | 100 << 16);
  std::vector<int16_t> out(size_t(rate) * 2, 0);
  SynthRender(s, out.data(), rate);
  std::vector<float> mono;
  for (size_t i = size_t(rate / 4) * 2; i < out.size(); i += 2) mono.push_back(out[i]);
  double hz = 440.0 * std::pow(2.0, (note - 69) / 12.0);
  return InharmonicDb(mono, rate, {hz});
}
