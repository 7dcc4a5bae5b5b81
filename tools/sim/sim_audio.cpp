#include "tools/sim/sim_audio.h"

#include <cstdio>

#include "game/media/host/host_midi.h"
#include "game/media/host/host_sound.h"
#include "game/media/music_player.h"
#include "game/media/sound_bank.h"
#include "game/media/synth.h"
#include "game/shell/host/host_system.h"

namespace {
bool Capturing = false;
uint32_t LastTick = 0;
double Owed = 0;  // frames of the last frame wait not yet whole
std::vector<int16_t> Samples;
std::vector<int16_t> MusicPath;
std::vector<float> EffectsPath;

void Put32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(uint8_t(v >> (8 * i)));
}
void PutId(std::vector<uint8_t>& out, const char* id) { out.insert(out.end(), id, id + 4); }
}  // namespace

void ResetAudio() {
  StopMusic();
  MusicRequests().clear();
  ReleaseSound();
  SoundDisabled = 0;
  for (int32_t& n : SoundRequests) n = 0;
  HostResetSound();
  HostResetMidi();
  Capturing = false;
  Samples.clear();
  MusicPath.clear();
  EffectsPath.clear();
}

void BeginAudioCapture() {
  InitSound(nullptr);
  Capturing = true;
  LastTick = HostTick();
  Owed = 0;
  Samples.clear();
  MusicPath.clear();
  EffectsPath.clear();
}

void CaptureAudioFrame() {
  if (!Capturing) return;
  uint32_t now = HostTick();
  Owed += (now - LastTick) * (HostMidiRate / 1000.0);
  LastTick = now;
  int32_t frames = int32_t(Owed);
  Owed -= frames;
  if (frames <= 0) return;
  // The two paths apart, as DirectSound gets them, then mixed as the
  // host mixer mixes them.
  size_t at = Samples.size();
  MusicPath.resize(at + size_t(frames) * 2, 0);
  EffectsPath.resize(at + size_t(frames) * 2, 0.0f);
  HostRenderMidi(&MusicPath[at], frames);
  HostMixEffects(&EffectsPath[at], frames, HostMidiRate);
  Samples.resize(at + size_t(frames) * 2);
  for (size_t i = at; i < Samples.size(); ++i) Samples[i] = SoftLimit(MusicPath[i] + EffectsPath[i]);
}

bool AudioCaptureRunning() { return Capturing; }
const std::vector<int16_t>& CapturedAudio() { return Samples; }
const std::vector<int16_t>& CapturedMusic() { return MusicPath; }
const std::vector<float>& CapturedEffects() { return EffectsPath; }

std::vector<uint8_t> StereoWaveImage(const std::vector<int16_t>& samples, int32_t rate) {
  std::vector<uint8_t> out;
  uint32_t bytes = uint32_t(samples.size() * 2);
  PutId(out, "RIFF");
  Put32(out, 36 + bytes);
  PutId(out, "WAVE");
  PutId(out, "fmt ");
  Put32(out, 16);
  Put32(out, 1 | 2 << 16);  // PCM, two channels
  Put32(out, uint32_t(rate));
  Put32(out, uint32_t(rate) * 4);
  Put32(out, 4 | 16 << 16);  // block align, bits
  PutId(out, "data");
  Put32(out, bytes);
  for (int16_t s : samples) out.push_back(uint8_t(s)), out.push_back(uint8_t(uint16_t(s) >> 8));
  return out;
}

int32_t EndAudioCapture(const std::string& file) {
  Capturing = false;
  std::vector<uint8_t> image = StereoWaveImage(Samples, HostMidiRate);
  std::FILE* out = std::fopen(file.c_str(), "wb");
  if (!out) return 0;
  bool ok = std::fwrite(image.data(), 1, image.size(), out) == image.size();
  return std::fclose(out) == 0 && ok;
}
