// The eleven sound effects, each in one static DirectSound buffer.
#include "game/media/sound_bank.h"

#include <cstring>

#include "game/media/bitmap_port.h"
#include "game/media/mix_levels.h"
#include "game/media/wave_file.h"

const char* const SoundFiles[SoundCount] = {
    "boon.wav",  "bon.wav",   "Kin.wav",   "kin2.wav",  "damege.wav", "shot1.wav",
    "shot2.wav", "shot3.wav", "shot4.wav", "shot5.wav", "flash.wav",
};
SoundBankState SoundBank;
int32_t SoundDisabled = 0;
int32_t SoundRequests[SoundCount];

namespace {
constexpr uint32_t EffectBufferFlags = DsbCapsStatic | DsbCapsCtrlFrequency | DsbCapsCtrlPan |
                                       DsbCapsCtrlVolume | DsbCapsGetCurrentPosition2;
// No effect file comes near this; a bigger one is not a sound of ours.
constexpr size_t WaveFileLimit = 16u << 20;

// The resource first, then the file in the current folder.
int32_t LoadWave(const char* name, Wave& wave) {
  std::vector<uint8_t> bytes;
  if (PortFindWaveResource(name, bytes) && ParseWaveImage(bytes.data(), bytes.size(), wave))
    return 1;
  int32_t opened = PortReadDataFile(name, WaveFileLimit, bytes);
  return ReadWaveFileBytes(opened, bytes.data(), bytes.size(), wave) == 0;
}

int32_t FillBuffer(SoundBuffer buffer, const std::vector<uint8_t>& data) {
  void* first = nullptr;
  void* second = nullptr;
  uint32_t firstBytes = 0, secondBytes = 0;
  uint32_t size = uint32_t(data.size());
  if (PortLockSoundBuffer(buffer, 0, size, &first, &firstBytes, &second, &secondBytes) != DsOk)
    return 0;
  if (firstBytes > size) firstBytes = size;
  if (secondBytes > size - firstBytes) secondBytes = size - firstBytes;
  if (first) std::memcpy(first, data.data(), firstBytes);
  if (second) std::memcpy(second, data.data() + firstBytes, secondBytes);
  PortUnlockSoundBuffer(buffer, first, firstBytes, second, secondBytes);
  return 1;
}

int32_t StartFromTop(SoundBuffer buffer) {
  PortSetCurrentPosition(buffer, 0);
  return PortPlaySoundBuffer(buffer, 0);
}

int32_t ClampPan(int32_t pan) { return pan < -10000 ? -10000 : pan > 10000 ? 10000 : pan; }
}  // namespace

SoundBuffer CreateSoundFromWave(SoundDevice device, const char* name) {
  Wave wave;
  // An empty data chunk cannot make a DirectSound buffer.
  if (!LoadWave(name, wave) || wave.data.empty()) return nullptr;
  SoundBufferDesc desc{20, EffectBufferFlags, uint32_t(wave.data.size()), wave.format.data()};
  SoundBuffer buffer = nullptr;
  if (PortCreateSoundBuffer(device, desc, &buffer) != DsOk || !buffer) return nullptr;
  if (!FillBuffer(buffer, wave.data)) {
    PortReleaseSoundBuffer(buffer);
    return nullptr;
  }
  PortSetSoundVolume(buffer, EffectVolume);  // room for the music beside it (a failure is harmless)
  return buffer;
}

int32_t ReloadSoundFromWave(SoundBuffer buffer, const char* name) {
  Wave wave;
  if (!LoadWave(name, wave) || wave.data.empty()) return 0;
  if (PortRestoreSoundBuffer(buffer) < 0) return 0;
  return FillBuffer(buffer, wave.data);
}

int32_t InitSound(void* window) {
  if (!SoundBank.device) {
    SoundDevice device = nullptr;
    if (PortDirectSoundCreate(&device) != DsOk || !device) {
      SoundDisabled = 1;
    } else if (PortSetCooperativeLevel(device, window) != DsOk) {
      SoundDisabled = 1;
      PortReleaseSoundDevice(device);
    } else {
      SoundBank.device = device;
    }
    if (!SoundBank.device) return 0;
  }
  for (int32_t id = 0; id < SoundCount; ++id) {
    if (SoundBank.buffers[id] || !SoundFiles[id][0]) continue;
    SoundBank.buffers[id] = CreateSoundFromWave(SoundBank.device, SoundFiles[id]);
    SoundBank.pans[id] = 0;
  }
  // Asking for the primary buffer once wakes some drivers up; it is not kept.
  SoundBufferDesc primary{20, DsbCapsPrimaryBuffer, 0, nullptr};
  SoundBuffer buffer = nullptr;
  if (PortCreateSoundBuffer(SoundBank.device, primary, &buffer) == DsOk && buffer)
    PortReleaseSoundBuffer(buffer);
  return 1;
}

int32_t PlaySound(int32_t id, int32_t pan, int32_t) {
  if (id < 0 || id >= SoundCount) return 0;
  SoundRequests[id] += 1;
  SoundBuffer buffer = SoundBank.buffers[id];
  if (!SoundBank.device || !buffer || SoundDisabled) return 0;
  // The pan changes rarely between two plays of one effect: set it only then.
  pan = ClampPan(pan);
  if (pan != SoundBank.pans[id] && PortSetSoundPan(buffer, pan) == DsOk) SoundBank.pans[id] = pan;
  int32_t result = StartFromTop(buffer);
  if (result == DsErrBufferLost) {
    if (PortRestoreSoundBuffer(buffer) != DsOk) {
      SoundDisabled = 1;
      return 0;
    }
    result = ReloadSoundFromWave(buffer, SoundFiles[id]) ? StartFromTop(buffer) : DsEFail;
  }
  if (result != DsOk) SoundDisabled = 1;
  return result == DsOk;
}

void ReleaseSound() {
  for (int32_t id = 0; id < SoundCount; ++id) {
    if (SoundBank.buffers[id]) PortReleaseSoundBuffer(SoundBank.buffers[id]);
    SoundBank.buffers[id] = nullptr;
    SoundBank.pans[id] = 0;
  }
  if (SoundBank.device) PortReleaseSoundDevice(SoundBank.device);
  SoundBank.device = nullptr;
}
