// Sound effects from short descriptions: layers of oscillators or noise,
// each with a pitch glide, a low-pass sweep and an attack/decay envelope.
#include <cmath>
#include <cstdio>
#include <sstream>

#include "audio_sources.h"

namespace {
constexpr int32_t Rate = 22050;

struct Layer {
  std::string wave = "sine";
  double pitch0 = 440, pitch1 = 440;    // Hz, glided exponentially over `decay`
  double cutoff0 = 8000, cutoff1 = 8000;
  double level = 1, attack = 0.002, decay = 0.3, delay = 0;
  double vibrato = 0, vibratoRate = 0;  // semitones, Hz
  double crush = 0;                     // sample-and-hold steps per second (0: off)
};

struct Effect {
  std::string file;
  double length = 0.5;
  std::vector<Layer> layers;
};

int Fail(const std::string& where, int line, const std::string& what) {
  std::fprintf(stderr, "%s:%d: %s\n", where.c_str(), line, what.c_str());
  return 0;
}

int ParseLayer(std::istringstream& in, Layer& l) {
  in >> l.wave;
  if (l.wave != "sine" && l.wave != "square" && l.wave != "saw" && l.wave != "triangle" &&
      l.wave != "noise")
    return 0;
  std::string key;
  while (in >> key) {
    if (key == "pitch") in >> l.pitch0 >> l.pitch1;
    else if (key == "cutoff") in >> l.cutoff0 >> l.cutoff1;
    else if (key == "level") in >> l.level;
    else if (key == "attack") in >> l.attack;
    else if (key == "decay") in >> l.decay;
    else if (key == "delay") in >> l.delay;
    else if (key == "vibrato") in >> l.vibrato >> l.vibratoRate;
    else if (key == "crush") in >> l.crush;
    else return 0;
    if (in.fail()) return 0;
  }
  return l.decay > 0 && l.pitch0 > 0 && l.pitch1 > 0 && l.cutoff0 > 0 && l.cutoff1 > 0;
}

int Parse(const std::string& text, const std::string& where, Effect& e) {
  std::istringstream lines(text);
  std::string line;
  for (int n = 1; std::getline(lines, line); ++n) {
    line = line.substr(0, line.find('#'));
    std::istringstream in(line);
    std::string verb;
    if (!(in >> verb)) continue;
    if (verb == "file") in >> e.file;
    else if (verb == "length") in >> e.length;
    else if (verb == "layer") {
      e.layers.emplace_back();
      if (!ParseLayer(in, e.layers.back())) return Fail(where, n, "bad layer");
      continue;
    } else return Fail(where, n, "unknown word '" + verb + "'");
    if (in.fail()) return Fail(where, n, "bad value");
  }
  if (e.file.empty() || e.layers.empty() || e.length <= 0 || e.length > 4)
    return Fail(where, 0, "needs a file name, a length up to 4 s and a layer");
  return 1;
}

uint32_t Noise(uint32_t& s) {
  s ^= s << 13, s ^= s >> 17, s ^= s << 5;
  return s;
}

double Oscillate(const std::string& wave, double phase, uint32_t& seed) {
  if (wave == "sine") return std::sin(2 * M_PI * phase);
  if (wave == "square") return phase < 0.5 ? 1.0 : -1.0;
  if (wave == "saw") return 2 * phase - 1;
  if (wave == "triangle") return phase < 0.5 ? 4 * phase - 1 : 3 - 4 * phase;
  return int32_t(Noise(seed)) / 2147483648.0;
}

void RenderLayer(const Layer& l, std::vector<double>& out) {
  uint32_t seed = 0x9E3779B9u;
  double phase = 0, filter = 0, held = 0, holdPhase = 1;
  size_t start = size_t(l.delay * Rate);
  for (size_t i = start; i < out.size(); ++i) {
    double t = double(i - start) / Rate;
    double glide = std::min(t / l.decay, 1.0);
    double hz = l.pitch0 * std::pow(l.pitch1 / l.pitch0, glide);
    hz *= std::pow(2.0, l.vibrato * std::sin(2 * M_PI * l.vibratoRate * t) / 12.0);
    double cutoff = l.cutoff0 * std::pow(l.cutoff1 / l.cutoff0, glide);
    double env = t < l.attack ? t / l.attack : std::exp(-6.9 * (t - l.attack) / l.decay);
    double x = Oscillate(l.wave, phase, seed);
    phase += hz / Rate;
    phase -= std::floor(phase);
    // Noise steps at the pitch, for the grainy, pitched noise of old boards.
    if (l.wave == "noise") {
      holdPhase += hz / Rate;
      if (holdPhase >= 1) holdPhase -= std::floor(holdPhase), held = x;
      x = held;
    }
    if (l.crush > 0) x = std::round(x * l.crush) / l.crush;
    filter += (1 - std::exp(-2 * M_PI * std::min(cutoff, 10000.0) / Rate)) * (x - filter);
    out[i] += filter * env * l.level;
  }
}
}  // namespace

int MakeEffect(const std::string& text, const std::string& where, std::string& fileName,
               std::vector<int16_t>& samples) {
  Effect e;
  if (!Parse(text, where, e)) return 0;
  std::vector<double> mix(size_t(e.length * Rate), 0.0);
  for (const Layer& l : e.layers) RenderLayer(l, mix);
  // Peaks at -5 dB, leaving the music room beside them.
  // A short fade at the end, so a cut-off tail never clicks.
  size_t fade = std::min<size_t>(mix.size(), Rate / 100);
  for (size_t i = 0; i < fade; ++i) mix[mix.size() - 1 - i] *= double(i) / fade;
  double peak = 0;
  for (double x : mix) peak = std::max(peak, std::fabs(x));
  if (peak <= 0) return Fail(where, 0, "silent");
  samples.resize(mix.size());
  for (size_t i = 0; i < mix.size(); ++i) samples[i] = int16_t(std::lround(mix[i] / peak * 18400.0));
  fileName = e.file;
  return 1;
}

std::vector<uint8_t> MonoWaveFile(const std::vector<int16_t>& samples, int32_t rate) {
  std::vector<uint8_t> out;
  auto put32 = [&](uint32_t v) { for (int i = 0; i < 4; ++i) out.push_back(uint8_t(v >> 8 * i)); };
  auto id = [&](const char* s) { for (int i = 0; i < 4; ++i) out.push_back(uint8_t(s[i])); };
  uint32_t bytes = uint32_t(samples.size() * 2);
  id("RIFF"), put32(36 + bytes), id("WAVE");
  id("fmt "), put32(16), put32(1 | 1 << 16), put32(uint32_t(rate)), put32(uint32_t(rate) * 2),
      put32(2 | 16 << 16);
  id("data"), put32(bytes);
  for (int16_t s : samples) out.push_back(uint8_t(s)), out.push_back(uint8_t(uint16_t(s) >> 8));
  return out;
}
