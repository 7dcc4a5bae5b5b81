#pragma once
#include <cstdint>
#include <vector>

#include "game/media/feed_ring.h"
#include "game/media/sound_port.h"

struct SoftMidiStream;

// The music's streaming sound buffer, fed from the synthesizer's stream:
// 16-bit stereo at RingRate, a ring of RingFrames, about 26 ms of music
// kept beyond the device's write cursor.
constexpr int32_t RingRate = 22050;
constexpr uint32_t RingFrameBytes = 4;
constexpr uint32_t RingFrames = 32768;  // about 1.5 s
constexpr uint32_t RingLeadFrames = 576;

struct RingFeeder {
  SoundBuffer buffer;
  FeedRing ring;
  bool restart;  // lost or stopped: written again from position 0 and played
  bool lost;     // a call said DSERR_BUFFERLOST: restored at the next wake
  uint64_t fed;  // frames of music written
  std::vector<int16_t> scratch;
};

// Makes the buffer on `device` (DsOk, or the failure with no buffer made).
int32_t OpenRingFeeder(RingFeeder& feeder, SoundDevice device);
// One wake of the feeder: a lost buffer restored, a stopped one started
// again, the fresh music rendered at MusicLevel and written, the played
// stretch silenced. `elapsedBytes`: what the buffer played, by the clock,
// since the last wake.
void FeedRingOnce(RingFeeder& feeder, SoftMidiStream& stream, uint64_t elapsedBytes);
// Stops the buffer (the notes end now, not a ring later) and releases it.
void CloseRingFeeder(RingFeeder& feeder);
