#pragma once
#include <cstdint>

#include "game/media/wave_table.h"

// A General MIDI synthesizer of our own, for machines without a MIDI
// output device: a patch per program (synth_programs.h), the percussion
// kit on channel 10 (synth_drums.h), and the controllers a General MIDI
// song counts on.

constexpr int32_t SynthVoices = 64;
// Envelopes, pitch and gains move once per block of this many frames.
constexpr int32_t SynthBlock = 32;

struct SynthChannel {
  uint8_t program;
  uint8_t volume;      // controller 7
  uint8_t expression;  // controller 11
  uint8_t pan;         // controller 10, 64 in the middle
  uint8_t sustain;     // controller 64 held
  uint8_t modulation;  // controller 1: vibrato
  uint8_t pressure;    // channel pressure: vibrato too
  int16_t bend;        // -8192..8191
  uint16_t parameter;  // registered parameter chosen (controllers 101, 100), NoParameter if none
  uint16_t bendRange;  // cents at full bend (registered parameter 0)
  uint16_t fineTune;   // 14 bits, 8192 in tune (registered parameter 1): +-100 cents
  uint8_t coarseTune;  // 64 in tune (registered parameter 2): semitones
};
constexpr uint16_t NoParameter = 0x3FFF;

struct SynthVoice {
  uint8_t active;
  uint8_t channel;
  uint8_t note;
  uint8_t held;       // key still down
  uint8_t sustained;  // key let go while the pedal holds it
  uint8_t drum;       // kit entry + 1, 0 for a pitched voice
  uint8_t stage;      // VoiceAttack, VoiceDecay, VoiceRelease
  uint8_t program;    // the patch it was struck with
  uint32_t phase, step;
  const WaveTables* tables;
  float level;        // velocity and the patch's loudness
  float envelope;     // 0..1
  float attackStep;   // a frame
  float decayLog2;    // log2 of the fall a frame while held
  float sustainLevel;
  float releaseLog2;  // log2 of the fall a frame once let go
  float left, right;  // gains reached at the end of the last block
  // Drums: two partials that may sweep down, and filtered noise.
  uint32_t phase2, step2;
  float partial1, partial2, noiseGain;  // their amplitudes
  float toneLevel, noiseLevel;          // their envelopes, 1 at the hit
  float toneLog2, noiseLog2;            // log2 of their falls a frame
  float sweep, sweepLog2;               // extra pitch as a multiple, falling
  float filter[2];                      // the noise filter's state
  float coefficients[4];                // and its shape
  uint32_t noise;
  uint32_t age;
};
enum VoiceStage : uint8_t { VoiceAttack, VoiceDecay, VoiceRelease };

struct Synth {
  int32_t rate;
  uint32_t noise;
  uint32_t clock;
  float lfo;  // vibrato phase, 0..1
  SynthChannel channels[16];
  SynthVoice voices[SynthVoices];
};

void SynthInit(Synth& synth, int32_t rate);
// A short MIDI message as midiOutShortMsg packs it: status | data1 << 8 | data2 << 16.
void SynthShortMessage(Synth& synth, uint32_t message);
// Every note silenced at once, controllers kept.
void SynthAllSoundOff(Synth& synth);
// Every key released (the notes fade out), the pedals too.
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
