// The synthesizer's stream fed into a looping DirectSound buffer.
#include "game/media/win32/synth_back_end.h"

#include <windows.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "game/media/feed_ring.h"
#include "game/media/sound_bank.h"
#include "game/media/sound_port.h"
#include "game/media/soft_midi_stream.h"

struct SynthBackEnd {
  SoftMidiStream stream;
  SoundDevice device;  // a reference of our own: the sound bank may go first
  SoundBuffer buffer;
  std::thread feeder;
  std::atomic<bool> running;
  std::atomic<uint64_t> fed;
  FeedRing ring;
};

namespace {
constexpr int32_t Rate = 22050;
constexpr uint32_t FrameBytes = 4;  // 16-bit stereo
constexpr uint32_t RingFrames = 4096;  // about 190 ms
constexpr uint32_t RingBytes = RingFrames * FrameBytes;
// Fresh audio beyond the device's write cursor: about 26 ms, so that with
// the feeder's 10 ms sleep a pause or a fade step is heard within 50 ms.
constexpr uint32_t LeadFrames = 576;
constexpr DWORD FeedMilliseconds = 10;
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

// Tops the fresh audio up to its lead and silences the rest of the ring,
// so that a feeder held up for longer than the lead is heard as a gap,
// never as stale audio played again.
void Feed(SynthBackEnd& b, std::vector<int16_t>& scratch, uint64_t elapsedBytes) {
  uint32_t play = 0, write = 0;
  if (PortGetCurrentPosition(b.buffer, &play, &write) != DsOk) return;
  FeedRing planned = b.ring;
  FeedStep step = PlanFeed(planned, play % RingBytes, write % RingBytes, elapsedBytes);
  uint32_t bytes = step.audioBytes + step.silenceBytes;
  if (!bytes) return;
  uint32_t frames = step.audioBytes / FrameBytes;
  scratch.assign(size_t(bytes / 2), 0);
  if (frames) SoftMidiRender(b.stream, scratch.data(), int32_t(frames));
  void* first = nullptr;
  void* second = nullptr;
  uint32_t n1 = 0, n2 = 0;
  uint32_t from = (planned.writeAt + RingBytes - step.audioBytes) % RingBytes;
  if (PortLockSoundBuffer(b.buffer, from, bytes, &first, &n1, &second, &n2) != DsOk) return;
  const uint8_t* source = reinterpret_cast<const uint8_t*>(scratch.data());
  if (first) CopyMemory(first, source, n1);
  if (second) CopyMemory(second, source + n1, n2);
  PortUnlockSoundBuffer(b.buffer, first, n1, second, n2);
  b.ring = planned;
  b.fed += frames;
}

void FeedLoop(SynthBackEnd* b) {
  std::vector<int16_t> scratch;
  auto last = std::chrono::steady_clock::now();
  while (b->running.load()) {
    auto now = std::chrono::steady_clock::now();
    auto micros = std::chrono::duration_cast<std::chrono::microseconds>(now - last).count();
    last = now;
    Feed(*b, scratch, uint64_t(micros) * Rate / 1000000 * FrameBytes);
    Sleep(FeedMilliseconds);
  }
}

// The sound bank's device with a reference of our own, or a device of our
// own: either way released by CloseSynthBackEnd alone, so the forced end
// of the game thread may release the bank while the feeder still plays.
SoundDevice DeviceForMusic() {
  if (SoundBank.device) {
    PortAddRefSoundDevice(SoundBank.device);
    return SoundBank.device;
  }
  SoundDevice device = nullptr;
  if (PortDirectSoundCreate(&device) != DsOk || !device) return nullptr;
  if (PortSetCooperativeLevel(device, GetDesktopWindow()) != DsOk) {
    PortReleaseSoundDevice(device);
    return nullptr;
  }
  return device;
}
}  // namespace

SynthBackEnd* OpenSynthBackEnd(MidiCallback callback) {
  SynthBackEnd* b = new SynthBackEnd{};
  SoftMidiInit(b->stream, callback, Rate);
  b->device = DeviceForMusic();
  b->ring = MakeFeedRing(RingBytes, FrameBytes, LeadFrames * FrameBytes);
  uint8_t format[18];
  RingFormat(format);
  SoundBufferDesc desc{20, DsbCapsGetCurrentPosition2 | DsbCapsGlobalFocus | DsbCapsCtrlVolume,
                       RingBytes, format};
  if (!b->device || PortCreateSoundBuffer(b->device, desc, &b->buffer) != DsOk) {
    if (b->device) PortReleaseSoundDevice(b->device);
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
  PortReleaseSoundDevice(b->device);
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
