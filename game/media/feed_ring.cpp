// Planning the feeder's writes into a streaming sound buffer.
#include "game/media/feed_ring.h"

namespace {
uint32_t Ahead(const FeedRing& r, uint32_t from, uint32_t to) { return (to + r.ringBytes - from) % r.ringBytes; }
uint32_t Whole(const FeedRing& r, uint32_t bytes) { return bytes - bytes % r.frameBytes; }
}  // namespace

FeedRing MakeFeedRing(uint32_t ringBytes, uint32_t frameBytes, uint32_t leadBytes) {
  return FeedRing{ringBytes, frameBytes, leadBytes, 0, 0, 0, false};
}

FeedStep PlanFeed(FeedRing& r, bool playing, uint32_t play, uint32_t safe, uint64_t elapsedBytes) {
  FeedStep step{0, 0, 0, 0, false, false, false};
  if (!r.ringBytes || !r.frameBytes || play >= r.ringBytes || safe >= r.ringBytes) return step;
  uint32_t guard = Ahead(r, play, safe);  // bytes the device has taken already
  uint32_t ahead = Ahead(r, play, r.writeAt);
  // The cursor ran past the audio: the buffer stopped at the ring's end (or
  // never started), or by the clock, or by the cursors (the audio's end
  // now lies behind the cursor or inside the stretch the device has
  // taken). What played meanwhile was silence; the new audio starts at the
  // safe cursor and everything else in the ring is silenced.
  if (!playing || elapsedBytes > r.leftAhead || ahead > r.leftAhead || ahead < guard) {
    r.writeAt = (play + Whole(r, guard + r.frameBytes - 1)) % r.ringBytes;
    ahead = Ahead(r, play, r.writeAt);
    step.resynced = true;
  }
  // A buffer starting from rest has not yet shown how far ahead its device
  // takes the audio: it gets a second lead for that.
  uint32_t target = guard + r.leadBytes + (playing ? 0 : r.leadBytes);
  if (target > r.ringBytes - r.frameBytes) target = r.ringBytes - r.frameBytes;
  step.audioFrom = r.writeAt;
  step.audioBytes = target > ahead ? Whole(r, target - ahead) : 0;
  r.writeAt = (r.writeAt + step.audioBytes) % r.ringBytes;
  r.leftAhead = ahead + step.audioBytes;
  // Silence over the stretch played since the last feed, or over the
  // whole ring outside the fresh audio after a resync.
  step.silenceFrom = step.resynced ? r.writeAt : r.playedTo;
  step.silenceBytes = step.resynced ? r.ringBytes - r.leftAhead : Whole(r, Ahead(r, r.playedTo, play));
  r.playedTo = play;
  step.loop = play + r.leftAhead > r.ringBytes;
  step.play = !playing || step.loop != r.looping;
  r.looping = step.loop;
  return step;
}
