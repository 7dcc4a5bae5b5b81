// The synthesizer's stream fed into a DirectSound streaming buffer by a thread of its own.
#include "game/media/win32/synth_back_end.h"

#include <windows.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "game/media/ring_feeder.h"
#include "game/media/sound_bank.h"
#include "game/media/sound_port.h"
#include "game/media/soft_midi_stream.h"

struct SynthBackEnd {
  SoftMidiStream stream;
  SoundDevice device;  // a reference of our own: the sound bank may go first
  RingFeeder feeder;
  std::thread thread;
  std::atomic<bool> running;
  std::atomic<uint64_t> fed;
};

namespace {
// The feeder wakes every 10 ms: with its 26 ms lead, a pause or a fade step
// is heard within 50 ms.
constexpr DWORD FeedMilliseconds = 10;
std::atomic<SynthBackEnd*> Active{nullptr};

void FeedLoop(SynthBackEnd* b) {
  auto last = std::chrono::steady_clock::now();
  while (b->running.load()) {
    auto now = std::chrono::steady_clock::now();
    auto micros = std::chrono::duration_cast<std::chrono::microseconds>(now - last).count();
    last = now;
    FeedRingOnce(b->feeder, b->stream, uint64_t(micros) * RingRate / 1000000 * RingFrameBytes);
    b->fed = b->feeder.fed;
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
  SoftMidiInit(b->stream, callback, RingRate);
  b->device = DeviceForMusic();
  if (!b->device || OpenRingFeeder(b->feeder, b->device) != DsOk) {
    if (b->device) PortReleaseSoundDevice(b->device);
    delete b;
    return nullptr;
  }
  FeedRingOnce(b->feeder, b->stream, 0);  // silence and a lead, then the ring plays
  b->running = true;
  b->thread = std::thread(FeedLoop, b);
  Active = b;
  return b;
}

SoftMidiStream& SynthBackEndStream(SynthBackEnd* b) { return b->stream; }

void CloseSynthBackEnd(SynthBackEnd* b) {
  if (!b) return;
  SynthBackEnd* expected = b;
  Active.compare_exchange_strong(expected, nullptr);
  b->running = false;
  b->thread.join();
  CloseRingFeeder(b->feeder);
  PortReleaseSoundDevice(b->device);
  delete b;
}

SynthBackEnd* ActiveSynthBackEnd() { return Active.load(); }
uint32_t SynthBackEndPlayCursor(SynthBackEnd* b) {
  uint32_t play = 0, write = 0;
  PortGetCurrentPosition(b->feeder.buffer, &play, &write);
  return play;
}
uint64_t SynthBackEndFramesFed(SynthBackEnd* b) { return b->fed.load(); }
uint64_t SynthBackEndTicks(SynthBackEnd* b) { return SoftMidiTicks(b->stream); }
