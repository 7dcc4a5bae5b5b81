#pragma once
#include <cstdint>

#include "game/media/synth.h"

// The synthesizer's parts, between its files.

// Channels (synth_channel.cpp).
void InitChannel(SynthChannel& channel);
void ChannelController(Synth& synth, uint8_t channel, uint8_t control, uint8_t value);
// The channel's pitch away from the note, in semitones: bend, tuning and
// vibrato at `lfo` (-1..1).
float ChannelPitch(const SynthChannel& channel, float lfo);
// The channel's gains to the left and right, volume and expression on
// General MIDI's squared curves, pan at equal power.
void ChannelGains(const SynthChannel& channel, float& left, float& right);

// Voices (synth_voice.cpp).
void NoteOn(Synth& synth, uint8_t channel, uint8_t note, uint8_t velocity);
void NoteOff(Synth& synth, uint8_t channel, uint8_t note);
// The pedal let go: every key it held is released.
void ReleaseSustained(Synth& synth, uint8_t channel);
// Every key of the channel released, pedal or not.
void ReleaseChannel(Synth& synth, uint8_t channel);
// Every voice of the channel silenced at once.
void SilenceChannel(Synth& synth, uint8_t channel);
// A voice to play a new note: a free one, else the quietest released
// one, else the oldest.
SynthVoice& ClaimVoice(Synth& synth);
// Adds `frames` (at most SynthBlock) of a pitched voice to `mix`.
void RenderPitchedVoice(Synth& synth, SynthVoice& voice, float pitch, float left, float right, float* mix,
                        int32_t frames);

// Drums (synth_drums.cpp).
// Starts a kit sound on `voice`; false for a note the kit does not play.
bool StartDrum(Synth& synth, SynthVoice& voice, uint8_t note, float velocity);
// The kit's sounds a new one cuts short (an open hi-hat by a closed one).
void ChokeDrums(Synth& synth, uint8_t channel, uint8_t note);
void RenderDrumVoice(SynthVoice& voice, float left, float right, float* mix, int32_t frames);

// The loudness of velocity `v` (1..127): General MIDI's squared curve.
inline float VelocityCurve(uint8_t v) { return float(v) * float(v) * (1.0f / (127.0f * 127.0f)); }
// A level in dB full scale at the reference renderer's scale, as the
// voice's amplitude at full velocity and volume: the reference plays
// velocity 100 and volume 100 (8.3 dB down together), centred (3 dB to a
// side), and its notes' tables have a sine's power (3 dB below its peak).
float ReferenceAmplitude(float decibels);
// Our level against the reference renderer's at its default gain.
constexpr float SynthGainDb = 0.0f;
