// The host DirectSound: buffers in memory, mixed on request.
#include <cmath>
#include <cstring>
#include <map>
#include <memory>

#include "game/media/bitmap_port.h"
#include "game/media/host/host_sound.h"
#include "game/media/sound_port.h"
#include "game/media/synth.h"

namespace {
struct HostBuffer {
  int32_t number;
  uint32_t flags;
  std::vector<uint8_t> format;
  std::vector<uint8_t> bytes;
  uint32_t position = 0;
  double fraction = 0;
  bool playing = false;
  bool looping = false;
  int32_t pan = 0;
};
int DeviceToken;
std::map<void*, std::unique_ptr<HostBuffer>> Buffers;
std::vector<std::string> Calls;
HostSoundSwitches Switches;
int32_t NextNumber = 0;

HostBuffer* Find(void* buffer) {
  auto found = Buffers.find(buffer);
  return found == Buffers.end() ? nullptr : found->second.get();
}
std::string Name(const char* op, void* buffer) {
  HostBuffer* b = Find(buffer);
  return std::string(op) + " " + (b ? std::to_string(b->number) : "?");
}
uint16_t Field16(const std::vector<uint8_t>& f, size_t at) { return uint16_t(f[at] | f[at + 1] << 8); }
}  // namespace

const std::vector<std::string>& HostSoundCalls() { return Calls; }
void HostClearSoundCalls() { Calls.clear(); }
HostSoundSwitches& HostSound() { return Switches; }
void HostResetSound() {
  Buffers.clear();
  Calls.clear();
  Switches = HostSoundSwitches{};
  NextNumber = 0;
}
int32_t HostLiveSoundBuffers() { return int32_t(Buffers.size()); }
int32_t HostSoundBufferNumber(void* buffer) {
  HostBuffer* b = Find(buffer);
  return b ? b->number : -1;
}
const std::vector<uint8_t>& HostSoundBufferBytes(void* buffer) {
  static const std::vector<uint8_t> none;
  HostBuffer* b = Find(buffer);
  return b ? b->bytes : none;
}
uint32_t HostSoundBufferPosition(void* buffer) {
  HostBuffer* b = Find(buffer);
  return b ? b->position : 0;
}
bool HostSoundBufferPlaying(void* buffer) {
  HostBuffer* b = Find(buffer);
  return b && b->playing;
}
int32_t HostSoundBufferPan(void* buffer) {
  HostBuffer* b = Find(buffer);
  return b ? b->pan : 0;
}

int32_t PortDirectSoundCreate(SoundDevice* device) {
  Calls.push_back("create device");
  *device = Switches.failCreate ? nullptr : &DeviceToken;
  return Switches.failCreate ? DsEFail : DsOk;
}
int32_t PortSetCooperativeLevel(SoundDevice, void*) {
  Calls.push_back("cooperative");
  return Switches.failCooperative ? DsEFail : DsOk;
}
int32_t PortCreateSoundBuffer(SoundDevice, const SoundBufferDesc& desc, SoundBuffer* buffer) {
  *buffer = nullptr;
  bool primary = desc.flags & DsbCapsPrimaryBuffer;
  Calls.push_back(primary ? std::string("create primary") : "create " + std::to_string(NextNumber));
  if (Switches.failBuffers) return DsEFail;
  auto made = std::make_unique<HostBuffer>();
  made->number = primary ? -1 : NextNumber++;
  made->flags = desc.flags;
  if (desc.format) {
    size_t extra = size_t(desc.format[16] | desc.format[17] << 8);  // WAVEFORMATEX's cbSize
    made->format.assign(desc.format, desc.format + 18 + extra);
  }
  made->bytes.assign(desc.bufferBytes, 0);
  *buffer = made.get();
  Buffers[made.get()] = std::move(made);
  return DsOk;
}
int32_t PortLockSoundBuffer(SoundBuffer buffer, uint32_t offset, uint32_t bytes, void** first,
                            uint32_t* firstBytes, void** second, uint32_t* secondBytes) {
  Calls.push_back(Name("lock", buffer));
  HostBuffer* b = Find(buffer);
  *first = *second = nullptr;
  *firstBytes = *secondBytes = 0;
  if (Switches.failLock || !b || offset >= b->bytes.size() || bytes > b->bytes.size()) return DsEFail;
  uint32_t size = uint32_t(b->bytes.size());
  *first = b->bytes.data() + offset;
  *firstBytes = bytes < size - offset ? bytes : size - offset;
  if (*firstBytes < bytes) {  // wraps round to the start, as a ring buffer does
    *second = b->bytes.data();
    *secondBytes = bytes - *firstBytes;
  }
  return DsOk;
}
int32_t PortUnlockSoundBuffer(SoundBuffer buffer, void*, uint32_t, void*, uint32_t) {
  Calls.push_back(Name("unlock", buffer));
  return DsOk;
}
int32_t PortSetCurrentPosition(SoundBuffer buffer, uint32_t position) {
  Calls.push_back(Name("position", buffer) + " " + std::to_string(position));
  if (HostBuffer* b = Find(buffer)) b->position = position, b->fraction = 0;
  return DsOk;
}
int32_t PortGetCurrentPosition(SoundBuffer buffer, uint32_t* play, uint32_t* write) {
  HostBuffer* b = Find(buffer);
  *play = *write = b ? b->position : 0;
  return b ? DsOk : DsEFail;
}
int32_t PortPlaySoundBuffer(SoundBuffer buffer, uint32_t flags) {
  Calls.push_back(Name("play", buffer));
  if (Switches.lostPlays > 0) {
    Switches.lostPlays -= 1;
    return DsErrBufferLost;
  }
  if (Switches.playResult) return Switches.playResult;
  if (HostBuffer* b = Find(buffer)) b->playing = true, b->looping = flags & DsbPlayLooping;
  return DsOk;
}
int32_t PortStopSoundBuffer(SoundBuffer buffer) {
  Calls.push_back(Name("stop", buffer));
  if (HostBuffer* b = Find(buffer)) b->playing = false;
  return DsOk;
}
int32_t PortRestoreSoundBuffer(SoundBuffer buffer) {
  Calls.push_back(Name("restore", buffer));
  return Switches.failRestore ? DsErrBufferLost : DsOk;
}
int32_t PortSetSoundPan(SoundBuffer buffer, int32_t pan) {
  Calls.push_back(Name("pan", buffer) + " " + std::to_string(pan));
  if (HostBuffer* b = Find(buffer)) b->pan = pan;
  return DsOk;
}
void PortReleaseSoundBuffer(SoundBuffer buffer) {
  Calls.push_back(Name("release", buffer));
  Buffers.erase(buffer);
}
void PortAddRefSoundDevice(SoundDevice) { Calls.push_back("addref device"); }
void PortReleaseSoundDevice(SoundDevice) { Calls.push_back("release device"); }
int32_t PortFindWaveResource(const char*, std::vector<uint8_t>& bytes) {
  bytes.clear();
  return 0;  // the host program has no resources of type "WAV"
}

