// The synthesizer's voices: which one plays a note, and how a pitched
// note sounds from key to release.
#include <cmath>
#include <cstring>

#include "game/media/synth_programs.h"
#include "game/media/synth_tables.h"
#include "game/media/synth_voice.h"

namespace {
constexpr float Silent = 1e-4f;  // -80 dB: a voice this quiet is done

bool Released(const SynthVoice& v) { return v.drum || v.stage == VoiceRelease; }

void Release(SynthVoice& v) {
  v.held = 0, v.sustained = 0;
  if (!v.drum) v.stage = VoiceRelease;
}

// Falls of `decibels` a second as log2 a frame.
float FallLog2(float decibels, int32_t rate) { return -decibels / (6.0206f * float(rate)); }

void StartPitched(Synth& s, SynthVoice& v, float velocity) {
  Envelope e = NoteEnvelope(v.program, v.note);
  v.tables = &ProgramTables(v.program, SpectrumZone(v.note));
  v.level = velocity * ReferenceAmplitude(e.level);
  v.stage = VoiceAttack;
  v.attackStep = 1.0f / (e.attack * float(s.rate) + 1.0f);
  v.decayLog2 = FallLog2(e.decay, s.rate);
  v.sustainLevel = e.sustain <= -100.0f ? 0.0f : std::pow(10.0f, e.sustain / 20.0f);
  v.releaseLog2 = FallLog2(60.0f / e.release, s.rate);
}

// The envelope after `frames` more frames.
float Advance(SynthVoice& v, int32_t frames) {
  if (v.stage == VoiceAttack) {
    v.envelope += v.attackStep * float(frames);
    if (v.envelope >= 1.0f) v.envelope = 1.0f, v.stage = VoiceDecay;
  } else if (v.stage == VoiceDecay) {
    if (v.envelope > v.sustainLevel) {
      v.envelope *= std::exp2(v.decayLog2 * float(frames));
      if (v.envelope < v.sustainLevel) v.envelope = v.sustainLevel;
    }
  } else {
    v.envelope *= std::exp2(v.releaseLog2 * float(frames));
  }
  return v.envelope;
}
}  // namespace

float ReferenceAmplitude(float decibels) { return 2.0f * std::pow(10.0f, (decibels + 8.3f + SynthGainDb) / 20.0f); }

SynthVoice& ClaimVoice(Synth& s) {
  SynthVoice* best = nullptr;
  float bestLoud = 0;
  for (SynthVoice& v : s.voices) {
    if (!v.active) return v;
    float loud = v.level * v.envelope;
    if (Released(v) && (!best || !Released(*best) || loud < bestLoud)) best = &v, bestLoud = loud;
    else if (!Released(v) && (!best || (!Released(*best) && v.age < best->age))) best = &v;
  }
  return *best;
}

void NoteOn(Synth& s, uint8_t channel, uint8_t note, uint8_t velocity) {
  bool drums = channel == 9;
  if (drums) ChokeDrums(s, channel, note);
  for (SynthVoice& v : s.voices)  // a key struck again lets its last note go
    if (v.active && v.channel == channel && v.note == note) Release(v);
  SynthVoice& v = ClaimVoice(s);
  std::memset(&v, 0, sizeof v);
  v.channel = channel;
  v.note = note;
  v.held = 1;
  v.program = s.channels[channel].program;
  v.age = ++s.clock;
  if (drums) {
    v.active = StartDrum(s, v, note, VelocityCurve(velocity));
    return;
  }
  v.active = 1;
  StartPitched(s, v, VelocityCurve(velocity));
}

void NoteOff(Synth& s, uint8_t channel, uint8_t note) {
  for (SynthVoice& v : s.voices) {
    if (!v.active || v.channel != channel || v.note != note || !v.held) continue;
    if (s.channels[channel].sustain) v.held = 0, v.sustained = 1;
    else Release(v);
  }
}

void ReleaseSustained(Synth& s, uint8_t channel) {
  for (SynthVoice& v : s.voices)
    if (v.active && v.channel == channel && v.sustained) Release(v);
}

void ReleaseChannel(Synth& s, uint8_t channel) {
  for (SynthVoice& v : s.voices)
    if (v.active && v.channel == channel) Release(v);
}

void SilenceChannel(Synth& s, uint8_t channel) {
  for (SynthVoice& v : s.voices)
    if (v.channel == channel) v.active = 0;
}

void RenderPitchedVoice(Synth& s, SynthVoice& v, float pitch, float left, float right, float* mix, int32_t frames) {
  double hz = 440.0 * std::exp2((v.note + pitch - 69.0f) / 12.0f);
  double step = hz / s.rate * 4294967296.0;
  v.step = step < 4294967295.0 ? uint32_t(step) : 0xFFFFFFFFu;
  float envelope = Advance(v, frames);
  const float* table = BandFor(*v.tables, v.step);
  float toLeft = v.level * envelope * left, toRight = v.level * envelope * right;
  if (table) {
    float l = v.left, r = v.right;
    float dl = (toLeft - l) / float(frames), dr = (toRight - r) / float(frames);
    uint32_t phase = v.phase, dt = v.step;
    for (int32_t i = 0; i < frames; ++i) {
      float x = ReadTable(table, phase);
      phase += dt;
      l += dl, r += dr;
      mix[2 * i] += x * l;
      mix[2 * i + 1] += x * r;
    }
    v.phase = phase;
  }
  v.left = toLeft, v.right = toRight;
  bool fading = v.stage == VoiceRelease || (v.stage == VoiceDecay && v.sustainLevel == 0.0f);
  if (fading && envelope < Silent) v.active = 0;
}
