// The synthesizer's channels: controllers and registered parameters.
#include <cmath>

#include "game/media/synth_voice.h"

namespace {
// What "reset all controllers" puts back; volume, pan, program and the
// registered parameters' values stay, as General MIDI songs expect.
void ResetControllers(SynthChannel& c) {
  c.modulation = 0;
  c.pressure = 0;
  c.expression = 127;
  c.sustain = 0;
  c.bend = 0;
  c.parameter = NoParameter;
}

// Data entry (controller 6 the coarse value, 38 the fine one) for the
// registered parameter chosen.
void DataEntry(SynthChannel& c, bool coarse, uint8_t value) {
  switch (c.parameter) {
    case 0: {  // pitch-bend range: semitones and cents
      int32_t semitones = c.bendRange / 100, cents = c.bendRange % 100;
      if (coarse) semitones = value > 24 ? 24 : value;
      else cents = value > 99 ? 99 : value;
      c.bendRange = uint16_t(semitones * 100 + cents);
      break;
    }
    case 1:  // fine tuning, 14 bits
      c.fineTune = coarse ? uint16_t(value << 7 | (c.fineTune & 0x7F)) : uint16_t((c.fineTune & ~0x7F) | value);
      break;
    case 2:  // coarse tuning, semitones
      if (coarse) c.coarseTune = value;
      break;
    default: break;
  }
}
}  // namespace

void InitChannel(SynthChannel& c) {
  c = SynthChannel{};
  c.volume = 100;
  c.pan = 64;
  c.bendRange = 200;
  c.fineTune = 8192;
  c.coarseTune = 64;
  ResetControllers(c);
}

void ChannelController(Synth& s, uint8_t channel, uint8_t control, uint8_t value) {
  SynthChannel& c = s.channels[channel];
  switch (control) {
    case 1: c.modulation = value; break;
    case 6: DataEntry(c, true, value); break;
    case 7: c.volume = value; break;
    case 10: c.pan = value; break;
    case 11: c.expression = value; break;
    case 38: DataEntry(c, false, value); break;
    case 64:
      c.sustain = value >= 64;
      if (!c.sustain) ReleaseSustained(s, channel);
      break;
    case 98: case 99: c.parameter = NoParameter; break;  // a non-registered one: nothing we know
    case 100: c.parameter = uint16_t((c.parameter & ~0x7F) | value); break;
    case 101: c.parameter = uint16_t((c.parameter & 0x7F) | value << 7); break;
    case 120: SilenceChannel(s, channel); break;
    case 121: ResetControllers(c), ReleaseSustained(s, channel); break;
    case 123: case 124: case 125: case 126: case 127: ReleaseChannel(s, channel); break;
    default: break;
  }
}

float ChannelPitch(const SynthChannel& c, float lfo) {
  float cents = c.bend * (1.0f / 8192.0f) * c.bendRange + (int32_t(c.fineTune) - 8192) * (100.0f / 8192.0f);
  int32_t depth = c.modulation > c.pressure ? c.modulation : c.pressure;
  cents += lfo * depth * (50.0f / 127.0f);  // up to half a semitone
  return (int32_t(c.coarseTune) - 64) + cents * 0.01f;
}

void ChannelGains(const SynthChannel& c, float& left, float& right) {
  float volume = c.volume * (1.0f / 127.0f), expression = c.expression * (1.0f / 127.0f);
  float loud = volume * volume * expression * expression;
  // 0 is hard left, 64 the middle, 127 nearly hard right.
  float angle = ((c.pan - 64) / 128.0f + 0.5f) * 1.5707963f;
  left = loud * std::cos(angle);
  right = loud * std::sin(angle);
}
