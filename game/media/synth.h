#pragma once
#include <cstdint>

// A small General MIDI synthesizer of our own, for machines without a MIDI
// output device: one patch per program family, a drum kit on channel 10.

constexpr int32_t SynthVoices = 24;

struct SynthChannel {
  uint8_t program;
  uint8_t volume;      // controller 7
  uint8_t expression;  // controller 11
  uint8_t pan;         // controller 10, 64 in the middle
  uint8_t sustain;     // controller 64 held
  int16_t bend;        // -8192..8191
};

struct SynthVoice {
  uint8_t active;
  uint8_t channel;
  uint8_t note;
  uint8_t held;      // key still down (or sustained)
  uint8_t drum;      // drum kind + 1, 0 for a pitched voice
  float velocity;
  float phase, phase2, step;
  float envelope;    // 0..1
  int32_t stage;     // 0 attack, 1 decay/sustain, 2 release
  float filter;      // one-pole low-pass state
  float sweep;       // drum pitch sweep, falls to 0
  float cutoff;      // low-pass coefficient
  uint32_t age;
};

struct Synth {
  int32_t rate;
  float gain;
  uint32_t noise;
  uint32_t clock;
  SynthChannel channels[16];
  SynthVoice voices[SynthVoices];
};

void SynthInit(Synth& synth, int32_t rate);
// A short MIDI message as midiOutShortMsg packs it: status | data1 << 8 | data2 << 16.
void SynthShortMessage(Synth& synth, uint32_t message);
// Every note silenced at once, controllers kept.
void SynthAllSoundOff(Synth& synth);
// Every key released (the notes fade out).
void SynthAllNotesOff(Synth& synth);
// Adds `frames` stereo frames to `out`, through SoftLimit.
void SynthRender(Synth& synth, int16_t* out, int32_t frames);
int32_t SynthActiveVoices(const Synth& synth);

// A mix (in sample units) as a 16-bit sample: untouched up to LimiterKnee,
// then bent smoothly towards LimiterCeiling, which it never reaches: a
// loud moment is rounded off, never clipped to full scale.
constexpr float LimiterKnee = 24000.0f;
constexpr float LimiterCeiling = 32000.0f;
int16_t SoftLimit(float sample);
