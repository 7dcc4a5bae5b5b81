// The General MIDI percussion kit on channel 10: each sound a tone that
// may sweep down, and noise through a band-pass or high-pass filter.
#include <cmath>

#include "game/media/synth_voice.h"

namespace {
struct DrumSound {
  const char* name;
  float level;       // dB full scale of a hit at velocity 100, as the reference renderer plays it
  float toneHz;      // the main partial's pitch once swept (0: no partials)
  float tone2Hz;     // a second partial's (0: none)
  float tone2;       // its share of the partials' power
  float sweep;       // the partials start this many times higher...
  float sweepTime;   // ...and settle within this many seconds
  float toneDecay;   // seconds for the partials to fall 60 dB
  float noise;       // the noise's share of the power
  float noiseHz;     // the noise filter's centre
  float width;       // and its width (the filter's damping: 0.25 narrow, 2 wide)
  float noiseDecay;  // seconds for the noise to fall 60 dB
  uint8_t group;     // a sound of a group cuts the others of it short
};

// Each sound's pitches, shares and noise as the reference renderer's kit
// plays them, measured from its hits at velocity 100.
constexpr int32_t FirstDrum = 35;
// clang-format off
constexpr DrumSound Kit[] = {
    // name                level  tone Hz tone2 Hz share sweep time decay noise noise Hz width decay group
    {"Acoustic Bass Drum", -20.7,   52.2,   92.7, 0.30, 0.05, 0.05, 0.25, 0.80, 190, 0.43, 0.03, 0},  // 35
    {"Bass Drum 1",        -16.5,   54.9,   98.0, 0.40, 0.05, 0.05, 0.21, 0.90, 196, 0.41, 0.02, 0},  // 36
    {"Side Stick",         -36.7, 1200.0, 3093.9, 0.50, 0.00, 0.00, 0.60, 0.90, 1041, 1.40, 0.48, 0},  // 37
    {"Acoustic Snare",     -30.5,  206.9,  684.7, 0.10, 0.00, 0.00, 0.42, 0.50, 785, 0.98, 0.45, 0},  // 38
    {"Hand Clap",          -37.9,    0.0,    0.0, 0.00, 0.00, 0.00, 0.00, 1.00, 1523, 1.89, 2.40, 0},  // 39
    {"Electric Snare",     -32.5,  216.2,  415.9, 0.40, 0.00, 0.00, 0.42, 0.20, 1515, 0.50, 0.50, 0},  // 40
    {"Low Floor Tom",      -25.6,   47.0,  142.6, 0.00, 0.34, 1.60, 0.98, 0.80, 132, 2.34, 0.34, 0},  // 41
    {"Closed Hi-Hat",      -40.3, 4423.6, 9413.5, 0.40, 0.00, 0.00, 0.48, 0.95, 4785, 1.24, 0.40, 1},  // 42
    {"High Floor Tom",     -23.3,   70.5,  208.5, 0.00, 0.29, 1.60, 0.70, 0.80, 141, 0.90, 0.20, 0},  // 43
    {"Pedal Hi-Hat",       -35.5,    0.0,    0.0, 0.00, 0.00, 0.00, 0.10, 0.70, 5256, 1.70, 0.28, 1},  // 44
    {"Low Tom",            -32.6,   71.5,  167.6, 0.00, 0.29, 1.60, 1.28, 0.50, 168, 1.00, 0.48, 0},  // 45
    {"Open Hi-Hat",        -46.8, 9201.9,  517.9, 0.70, 0.00, 0.00, 2.20, 0.86, 3722, 0.70, 2.20, 1},  // 46
    {"Low-Mid Tom",        -27.3,   89.5,    0.0, 0.00, 0.28, 1.60, 1.11, 0.80, 494, 0.35, 0.14, 0},  // 47
    {"Hi-Mid Tom",         -29.2,   95.0,    0.0, 0.00, 0.28, 1.60, 1.02, 0.80, 125, 0.35, 0.14, 0},  // 48
    {"Crash Cymbal 1",     -38.3, 5502.9, 4421.4, 0.38, 0.00, 0.00, 3.40, 0.90, 4690, 1.56, 4.00, 0},  // 49
    {"High Tom",           -26.4,  106.0,    0.0, 0.00, 0.28, 1.60, 1.10, 0.90, 143, 0.35, 0.10, 0},  // 50
    {"Ride Cymbal 1",      -44.6, 3513.2, 2709.4, 0.30, 0.00, 0.00, 1.20, 0.10, 1368, 0.47, 2.10, 0},  // 51
    {"Chinese Cymbal",     -30.0,    0.0,    0.0, 0.00, 0.00, 0.00, 0.00, 0.10, 2086, 2.44, 1.70, 0},  // 52
    {"Ride Bell",          -44.0, 2867.6, 1992.9, 0.00, 0.00, 0.00, 1.81, 0.80, 875, 1.39, 2.10, 0},  // 53
    {"Tambourine",         -31.3, 6758.8,    0.0, 0.00, 0.00, 0.00, 0.32, 0.10, 6987, 0.52, 0.65, 0},  // 54
    {"Splash Cymbal",      -34.9,    0.0,    0.0, 0.00, 0.00, 0.00, 0.00, 0.30, 1316, 1.47, 1.19, 0},  // 55
    {"Cowbell",            -34.0,  470.8, 2493.5, 0.06, 0.00, 0.00, 0.60, 0.70, 4255, 0.40, 0.24, 0},  // 56
    {"Crash Cymbal 2",     -39.2, 3446.4, 4102.2, 0.10, 0.00, 0.00, 4.00, 0.80, 3726, 1.21, 4.00, 0},  // 57
    {"Vibraslap",          -25.5,    0.0,    0.0, 0.00, 0.00, 0.00, 2.00, 0.10, 9900, 1.70, 2.20, 0},  // 58
    {"Ride Cymbal 2",      -46.7,  580.8, 9082.4, 0.20, 0.00, 0.00, 1.40, 0.60, 2714, 0.47, 1.87, 0},  // 59
    {"Hi Bongo",           -34.3,  907.2, 1360.7, 0.05, 0.00, 0.00, 0.48, 0.20, 1150, 0.44, 0.20, 0},  // 60
    {"Low Bongo",          -32.2,  606.3,  910.0, 0.05, 0.00, 0.00, 0.48, 0.20, 1278, 0.52, 0.20, 0},  // 61
    {"Mute Hi Conga",      -37.0,  883.7, 1140.5, 0.20, 0.00, 0.00, 0.42, 0.60, 1319, 1.01, 0.40, 0},  // 62
    {"Open Hi Conga",      -27.4,  292.4,  796.8, 0.10, 0.00, 0.00, 0.70, 0.70, 368, 0.74, 0.10, 0},  // 63
    {"Low Conga",          -25.7,  259.0,  211.1, 0.30, 0.00, 0.00, 0.60, 0.60, 334, 1.46, 0.05, 0},  // 64
    {"High Timbale",       -33.0,  272.0,  535.2, 0.40, 0.00, 0.00, 0.85, 0.60, 1261, 0.72, 0.80, 0},  // 65
    {"Low Timbale",        -31.0,  203.7,  401.0, 0.80, 0.00, 0.00, 0.85, 0.70, 671, 1.46, 0.80, 0},  // 66
    {"High Agogo",         -39.1, 1499.1, 7681.3, 0.24, 0.00, 0.00, 0.70, 0.40, 6259, 1.03, 0.50, 0},  // 67
    {"Low Agogo",          -39.6, 1000.4, 5126.3, 0.70, 0.00, 0.00, 1.68, 0.70, 5334, 2.44, 0.50, 0},  // 68
    {"Cabasa",             -33.2, 7184.0,    0.0, 0.00, 0.00, 0.00, 0.36, 0.80, 9900, 0.31, 0.60, 0},  // 69
    {"Maracas",            -38.2,    0.0,    0.0, 0.00, 0.00, 0.00, 0.00, 1.00, 9114, 0.28, 0.60, 0},  // 70
    {"Short Whistle",      -24.5, 3146.9,    0.0, 0.00, 0.00, 0.00, 0.46, 0.80, 2787, 0.25, 0.07, 2},  // 71
    {"Long Whistle",       -27.3, 2821.8,    0.0, 0.00, 0.00, 0.00, 0.55, 0.90, 1414, 0.20, 0.40, 2},  // 72
    {"Short Guiro",        -36.6,    0.0,    0.0, 0.00, 0.00, 0.00, 0.00, 0.30, 3942, 0.72, 2.40, 3},  // 73
    {"Long Guiro",         -28.1,    0.0,    0.0, 0.00, 0.00, 0.00, 0.00, 0.10, 4008, 0.70, 0.81, 3},  // 74
    {"Claves",             -35.0, 2157.3,    0.0, 0.00, 0.00, 0.00, 0.48, 0.00, 2193, 0.26, 0.10, 0},  // 75
    {"Hi Wood Block",      -33.3,  749.8,  673.2, 0.36, 0.00, 0.00, 0.36, 0.00, 1811, 1.51, 0.05, 0},  // 76
    {"Low Wood Block",     -30.7,  562.0,  505.8, 0.50, 0.00, 0.00, 0.42, 0.80, 1138, 0.33, 0.20, 0},  // 77
    {"Mute Cuica",         -23.5,  620.0,    0.0, 0.00, 0.00, 0.00, 0.90, 0.90, 511, 0.31, 0.24, 4},  // 78
    {"Open Cuica",         -16.9,  286.7,  569.4, 0.30, 0.00, 0.00, 1.00, 0.80, 268, 0.49, 0.10, 4},  // 79
    {"Mute Triangle",      -41.5, 6516.9, 2166.5, 0.50, 0.00, 0.00, 0.42, 0.90, 6642, 0.97, 0.28, 5},  // 80
    {"Open Triangle",      -35.7, 6517.3, 2165.9, 0.60, 0.00, 0.00, 1.19, 0.90, 4502, 0.85, 0.10, 5},  // 81
};
// clang-format on
constexpr int32_t KitSize = int32_t(sizeof Kit / sizeof Kit[0]);
static_assert(FirstDrum + KitSize - 1 == 81, "the kit plays notes 35 to 81");

constexpr float Silent = 1e-4f;
constexpr float Pi = 3.14159265f;

// Falls of 60 dB in `seconds` as log2 a frame.
float Fall60Log2(float seconds, int32_t rate) { return seconds > 0 ? -9.966f / (seconds * float(rate)) : -1.0f; }

// A state-variable filter (the trapezoidal one: steady at any corner),
// band-passing x into k * v1.
void SetFilter(SynthVoice& v, float hz, float k, int32_t rate) {
  float g = std::tan(Pi * std::fmin(hz, 0.45f * float(rate)) / float(rate));
  float a1 = 1.0f / (1.0f + g * (g + k));
  v.coefficients[0] = a1, v.coefficients[1] = g * a1, v.coefficients[2] = g * g * a1, v.coefficients[3] = k;
}

// One step of the filter: the band-passed value.
inline float Filter(const float* c, float* state, float x) {
  float v3 = x - state[1], v1 = c[0] * state[0] + c[1] * v3, v2 = state[1] + c[1] * state[0] + c[2] * v3;
  state[0] = 2 * v1 - state[0], state[1] = 2 * v2 - state[1];
  return c[3] * v1;
}

// The power the filter passes of white noise (of power 1), from its
// impulse response.
float FilterPower(const float* c) {
  float state[2] = {}, sum = 0;
  for (int32_t i = 0; i < 4096; ++i) {
    float y = Filter(c, state, i == 0 ? 1.0f : 0.0f);
    sum += y * y;
  }
  return sum;
}

float NextNoise(uint32_t& s) {
  s ^= s << 13, s ^= s >> 17, s ^= s << 5;
  return float(int32_t(s)) * (1.0f / 2147483648.0f);
}
}  // namespace

