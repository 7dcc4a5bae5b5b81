// The music's streaming sound buffer and the work of each feed.
#include "game/media/ring_feeder.h"

#include <cstring>

#include "game/media/mix_levels.h"
#include "game/media/soft_midi_stream.h"

namespace {
constexpr uint32_t RingBytes = RingFrames * RingFrameBytes;

// WAVEFORMATEX of the ring: PCM, 2 channels, 22050 Hz, 16 bits.
void RingFormat(uint8_t (&f)[18]) {
  const uint32_t rate = RingRate, average = RingRate * RingFrameBytes;
  const uint8_t bytes[18] = {1, 0, 2, 0,
                             uint8_t(rate), uint8_t(rate >> 8), uint8_t(rate >> 16), 0,
                             uint8_t(average), uint8_t(average >> 8), uint8_t(average >> 16), 0,
                             4, 0, 16, 0, 0, 0};
  std::memcpy(f, bytes, sizeof bytes);
}

// Copies `bytes` of `source` (silence when null) into the ring at `at`.
int32_t Write(SoundBuffer buffer, uint32_t at, uint32_t bytes, const uint8_t* source) {
  if (!bytes) return DsOk;
  void* first = nullptr;
  void* second = nullptr;
  uint32_t n1 = 0, n2 = 0;
  int32_t result = PortLockSoundBuffer(buffer, at, bytes, &first, &n1, &second, &n2);
  if (result != DsOk) return result;
  if (n1 > bytes) n1 = bytes;
  if (n2 > bytes - n1) n2 = bytes - n1;
  if (first) source ? std::memcpy(first, source, n1) : std::memset(first, 0, n1);
  if (second) source ? std::memcpy(second, source + n1, n2) : std::memset(second, 0, n2);
  return PortUnlockSoundBuffer(buffer, first, n1, second, n2);
}

// Where the cursors stand; a lost buffer is restored first, and a lost or
// stopped one is written again from position 0 (false: not this time).
bool Cursors(RingFeeder& f, bool& playing, uint32_t& play, uint32_t& safe) {
  uint32_t status = 0;
  if (PortGetSoundStatus(f.buffer, &status) != DsOk) return false;
  if ((status & DsbStatusBufferLost) || f.lost) {
    if (PortRestoreSoundBuffer(f.buffer) != DsOk) return false;  // another try at the next wake
    f.lost = false;
    f.restart = true;
  }
  if (!(status & DsbStatusPlaying)) f.restart = true;
  if (f.restart) {
    PortStopSoundBuffer(f.buffer);
    PortSetCurrentPosition(f.buffer, 0);
    f.ring = MakeFeedRing(RingBytes, RingFrameBytes, RingLeadFrames * RingFrameBytes);
    playing = false, play = safe = 0;
    return true;
  }
  playing = true;
  return PortGetCurrentPosition(f.buffer, &play, &safe) == DsOk;
}
}  // namespace

int32_t OpenRingFeeder(RingFeeder& f, SoundDevice device) {
  uint8_t format[18];
  RingFormat(format);
  SoundBufferDesc desc{20, DsbCapsGetCurrentPosition2 | DsbCapsGlobalFocus | DsbCapsCtrlVolume,
                       RingBytes, format};
  f.buffer = nullptr;
  f.restart = true;
  f.lost = false;
  f.fed = 0;
  f.ring = MakeFeedRing(RingBytes, RingFrameBytes, RingLeadFrames * RingFrameBytes);
  int32_t result = PortCreateSoundBuffer(device, desc, &f.buffer);
  if (result == DsOk && !f.buffer) result = DsEFail;
  return result;
}

void FeedRingOnce(RingFeeder& f, SoftMidiStream& stream, uint64_t elapsedBytes) {
  bool playing = false;
  uint32_t play = 0, safe = 0;
  if (!Cursors(f, playing, play, safe)) return;
  FeedRing planned = f.ring;
  FeedStep step = PlanFeed(planned, playing, play % RingBytes, safe % RingBytes, elapsedBytes);
  uint32_t frames = step.audioBytes / RingFrameBytes;
  f.scratch.assign(size_t(frames) * 2, 0);
  if (frames) SoftMidiRender(stream, f.scratch.data(), int32_t(frames));
  for (int16_t& s : f.scratch) s = AtMusicLevel(s);
  const uint8_t* audio = reinterpret_cast<const uint8_t*>(f.scratch.data());
  int32_t result = Write(f.buffer, step.audioFrom, step.audioBytes, audio);
  if (result == DsOk) result = Write(f.buffer, step.silenceFrom, step.silenceBytes, nullptr);
  if (result == DsOk && step.play) result = PortPlaySoundBuffer(f.buffer, step.loop ? DsbPlayLooping : 0);
  if (result == DsErrBufferLost) f.lost = true;  // the next wake restores it
  if (result != DsOk) return;
  f.ring = planned;
  f.restart = false;
  f.fed += frames;
}

void CloseRingFeeder(RingFeeder& f) {
  if (!f.buffer) return;
  PortStopSoundBuffer(f.buffer);
  PortReleaseSoundBuffer(f.buffer);
  f.buffer = nullptr;
}
