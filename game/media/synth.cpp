// The synthesizer: messages in, blocks of voices out through the limiter.
#include "game/media/synth.h"

#include <cmath>
#include <cstring>

#include "game/media/synth_voice.h"

namespace {
constexpr float VibratoHz = 5.5f;

void Mix(Synth& s, int16_t* out, int32_t frames) {
  float mix[2 * SynthBlock] = {};
  float lfo = std::sin(6.2831853f * s.lfo), pitch[16], left[16], right[16];
  bool known[16] = {};  // a channel's pitch and gains, worked out once a block when it sounds
  for (SynthVoice& v : s.voices) {
    if (!v.active) continue;
    uint8_t c = v.channel;
    if (!known[c]) {
      pitch[c] = ChannelPitch(s.channels[c], lfo);
      ChannelGains(s.channels[c], left[c], right[c]);
      known[c] = true;
    }
    if (v.drum) RenderDrumVoice(v, left[c], right[c], mix, frames);
    else RenderPitchedVoice(s, v, pitch[c], left[c], right[c], mix, frames);
  }
  for (int32_t i = 0; i < 2 * frames; ++i) out[i] = SoftLimit(out[i] + mix[i] * 32767.0f);
  s.lfo += VibratoHz * float(frames) / float(s.rate);
  s.lfo -= float(int32_t(s.lfo));
}
}  // namespace

void SynthInit(Synth& s, int32_t rate) {
  std::memset(&s, 0, sizeof s);
  s.rate = rate;
  s.noise = 0x2545F491u;
  for (SynthChannel& c : s.channels) InitChannel(c);
}

void SynthShortMessage(Synth& s, uint32_t message) {
  uint8_t status = message & 0xFF, a = (message >> 8) & 0x7F, b = (message >> 16) & 0x7F;
  uint8_t channel = status & 0x0F;
  switch (status & 0xF0) {
    case 0x80: NoteOff(s, channel, a); break;
    case 0x90: b ? NoteOn(s, channel, a, b) : NoteOff(s, channel, a); break;
    case 0xB0: ChannelController(s, channel, a, b); break;
    case 0xC0: s.channels[channel].program = a; break;
    case 0xD0: s.channels[channel].pressure = a; break;
    case 0xE0: s.channels[channel].bend = int16_t((a | b << 7) - 8192); break;  // least significant 7 bits first
    default: break;
  }
}

void SynthAllSoundOff(Synth& s) {
  for (SynthVoice& v : s.voices) v.active = 0;
}

void SynthAllNotesOff(Synth& s) {
  for (uint8_t channel = 0; channel < 16; ++channel) {
    s.channels[channel].sustain = 0;
    ReleaseChannel(s, channel);
  }
}

void SynthRender(Synth& s, int16_t* out, int32_t frames) {
  for (int32_t done = 0; done < frames; done += SynthBlock)
    Mix(s, out + 2 * done, frames - done < SynthBlock ? frames - done : SynthBlock);
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