bool StartDrum(Synth& s, SynthVoice& v, uint8_t note, float velocity) {
  if (note < FirstDrum || note >= FirstDrum + KitSize) return false;
  const DrumSound& d = Kit[note - FirstDrum];
  v.drum = uint8_t(note - FirstDrum + 1);
  v.level = velocity * ReferenceAmplitude(d.level);
  v.envelope = 1.0f;
  v.stage = VoiceDecay;
  // Shares of a sine's power (the level's measure): each partial a / 2,
  // the noise (of power 1/3) through the filter as much.
  float tones = d.toneHz > 0 ? 1.0f - d.noise : 0.0f;
  v.partial1 = std::sqrt(tones * (1.0f - d.tone2));
  v.partial2 = d.tone2Hz > 0 ? std::sqrt(tones * d.tone2) : 0.0f;
  SetFilter(v, d.noiseHz, d.width, s.rate);
  v.noiseGain = std::sqrt(d.noise * 0.5f / (FilterPower(v.coefficients) / 3.0f));
  v.toneLevel = tones > 0 ? 1.0f : 0.0f;
  v.noiseLevel = d.noise > 0 ? 1.0f : 0.0f;
  v.toneLog2 = Fall60Log2(d.toneDecay, s.rate);
  v.noiseLog2 = Fall60Log2(d.noiseDecay, s.rate);
  v.step = uint32_t(double(d.toneHz) / s.rate * 4294967296.0);
  v.step2 = uint32_t(double(d.tone2Hz) / s.rate * 4294967296.0);
  v.sweep = d.sweep;
  v.sweepLog2 = Fall60Log2(d.sweepTime, s.rate);
  s.noise = s.noise * 1664525u + 1013904223u;
  v.noise = s.noise | 1u;
  return true;
}

