// The synthesizer: band-limited oscillators (wave tables), one envelope
// and one low-pass per voice. Cheap enough to leave the game thread its time.
#include "game/media/synth.h"

#include <cmath>
#include <cstring>

#include "game/media/wave_table.h"

namespace {
enum Wave : uint8_t { Sine, Triangle, Square, Saw, Pulse, Organ };

struct Patch {
  Wave wave;
  float attack, decay, sustain, release;  // seconds, level
  float brightness;  // low-pass cut-off as a multiple of the note's pitch
  float detune;      // second oscillator's pitch ratio (0: none)
  float level;
};

// One patch per General MIDI family (program / 8).
constexpr Patch Families[16] = {
    {Triangle, 0.002f, 0.9f, 0.25f, 0.30f, 10.0f, 1.002f, 0.9f},  // piano
    {Sine, 0.001f, 0.5f, 0.00f, 0.30f, 20.0f, 3.990f, 0.8f},      // chromatic percussion
    {Organ, 0.010f, 0.1f, 0.90f, 0.08f, 12.0f, 0.000f, 0.6f},     // organ
    {Saw, 0.002f, 0.6f, 0.20f, 0.15f, 6.0f, 1.004f, 0.7f},        // guitar
    {Saw, 0.004f, 0.3f, 0.60f, 0.06f, 5.0f, 0.500f, 1.0f},        // bass
    {Saw, 0.080f, 0.3f, 0.85f, 0.30f, 8.0f, 1.006f, 0.55f},       // strings
    {Saw, 0.120f, 0.3f, 0.85f, 0.40f, 7.0f, 1.008f, 0.5f},        // ensemble
    {Saw, 0.030f, 0.2f, 0.80f, 0.12f, 9.0f, 1.003f, 0.6f},        // brass
    {Square, 0.030f, 0.2f, 0.80f, 0.10f, 6.0f, 0.000f, 0.5f},     // reed
    {Triangle, 0.040f, 0.2f, 0.85f, 0.12f, 8.0f, 0.000f, 0.8f},   // pipe
    {Square, 0.004f, 0.2f, 0.75f, 0.08f, 14.0f, 1.005f, 0.5f},    // synth lead
    {Saw, 0.250f, 0.5f, 0.80f, 0.60f, 5.0f, 1.010f, 0.45f},       // synth pad
    {Pulse, 0.050f, 0.4f, 0.60f, 0.50f, 10.0f, 1.500f, 0.45f},    // synth effects
    {Pulse, 0.002f, 0.4f, 0.30f, 0.20f, 12.0f, 0.000f, 0.6f},     // ethnic
    {Sine, 0.001f, 0.3f, 0.00f, 0.20f, 20.0f, 1.580f, 0.8f},      // percussive
    {Pulse, 0.010f, 0.5f, 0.30f, 0.30f, 16.0f, 0.000f, 0.4f},     // sound effects
};

enum Drum : uint8_t { Kick = 1, Snare, Hat, OpenHat, Crash, Tom, Clap };

struct DrumSound {
  float pitch;   // Hz at the end of the sweep
  float sweep;   // extra pitch at the start, as a multiple
  float noise;   // share of noise
  float decay;   // seconds to fall by 60 dB
  float bright;  // noise: 0 dark .. 1 bright (high-passed)
  float level;
};
constexpr DrumSound Drums[8] = {
    {},
    {52.0f, 3.0f, 0.05f, 0.45f, 0.0f, 1.6f},   // kick
    {185.0f, 0.6f, 0.65f, 0.22f, 0.5f, 1.1f},  // snare
    {0.0f, 0.0f, 1.0f, 0.05f, 1.0f, 0.45f},    // closed hat
    {0.0f, 0.0f, 1.0f, 0.35f, 1.0f, 0.4f},     // open hat
    {0.0f, 0.0f, 1.0f, 1.40f, 0.8f, 0.5f},     // crash
    {110.0f, 0.8f, 0.15f, 0.35f, 0.2f, 1.0f},  // tom
    {0.0f, 0.0f, 1.0f, 0.12f, 0.6f, 0.8f},     // clap
};

uint8_t DrumFor(uint8_t note) {
  switch (note) {
    case 35: case 36: return Kick;
    case 37: case 38: case 40: return Snare;
    case 39: return Clap;
    case 42: case 44: return Hat;
    case 46: return OpenHat;
    case 49: case 51: case 52: case 55: case 57: case 59: return Crash;
    default: return note >= 41 && note <= 50 ? Tom : Hat;
  }
}

float NoteHz(float note) { return 440.0f * std::pow(2.0f, (note - 69.0f) / 12.0f); }

float NextNoise(uint32_t& s) {
  s ^= s << 13, s ^= s >> 17, s ^= s << 5;
  return int32_t(s) * (1.0f / 2147483648.0f);
}

// The band-limited table of a sharp wave; sines are computed.
int32_t TableOf(Wave wave) {
  switch (wave) {
    case Triangle: return TableTriangle;
    case Square: return TableSquare;
    case Saw: return TableSaw;
    case Pulse: return TablePulse;
    default: return -1;
  }
}

// One oscillator at `phase`, `dt` cycles a sample, reading `table` when the
// wave has one. Nothing at or above half the rate: it would only fold back.
float Oscillator(Wave wave, float phase, float dt, const float* table) {
  if (!(dt < 0.5f)) return 0.0f;
  if (table) return ReadWaveTable(table, phase);
  if (wave == Organ)
    return 0.6f * std::sin(6.2831853f * phase) + (dt < 0.25f ? 0.4f * std::sin(12.566371f * phase) : 0.0f);
  return wave == Sine ? std::sin(6.2831853f * phase) : 0.0f;
}

const Patch& PatchOf(const Synth& s, const SynthVoice& v) { return Families[s.channels[v.channel].program >> 3]; }

float PitchStep(const Synth& s, const SynthVoice& v) {
  float bend = s.channels[v.channel].bend / 8192.0f * 2.0f;
  return NoteHz(v.note + bend) / float(s.rate);
}

SynthVoice* FreeVoice(Synth& s) {
  SynthVoice* best = &s.voices[0];
  for (SynthVoice& v : s.voices) {
    if (!v.active) return &v;
    // Steal the quietest released voice, else the oldest.
    bool vReleased = v.stage == 2, bestReleased = best->stage == 2;
    if (vReleased != bestReleased ? vReleased : v.age < best->age) best = &v;
  }
  return best;
}

void NoteOn(Synth& s, uint8_t channel, uint8_t note, uint8_t velocity) {
  for (SynthVoice& v : s.voices)  // a key struck again starts one voice over
    if (v.active && v.channel == channel && v.note == note) v.stage = 2, v.held = 0;
  SynthVoice& v = *FreeVoice(s);
  std::memset(&v, 0, sizeof v);
  v.active = 1;
  v.channel = channel;
  v.note = note;
  v.held = 1;
  v.velocity = velocity / 127.0f;
  v.age = ++s.clock;
  if (channel == 9) {
    v.drum = DrumFor(note);
    const DrumSound& d = Drums[v.drum];
    float pitch = d.pitch * (v.drum == Tom ? std::pow(2.0f, (note - 45) / 12.0f) : 1.0f);
    v.step = pitch / s.rate;
    v.sweep = d.sweep;
    v.envelope = 1.0f;
    v.stage = 1;
    v.cutoff = 1.0f - std::exp(-6.2831853f * (d.bright > 0.5f ? 7000.0f : 2500.0f) / s.rate);
    return;
  }
  const Patch& p = PatchOf(s, v);
  v.step = PitchStep(s, v);
  float hz = v.step * s.rate * p.brightness;
  v.cutoff = 1.0f - std::exp(-6.2831853f * (hz < 9000.0f ? hz : 9000.0f) / s.rate);
}

void NoteOff(Synth& s, uint8_t channel, uint8_t note) {
  for (SynthVoice& v : s.voices)
    if (v.active && v.channel == channel && v.note == note && v.held) {
      v.held = 0;
      if (!s.channels[channel].sustain && !v.drum) v.stage = 2;
    }
}

void Controller(Synth& s, uint8_t channel, uint8_t control, uint8_t value) {
  SynthChannel& c = s.channels[channel];
  switch (control) {
    case 7: c.volume = value; break;
    case 10: c.pan = value; break;
    case 11: c.expression = value; break;
    case 64:
      c.sustain = value >= 64;
      if (!c.sustain)
        for (SynthVoice& v : s.voices)
          if (v.active && v.channel == channel && !v.held && !v.drum) v.stage = 2;
      break;
    case 120: for (SynthVoice& v : s.voices) if (v.channel == channel) v.active = 0; break;
    case 121: c.volume = 100, c.expression = 127, c.pan = 64, c.sustain = 0, c.bend = 0; break;
    case 123:
      for (SynthVoice& v : s.voices)
        if (v.active && v.channel == channel && !v.drum) v.held = 0, v.stage = 2;
      break;
    default: break;
  }
}

float DrumSample(Synth& s, SynthVoice& v) {
  const DrumSound& d = Drums[v.drum];
  float n = NextNoise(s.noise);
  v.filter += v.cutoff * (n - v.filter);
  float noise = d.bright > 0.5f ? n - v.filter : v.filter * 1.6f;
  float tone = 0.0f;
  if (d.pitch > 0.0f) {
    tone = std::sin(6.2831853f * v.phase);
    v.phase += v.step * (1.0f + v.sweep);
    v.phase -= float(int(v.phase));
    v.sweep *= 1.0f - 40.0f / s.rate;
  }
  return (tone * (1.0f - d.noise) + noise * d.noise) * d.level;
}

float VoiceSample(SynthVoice& v, const Patch& p, const float* table, const float* table2) {
  float a = Oscillator(p.wave, v.phase, v.step, table);
  v.phase += v.step;
  v.phase -= float(int(v.phase));
  if (p.detune > 0.0f) {
    float step2 = v.step * p.detune;
    a = 0.6f * a + 0.4f * Oscillator(p.wave, v.phase2, step2, table2);
    v.phase2 += step2;
    v.phase2 -= float(int(v.phase2));
  }
  v.filter += v.cutoff * (a - v.filter);
  return v.filter * p.level;
}

// Envelope rates per sample from times in seconds (to -60 dB for decays).
float Falling(float seconds, int32_t rate) { return std::exp(-6.9f / (seconds * rate)); }

void RenderVoice(Synth& s, SynthVoice& v, float* mix, int32_t frames) {
  const SynthChannel& c = s.channels[v.channel];
  // Volume and expression on General MIDI's squared curve: a fade in even
  // steps of the controller sounds even.
  float loud = v.velocity * (c.volume / 127.0f) * (c.volume / 127.0f) * (c.expression / 127.0f) *
               (c.expression / 127.0f);
  float right = c.pan / 127.0f, left = 1.0f - right;
  left = std::sqrt(left) * loud * s.gain, right = std::sqrt(right) * loud * s.gain;
  if (v.drum) {
    float fall = Falling(Drums[v.drum].decay, s.rate);
    for (int32_t i = 0; i < frames; ++i) {
      float x = DrumSample(s, v) * v.envelope;
      v.envelope *= fall;
      mix[2 * i] += x * left, mix[2 * i + 1] += x * right;
    }
    if (v.envelope < 0.0005f) v.active = 0;
    return;
  }
  const Patch& p = PatchOf(s, v);
  v.step = PitchStep(s, v);
  float rise = 1.0f / (p.attack * s.rate + 1.0f);
  float decay = Falling(p.decay, s.rate), release = Falling(p.release, s.rate);
  const float* table = WaveTable(TableOf(p.wave), v.step);
  const float* table2 = WaveTable(TableOf(p.wave), v.step * p.detune);
  for (int32_t i = 0; i < frames; ++i) {
    if (v.stage == 0) {
      v.envelope += rise;
      if (v.envelope >= 1.0f) v.envelope = 1.0f, v.stage = 1;
    } else if (v.stage == 1) {
      v.envelope = p.sustain + (v.envelope - p.sustain) * decay;
    } else {
      v.envelope *= release;
    }
    float x = VoiceSample(v, p, table, table2) * v.envelope;
    mix[2 * i] += x * left, mix[2 * i + 1] += x * right;
  }
  if (v.envelope < 0.0005f && (v.stage == 2 || p.sustain == 0.0f)) v.active = 0;
}
}  // namespace