namespace {
// DirectSound's pan: the far side is turned down by |pan| hundredths of a dB.
void PanGains(int32_t pan, float& left, float& right) {
  float down = std::pow(10.0f, -std::abs(pan) / 2000.0f);
  left = pan > 0 ? down : 1.0f;
  right = pan < 0 ? down : 1.0f;
}

float SampleAt(const HostBuffer& b, uint32_t frame, int channel) {
  uint16_t channels = Field16(b.format, 2), bits = Field16(b.format, 14);
  if (channels == 0) return 0;
  uint32_t bytesPerSample = bits / 8;
  size_t at = (size_t(frame) * channels + (channel < channels ? channel : 0)) * bytesPerSample;
  if (at + bytesPerSample > b.bytes.size()) return 0;
  if (bits == 8) return (b.bytes[at] - 128) / 128.0f;
  return int16_t(b.bytes[at] | b.bytes[at + 1] << 8) / 32768.0f;
}

void MixBuffer(HostBuffer& b, float* mix, int32_t frames, int32_t rate) {
  if (b.format.size() < 18 || Field16(b.format, 0) != 1) return;  // PCM only
  uint32_t blockAlign = Field16(b.format, 12);
  uint32_t sampleRate = b.format[4] | b.format[5] << 8 | b.format[6] << 16 | uint32_t(b.format[7]) << 24;
  if (!blockAlign || !sampleRate) return;
  uint32_t total = uint32_t(b.bytes.size()) / blockAlign;
  double step = double(sampleRate) / rate;
  float left, right;
  PanGains(b.pan, left, right);
  uint32_t frame = b.position / blockAlign;
  double fraction = b.fraction;
  for (int32_t i = 0; i < frames && b.playing; ++i) {
    mix[2 * i] += SampleAt(b, frame, 0) * left;
    mix[2 * i + 1] += SampleAt(b, frame, 1) * right;
    fraction += step;
    frame += uint32_t(fraction);
    fraction -= std::floor(fraction);
    if (frame >= total) {
      if (b.looping) frame %= total;
      else b.playing = false, frame = 0;
    }
  }
  b.position = frame * blockAlign;
  b.fraction = fraction;
}
}  // namespace

void HostMixSound(int16_t* out, int32_t frames, int32_t rate) {
  std::vector<float> mix(size_t(frames) * 2, 0.0f);
  for (auto& entry : Buffers)
    if (entry.second->playing) MixBuffer(*entry.second, mix.data(), frames, rate);
  for (size_t i = 0; i < mix.size(); ++i) out[i] = SoftLimit(out[i] + mix[i] * 32767.0f);
}