void ChokeDrums(Synth& s, uint8_t channel, uint8_t note) {
  if (note < FirstDrum || note >= FirstDrum + KitSize || !Kit[note - FirstDrum].group) return;
  uint8_t group = Kit[note - FirstDrum].group;
  for (SynthVoice& v : s.voices)
    if (v.active && v.drum && v.channel == channel && Kit[v.drum - 1].group == group)
      v.toneLog2 = v.noiseLog2 = Fall60Log2(0.03f, s.rate);
}

void RenderDrumVoice(SynthVoice& v, float left, float right, float* mix, int32_t frames) {
  float tone0 = v.toneLevel, noise0 = v.noiseLevel;
  v.toneLevel *= std::exp2(v.toneLog2 * float(frames));
  v.noiseLevel *= std::exp2(v.noiseLog2 * float(frames));
  float dTone = (v.toneLevel - tone0) / float(frames), dNoise = (v.noiseLevel - noise0) / float(frames);
  float sweep0 = v.sweep;
  v.sweep *= std::exp2(v.sweepLog2 * float(frames));
  float bend = 1.0f + 0.5f * (sweep0 + v.sweep);
  uint32_t step = uint32_t(float(v.step) * bend), step2 = uint32_t(float(v.step2) * bend);
  const float* sine = SineTable();
  float state[2] = {v.filter[0], v.filter[1]};
  float p1 = v.partial1, p2 = v.partial2, gain = v.noiseGain;
  float l = v.left, r = v.right;
  float toLeft = v.level * left, toRight = v.level * right;
  float dl = (toLeft - l) / float(frames), dr = (toRight - r) / float(frames);
  for (int32_t i = 0; i < frames; ++i) {
    float noise = Filter(v.coefficients, state, NextNoise(v.noise));
    float tone = p1 * ReadTable(sine, v.phase) + p2 * ReadTable(sine, v.phase2);
    float y = tone0 * tone + noise0 * gain * noise;
    v.phase += step, v.phase2 += step2;
    tone0 += dTone, noise0 += dNoise, l += dl, r += dr;
    mix[2 * i] += y * l;
    mix[2 * i + 1] += y * r;
  }
  v.filter[0] = state[0], v.filter[1] = state[1];
  v.left = toLeft, v.right = toRight;
  v.envelope = std::fmax(v.toneLevel, v.noiseLevel);
  if (v.envelope < Silent) v.active = 0;
}
