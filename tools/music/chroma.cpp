// Chroma frames of a rendering, and how alike two renderings are.
#include "tools/music/chroma.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstring>
#include <fstream>
#include <iterator>

#include "game/media/wave_file.h"
#include "tools/sim/audio_measure.h"

namespace {
constexpr int32_t Window = 4096;
constexpr double LowHz = 55, HighHz = 5000;
constexpr double Pi = 3.14159265358979323846;
constexpr int32_t MaxShift = 20;  // frames: a second

double Cosine(const Chroma& a, const Chroma& b) {
  double ab = 0, aa = 0, bb = 0;
  for (int32_t i = 0; i < 12; ++i) ab += double(a.bins[i]) * b.bins[i], aa += double(a.bins[i]) * a.bins[i], bb += double(b.bins[i]) * b.bins[i];
  return aa > 0 && bb > 0 ? ab / std::sqrt(aa * bb) : 0;
}
}  // namespace

std::vector<Chroma> ChromaFrames(const Audio& audio) {
  int32_t rate = audio.rate;
  size_t length = audio.channels.empty() ? 0 : audio.channels[0].size();
  std::vector<double> hann(Window);
  for (int32_t i = 0; i < Window; ++i) hann[size_t(i)] = 0.5 - 0.5 * std::cos(2 * Pi * i / Window);
  std::vector<int32_t> pitchClass(Window / 2, -1);
  for (int32_t k = 1; k < Window / 2; ++k) {
    double hz = double(k) * rate / Window;
    if (hz < LowHz || hz > HighHz) continue;
    int32_t pitch = int32_t(std::lround(69 + 12 * std::log2(hz / 440)));
    pitchClass[size_t(k)] = ((pitch % 12) + 12) % 12;
  }
  std::vector<Chroma> frames;
  std::vector<std::complex<double>> a(Window);
  double hop = rate / 20.0;
  for (int64_t f = 0;; ++f) {
    int64_t centre = int64_t(std::llround(double(f) * hop)), start = centre - Window / 2;
    if (centre >= int64_t(length)) break;
    Chroma c{};
    for (const std::vector<float>& samples : audio.channels) {
      double level = 0;
      for (int64_t i = 0; i < Window; ++i) {
        int64_t at = start + i;
        double x = at >= 0 && at < int64_t(samples.size()) ? samples[size_t(at)] : 0.0;
        level += x * x;
        a[size_t(i)] = x * hann[size_t(i)];
      }
      Fft(a);
      c.level += float(level / Window / double(audio.channels.size()));
      for (int32_t k = 1; k < Window / 2; ++k)
        if (pitchClass[size_t(k)] >= 0) c.bins[pitchClass[size_t(k)]] += float(std::norm(a[size_t(k)]));
    }
    frames.push_back(c);
  }
  return frames;
}

Likeness CompareChroma(const Audio& reference, const Audio& ours, std::vector<std::pair<int32_t, double>>* frames) {
  std::vector<Chroma> ref = ChromaFrames(reference), mine = ChromaFrames(ours);
  float loudest = 0;
  for (const Chroma& c : ref) loudest = std::max(loudest, c.level);
  float floor = std::max(loudest * 1e-5f, 1e-8f);  // 50 dB down, and -80 dB full scale
  std::vector<size_t> sounding;
  for (size_t i = 0; i < ref.size(); ++i)
    if (ref[i].level > floor) sounding.push_back(i);
  Likeness best;
  best.frames = int32_t(sounding.size());
  best.similarity = -1;
  for (int32_t shift = -MaxShift; shift <= MaxShift; ++shift) {
    double sum = 0;
    for (size_t i : sounding) {
      int64_t j = int64_t(i) + shift;
      if (j >= 0 && j < int64_t(mine.size())) sum += Cosine(ref[i], mine[size_t(j)]);
    }
    double mean = sounding.empty() ? 0 : sum / double(sounding.size());
    if (mean > best.similarity) best.similarity = mean, best.shift = shift;
  }
  double a = 0, b = 0;
  for (size_t i : sounding) {
    int64_t j = int64_t(i) + best.shift;
    bool there = j >= 0 && j < int64_t(mine.size());
    b += ref[i].level;
    if (there) a += mine[size_t(j)].level;
    if (frames) frames->push_back({int32_t(i), there ? Cosine(ref[i], mine[size_t(j)]) : 0.0});
  }
  best.levelDb = a > 0 && b > 0 ? 10 * std::log10(a / b) : 0;
  return best;
}

int32_t ReadWaveFile(const std::string& path, Audio& audio, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  Wave w;
  if (!in.good() && !in.eof()) return error = "cannot read " + path, 0;
  if (!ParseWaveImage(bytes.data(), bytes.size(), w) || w.format.size() < 16) return error = path + ": not a WAVE file", 0;
  int32_t channels = WaveChannels(w), bits = WaveBitsPerSample(w), tag = WaveFormatTag(w);
  bool pcm16 = (tag == 1 || tag == 0xFFFE) && bits == 16, float32 = (tag == 3 || tag == 0xFFFE) && bits == 32;
  if (channels < 1 || (!pcm16 && !float32)) return error = path + ": neither 16-bit PCM nor 32-bit float", 0;
  audio.rate = int32_t(WaveSampleRate(w));
  size_t width = size_t(bits / 8) * size_t(channels), frames = w.data.size() / width;
  audio.channels.assign(size_t(channels), std::vector<float>(frames));
  for (size_t f = 0; f < frames; ++f) {
    for (int32_t c = 0; c < channels; ++c) {
      const uint8_t* p = &w.data[f * width + size_t(c) * size_t(bits / 8)];
      float x;
      if (pcm16) {
        x = float(int16_t(p[0] | p[1] << 8)) / 32768.0f;
      } else {
        uint32_t u = p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24;
        std::memcpy(&x, &u, 4);
      }
      audio.channels[size_t(c)][f] = x;
    }
  }
  return 1;
}
