// The host DirectSound: buffers in memory, mixed on request.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <memory>

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
  int32_t volume = 0;
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
  if (Switches.lost) return DsErrBufferLost;
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
  if (Switches.lost) return DsErrBufferLost;
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
  if (Switches.failRestore) return DsErrBufferLost;
  Switches.lost = 0;
  return DsOk;
}
int32_t PortSetSoundPan(SoundBuffer buffer, int32_t pan) {
  Calls.push_back(Name("pan", buffer) + " " + std::to_string(pan));
  if (HostBuffer* b = Find(buffer)) b->pan = pan;
  return DsOk;
}
int32_t PortSetSoundVolume(SoundBuffer buffer, int32_t volume) {
  Calls.push_back(Name("volume", buffer) + " " + std::to_string(volume));
  if (HostBuffer* b = Find(buffer)) b->volume = volume;
  return DsOk;
}
int32_t PortGetSoundStatus(SoundBuffer buffer, uint32_t* status) {
  HostBuffer* b = Find(buffer);
  *status = Switches.lost ? DsbStatusBufferLost : 0;
  if (b && b->playing && !Switches.lost) *status |= DsbStatusPlaying | (b->looping ? DsbStatusLooping : 0);
  return b ? DsOk : DsEFail;
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
// DirectSound's volume and pan: the whole buffer turned down by -volume,
// the far side by |pan| more, in hundredths of a dB.
void Gains(int32_t volume, int32_t pan, float& left, float& right) {
  float level = std::pow(10.0f, std::min(volume, 0) / 2000.0f);
  float down = std::pow(10.0f, -std::abs(pan) / 2000.0f);
  left = level * (pan > 0 ? down : 1.0f);
  right = level * (pan < 0 ? down : 1.0f);
}

// One sample from its place in the block: each channel holds blockAlign /
// channels bytes, read no further than that nor than the data. One byte
// is unsigned 8-bit; wider ones are signed, their top 16 bits taken (the
// low bits of 20- and 24-bit samples, the padding below 12 bits). A depth
// that does not fit the channel's bytes plays as silence.
float SampleAt(const HostBuffer& b, uint32_t frame, int channel) {
  uint32_t channels = Field16(b.format, 2), bits = Field16(b.format, 14), blockAlign = Field16(b.format, 12);
  uint32_t width = channels ? blockAlign / channels : 0;
  if (!width || !bits || bits > 8 * width) return 0;
  size_t at = size_t(frame) * blockAlign + (channel < int(channels) ? channel : 0) * width;
  if (at + width > b.bytes.size()) return 0;
  if (width == 1) return (b.bytes[at] - 128) / 128.0f;
  return int16_t(b.bytes[at + width - 2] | b.bytes[at + width - 1] << 8) / 32768.0f;
}

void MixBuffer(HostBuffer& b, float* mix, int32_t frames, int32_t rate) {
  if (b.format.size() < 18 || Field16(b.format, 0) != 1) return;  // PCM only
  uint32_t blockAlign = Field16(b.format, 12);
  uint32_t sampleRate = b.format[4] | b.format[5] << 8 | b.format[6] << 16 | uint32_t(b.format[7]) << 24;
  if (!blockAlign || !sampleRate) return;
  uint32_t total = uint32_t(b.bytes.size()) / blockAlign;
  if (!total) {  // not one whole block: nothing to play
    b.playing = false;
    return;
  }
  double step = double(sampleRate) / rate;
  float left, right;
  Gains(b.volume, b.pan, left, right);
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

void HostMixEffects(float* mix, int32_t frames, int32_t rate) {
  // Summed in the order the buffers were made, not by their addresses: at
  // a volume below 0 dB the float sum's rounding depends on the order, and
  // every front end must feed the same samples for the same game.
  std::vector<HostBuffer*> playing;
  for (auto& entry : Buffers)
    if (entry.second->playing) playing.push_back(entry.second.get());
  std::sort(playing.begin(), playing.end(),
            [](const HostBuffer* a, const HostBuffer* b) { return a->number < b->number; });
  std::vector<float> unit(size_t(frames) * 2, 0.0f);
  for (HostBuffer* b : playing) MixBuffer(*b, unit.data(), frames, rate);
  for (size_t i = 0; i < unit.size(); ++i) mix[i] += unit[i] * 32767.0f;
}

void HostMixSound(int16_t* out, int32_t frames, int32_t rate) {
  std::vector<float> mix(size_t(frames) * 2, 0.0f);
  HostMixEffects(mix.data(), frames, rate);
  for (size_t i = 0; i < mix.size(); ++i) out[i] = SoftLimit(out[i] + mix[i]);
}