void SynthInit(Synth& s, int32_t rate) {
  std::memset(&s, 0, sizeof s);
  s.rate = rate;
  s.gain = 0.75f;
  s.noise = 0x2545F491u;
  for (SynthChannel& c : s.channels) c.volume = 100, c.expression = 127, c.pan = 64;
}

void SynthShortMessage(Synth& s, uint32_t message) {
  uint8_t status = message & 0xFF, a = (message >> 8) & 0x7F, b = (message >> 16) & 0x7F;
  uint8_t channel = status & 0x0F;
  switch (status & 0xF0) {
    case 0x80: NoteOff(s, channel, a); break;
    case 0x90: b ? NoteOn(s, channel, a, b) : NoteOff(s, channel, a); break;
    case 0xB0: Controller(s, channel, a, b); break;
    case 0xC0: s.channels[channel].program = a; break;
    case 0xE0: s.channels[channel].bend = int16_t((a | b << 7) - 8192); break;
    default: break;
  }
}

void SynthAllSoundOff(Synth& s) {
  for (SynthVoice& v : s.voices) v.active = 0;
}

void SynthAllNotesOff(Synth& s) {
  for (uint8_t channel = 0; channel < 16; ++channel) Controller(s, channel, 123, 0);
}

void SynthRender(Synth& s, int16_t* out, int32_t frames) {
  constexpr int32_t Block = 256;
  float mix[2 * Block];
  for (int32_t done = 0; done < frames; done += Block) {
    int32_t n = frames - done < Block ? frames - done : Block;
    std::memset(mix, 0, sizeof(float) * 2 * n);
    for (SynthVoice& v : s.voices)
      if (v.active) RenderVoice(s, v, mix, n);
    for (int32_t i = 0; i < 2 * n; ++i) out[2 * done + i] = SoftLimit(out[2 * done + i] + mix[i] * 32767.0f);
  }
}

int16_t SoftLimit(float x) {
  float size = std::fabs(x);
  if (!(size > LimiterKnee)) return int16_t(x == x ? x : 0.0f);
  constexpr float Room = LimiterCeiling - LimiterKnee;
  float bent = std::fmin(LimiterKnee + Room * std::tanh((size - LimiterKnee) / Room), LimiterCeiling - 1.0f);
  return int16_t(x < 0 ? -bent : bent);
}

int32_t SynthActiveVoices(const Synth& s) {
  int32_t n = 0;
  for (const SynthVoice& v : s.voices) n += v.active;
  return n;
}
