// The synthesizer's stream fed into a looping DirectSound buffer.
#include "game/media/win32/synth_back_end.h"

#include <windows.h>

#include <atomic>
#include <thread>
#include <vector>

#include "game/media/sound_bank.h"
#include "game/media/sound_port.h"
#include "game/media/soft_midi_stream.h"

struct SynthBackEnd {
  SoftMidiStream stream;
  SoundDevice device;
  bool ownDevice;
  SoundBuffer buffer;
  std::thread feeder;
  std::atomic<bool> running;
  std::atomic<uint64_t> fed;
  uint32_t writeAt;  // next byte of the ring to fill
};

namespace {
constexpr int32_t Rate = 22050;
constexpr uint32_t FrameBytes = 4;  // 16-bit stereo
constexpr uint32_t RingFrames = 4096;  // about 190 ms
constexpr uint32_t RingBytes = RingFrames * FrameBytes;
std::atomic<SynthBackEnd*> Active{nullptr};

// WAVEFORMATEX of the ring: PCM, 2 channels, 22050 Hz, 16 bits.
void RingFormat(uint8_t (&f)[18]) {
  const uint32_t rate = Rate, average = Rate * FrameBytes;
  const uint8_t bytes[18] = {1, 0, 2, 0,
                             uint8_t(rate), uint8_t(rate >> 8), uint8_t(rate >> 16), 0,
                             uint8_t(average), uint8_t(average >> 8), uint8_t(average >> 16), 0,
                             4, 0, 16, 0, 0, 0};
  for (int i = 0; i < 18; ++i) f[i] = bytes[i];
}

// Fills the part of the ring that has been played since the last fill.
void Feed(SynthBackEnd& b, std::vector<int16_t>& scratch) {
  uint32_t play = 0, write = 0;
  if (PortGetCurrentPosition(b.buffer, &play, &write) != DsOk) return;
  // Stay clear of the stretch between the play and write cursors.
  uint32_t limit = play;
  uint32_t room = (limit + RingBytes - b.writeAt) % RingBytes;
  room -= room % FrameBytes;
  if (room < 256 * FrameBytes) return;
  uint32_t frames = room / FrameBytes;
  scratch.assign(size_t(frames) * 2, 0);
  SoftMidiRender(b.stream, scratch.data(), int32_t(frames));
  void* first = nullptr;
  void* second = nullptr;
  uint32_t n1 = 0, n2 = 0;
  if (PortLockSoundBuffer(b.buffer, b.writeAt, room, &first, &n1, &second, &n2) != DsOk) return;
  const uint8_t* from = reinterpret_cast<const uint8_t*>(scratch.data());
  if (first) CopyMemory(first, from, n1);
  if (second) CopyMemory(second, from + n1, n2);
  PortUnlockSoundBuffer(b.buffer, first, n1, second, n2);
  b.writeAt = (b.writeAt + room) % RingBytes;
  b.fed += frames;
}

void FeedLoop(SynthBackEnd* b) {
  std::vector<int16_t> scratch;
  while (b->running.load()) {
    Feed(*b, scratch);
    Sleep(10);
  }
}

SoundDevice DeviceForMusic(bool& own) {
  own = false;
  if (SoundBank.device) return SoundBank.device;
  SoundDevice device = nullptr;
  if (PortDirectSoundCreate(&device) != DsOk || !device) return nullptr;
  if (PortSetCooperativeLevel(device, GetDesktopWindow()) != DsOk) {
    PortReleaseSoundDevice(device);
    return nullptr;
  }
  own = true;
  return device;
}
}  // namespace

SynthBackEnd* OpenSynthBackEnd(MidiCallback callback) {
  SynthBackEnd* b = new SynthBackEnd{};
  SoftMidiInit(b->stream, callback, Rate);
  b->device = DeviceForMusic(b->ownDevice);
  uint8_t format[18];
  RingFormat(format);
  SoundBufferDesc desc{20, DsbCapsGetCurrentPosition2 | DsbCapsGlobalFocus | DsbCapsCtrlVolume,
                       RingBytes, format};
  if (!b->device || PortCreateSoundBuffer(b->device, desc, &b->buffer) != DsOk) {
    if (b->ownDevice) PortReleaseSoundDevice(b->device);
    delete b;
    return nullptr;
  }
  // Silence first, then the ring runs for the life of the stream.
  std::vector<int16_t> silence(RingFrames * 2, 0);
  void* first = nullptr;
  void* second = nullptr;
  uint32_t n1 = 0, n2 = 0;
  if (PortLockSoundBuffer(b->buffer, 0, RingBytes, &first, &n1, &second, &n2) == DsOk) {
    if (first) ZeroMemory(first, n1);
    if (second) ZeroMemory(second, n2);
    PortUnlockSoundBuffer(b->buffer, first, n1, second, n2);
  }
  PortPlaySoundBuffer(b->buffer, DsbPlayLooping);
  b->running = true;
  b->feeder = std::thread(FeedLoop, b);
  Active = b;
  return b;
}

SoftMidiStream& SynthBackEndStream(SynthBackEnd* b) { return b->stream; }

void CloseSynthBackEnd(SynthBackEnd* b) {
  if (!b) return;
  SynthBackEnd* expected = b;
  Active.compare_exchange_strong(expected, nullptr);
  b->running = false;
  b->feeder.join();
  PortStopSoundBuffer(b->buffer);  // the notes stop now, not a ring later
  PortReleaseSoundBuffer(b->buffer);
  if (b->ownDevice) PortReleaseSoundDevice(b->device);
  delete b;
}

SynthBackEnd* ActiveSynthBackEnd() { return Active.load(); }
uint32_t SynthBackEndPlayCursor(SynthBackEnd* b) {
  uint32_t play = 0, write = 0;
  PortGetCurrentPosition(b->buffer, &play, &write);
  return play;
}
uint64_t SynthBackEndFramesFed(SynthBackEnd* b) { return b->fed.load(); }
uint64_t SynthBackEndTicks(SynthBackEnd* b) { return SoftMidiTicks(b->stream); }
