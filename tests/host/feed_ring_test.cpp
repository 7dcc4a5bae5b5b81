#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "game/media/feed_ring.h"

namespace {
constexpr uint32_t Ring = 16384, Frame = 4, Lead = 2304;

struct FeedCase {
  const char* name;
  bool playing;
  uint32_t writeAt, leftAhead;  // the ring before the feed (0, 0: just opened)
  uint32_t play, safe;
  uint64_t elapsed;
  bool resynced;
  uint32_t audio, writeAfter;
  bool loop;
};
}  // namespace

// Fresh audio ends a lead beyond the safe cursor (two from rest); a cursor past the audio,
// by the clock, by the cursors or because the buffer stopped, starts it
// over there; the buffer loops only while the audio runs past the ring's
// end.
TEST(FeedRing, PlansEachFeed) {
  const FeedCase cases[] = {
      {"just opened: two leads", false, 0, 0, 0, 400, 0, true, 2 * Lead, 400 + 2 * Lead, false},
      {"steady: tops up what played", true, 2704, 2704, 880, 1280, 880, false, 880, 3584, false},
      {"not woken in time: cursor past the audio", true, 2704, 2704, 3000, 3400, 3000, true, Lead, 3400 + Lead, false},
      {"a whole lap, seen by the clock alone", true, 2704, 2704, 880, 1280, Ring + 880, true, Lead, 1280 + Lead, false},
      {"audio's end inside the device's stretch", true, 1000, 2704, 880, 1280, 500, true, Lead, 1280 + Lead, false},
      {"stopped at the ring's end", false, 2704, 2704, 0, 0, 9000, true, 2 * Lead, 2 * Lead, false},
      {"wraps round the end: loops", true, 200, 2800, 15000, 15400, 1216, false, 1120, 1320, true},
      {"cursor did not move", true, 2704, 2704, 0, 400, 0, false, 0, 2704, false},
      {"cursor beyond the ring", true, 2704, 2704, Ring, 400, 0, false, 0, 2704, false},
  };
  for (const FeedCase& c : cases) {
    FeedRing ring = MakeFeedRing(Ring, Frame, Lead);
    ring.writeAt = c.writeAt, ring.leftAhead = c.leftAhead;
    ring.playedTo = (c.writeAt + Ring - c.leftAhead) % Ring;
    uint32_t playedBefore = ring.playedTo;
    FeedStep step = PlanFeed(ring, c.playing, c.play, c.safe, c.elapsed);
    EXPECT_EQ(step.resynced, c.resynced) << c.name;
    EXPECT_EQ(step.audioBytes, c.audio) << c.name;
    EXPECT_EQ(ring.writeAt, c.writeAfter) << c.name;
    EXPECT_EQ(step.loop, c.loop) << c.name;
    if (c.play >= Ring) continue;
    EXPECT_EQ(step.audioFrom, (c.writeAfter + Ring - c.audio) % Ring) << c.name;
    // Silence over what played since the last feed, or over all the ring
    // but the fresh audio after a resync; never more than a lead of audio
    // beyond the safe cursor once playing: what the game changes is heard
    // that soon.
    uint32_t ahead = (ring.writeAt + Ring - c.play) % Ring;
    uint32_t played = (c.play + Ring - playedBefore) % Ring;
    EXPECT_EQ(step.silenceFrom, c.resynced ? ring.writeAt : playedBefore) << c.name;
    EXPECT_EQ(step.silenceBytes, c.resynced ? Ring - ahead : played) << c.name;
    EXPECT_LE((ring.writeAt + Ring - c.safe) % Ring, c.playing ? Lead : 2 * Lead) << c.name;
    EXPECT_EQ(ring.leftAhead, ahead) << c.name;
    EXPECT_EQ(step.play, !c.playing || c.loop) << c.name;
  }
}

namespace {
constexpr int32_t Rate = 22050;

// A streaming buffer as DirectSound plays it, frame by frame: at the
// ring's end it loops or stops (its cursor back at 0). Each frame of the
// ring holds the number of the music frame written there, -1 for silence.
struct PlayedRing {
  std::vector<int64_t> frames;
  uint32_t cursor = 0;
  bool playing = false, looping = false;
  std::vector<int64_t> heard;

