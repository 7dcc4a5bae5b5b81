// libFuzzer target: any bytes, as a WAVE resource image and as a WAVE file.
// The readers must refuse or read, never outside what they were given, and
// what they give back must hold together. Every wave they accept is then
// played through the host mixer, as the sound bank would play it, at the
// game's rate, panned by the first data byte, and once more looping: the
// mixer reads each sample from its own bytes whatever the format claims.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "game/media/host/host_sound.h"
#include "game/media/sound_port.h"
#include "game/media/wave_file.h"

namespace {
constexpr int32_t Rate = 22050;
constexpr int32_t Block = 512;
constexpr int32_t Blocks = 8;  // a fifth of a second at most: most effects end before

void Check(const Wave& w) {
  if (w.format.size() < WaveFormatBlockSize) __builtin_trap();
  if (w.format.size() != WaveFormatBlockSize + WaveExtraSize(w)) __builtin_trap();
}

void Play(const Wave& w, uint32_t flags) {
  HostResetSound();
  if (w.data.empty()) return;  // the sound bank makes no buffer of it
  SoundBuffer buffer = nullptr;
  SoundBufferDesc desc{20, DsbCapsStatic | DsbCapsCtrlPan | DsbCapsCtrlVolume, uint32_t(w.data.size()),
                       w.format.data()};
  if (PortCreateSoundBuffer(nullptr, desc, &buffer) != DsOk || !buffer) return;
  void* first = nullptr;
  void* second = nullptr;
  uint32_t n1 = 0, n2 = 0;
  if (PortLockSoundBuffer(buffer, 0, desc.bufferBytes, &first, &n1, &second, &n2) != DsOk) __builtin_trap();
  if (n1 != desc.bufferBytes || second) __builtin_trap();
  std::memcpy(first, w.data.data(), n1);
  PortSetSoundPan(buffer, (int32_t(w.data[0]) - 128) * 78);
  PortSetSoundVolume(buffer, -600);
  PortPlaySoundBuffer(buffer, flags);
  static std::vector<int16_t> out(2 * Block);
  for (int32_t i = 0; i < Blocks && HostSoundBufferPlaying(buffer); ++i) {
    std::fill(out.begin(), out.end(), 0);
    HostMixSound(out.data(), Block, Rate);
  }
  if (!flags && HostSoundBufferPosition(buffer) > desc.bufferBytes) __builtin_trap();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Wave wave;
  if (ParseWaveImage(data, size, wave)) {
    Check(wave);
    if (wave.data.size() > size) __builtin_trap();
    Play(wave, 0);
  }
  int32_t result = ReadWaveFileBytes(1, data, size, wave);
  if (result == 0) {
    Check(wave);
    Play(wave, DsbPlayLooping);
  } else if (!wave.format.empty() || !wave.data.empty()) {
    __builtin_trap();
  }
  return 0;
}