  void Play(uint32_t n) {
    for (uint32_t i = 0; i < n; ++i) {
      heard.push_back(playing ? frames[cursor] : -1);
      if (!playing || ++cursor < frames.size()) continue;
      cursor = 0;
      playing = looping;
    }
  }
  void Write(uint32_t fromByte, uint32_t bytes, int64_t& next) {
    for (uint32_t i = 0; i < bytes / Frame; ++i)
      frames[(fromByte / Frame + i) % frames.size()] = next < 0 ? -1 : next++;
  }
};

// The feeder's wakes every 10 ms with one held up for `stall` ms: what the
// listener hears. The device's write cursor runs 20 ms ahead of its play
// cursor, as Wine's does.
std::vector<int64_t> Listen(uint32_t ringFrames, int32_t before, int32_t stall, int32_t after) {
  PlayedRing device;
  device.frames.assign(ringFrames, -1);
  FeedRing ring = MakeFeedRing(ringFrames * Frame, Frame, 576 * Frame);
  int64_t music = 0, silence = -1;
  const uint32_t guard = 441, tick = Rate / 100;
  int32_t woke = 0;
  for (int32_t ms = 0; ms < before + stall + after; ms += 10) {
    if (ms < before || ms >= before + stall) {
      if (!device.playing) device.cursor = 0;  // as the feeder sets it
      uint32_t safe = device.playing ? (device.cursor + guard) % ringFrames : device.cursor;
      uint64_t elapsed = uint64_t(ms - woke) / 10 * tick * Frame;
      woke = ms;
      FeedStep step = PlanFeed(ring, device.playing, device.cursor * Frame, safe * Frame, elapsed);
      device.Write(step.audioFrom, step.audioBytes, music);
      device.Write(step.silenceFrom, step.silenceBytes, silence);
      if (step.play) device.playing = true, device.looping = step.loop;
    }
    device.Play(tick);
  }
  return device.heard;
}

struct StallCase {
  const char* name;
  uint32_t ringFrames;
  int32_t before, stall;  // ms
  int32_t silentMs;       // heard as a gap, at least (0: none at all)
};
}  // namespace

// A feeder held up longer than the audio it wrote leaves a gap, and the
// music goes on from where it was: never a second play of what the ring
// held. Stalls of 180, 300 and 600 ms on a 190 ms ring, as the cursor is in
// the middle of it and as it crosses the ring's end; and the ring of 1.5 s
// the game uses as its cursor crosses the end.
TEST(FeedRing, StallsLeaveGapsNeverReplays) {
  const StallCase cases[] = {
      {"190 ms ring, steady", 4096, 1000, 0, 0},
      {"190 ms ring, 180 ms stall", 4096, 1000, 180, 100},
      {"190 ms ring, 300 ms stall", 4096, 1000, 300, 220},
      {"190 ms ring, 600 ms stall", 4096, 1000, 600, 520},
      {"1.5 s ring, steady across the end", 32768, 1480, 0, 0},
      {"1.5 s ring, 180 ms stall at the end", 32768, 1480, 180, 100},
      {"1.5 s ring, 300 ms stall at the end", 32768, 1480, 300, 220},
      {"1.5 s ring, 600 ms stall at the end", 32768, 1480, 600, 520},
  };
  for (const StallCase& c : cases) {
    std::vector<int64_t> heard = Listen(c.ringFrames, c.before, c.stall, 3000);
    int64_t last = -1;
    uint32_t replayed = 0, silent = 0, skipped = 0;
    for (int64_t f : heard) {
      if (f < 0) {
        silent += last >= 0;  // after the music began
      } else if (f <= last) {
        replayed++;
      } else {
        skipped += last >= 0 && f != last + 1;
        last = f;
      }
    }
    EXPECT_EQ(replayed, 0u) << c.name;
    EXPECT_EQ(skipped, 0u) << c.name;
    int32_t silentMs = int32_t(silent * 1000 / Rate);
    if (c.silentMs) EXPECT_GE(silentMs, c.silentMs) << c.name;
    else EXPECT_EQ(silentMs, 0) << c.name;
    EXPECT_GT(last, int64_t(Rate) * 3) << c.name;  // the music went on
  }
}
