// Planning the feeder's writes into a looping sound buffer.
#include "game/media/feed_ring.h"

namespace {
uint32_t Ahead(const FeedRing& r, uint32_t from, uint32_t to) { return (to + r.ringBytes - from) % r.ringBytes; }
uint32_t Whole(const FeedRing& r, uint32_t bytes) { return bytes - bytes % r.frameBytes; }
}  // namespace

FeedRing MakeFeedRing(uint32_t ringBytes, uint32_t frameBytes, uint32_t leadBytes) {
  return FeedRing{ringBytes, frameBytes, leadBytes, 0, 0};
}

FeedStep PlanFeed(FeedRing& r, uint32_t play, uint32_t safe, uint64_t elapsedBytes) {
  FeedStep step{0, 0, false};
  if (!r.ringBytes || !r.frameBytes || play >= r.ringBytes || safe >= r.ringBytes) return step;
  uint32_t guard = Ahead(r, play, safe);  // bytes the device has taken already
  uint32_t ahead = Ahead(r, play, r.writeAt);
  // The cursor ran past the audio: by the clock, by the cursors (the
  // audio's end now lies behind the cursor), or the audio's end is inside
  // the stretch the device has taken. What played meanwhile was the
  // silence written after the audio; the new audio starts at the safe cursor.
  if (elapsedBytes > r.leftAhead || ahead > r.leftAhead || ahead < guard) {
    r.writeAt = (play + Whole(r, guard + r.frameBytes - 1)) % r.ringBytes;
    ahead = Ahead(r, play, r.writeAt);
    step.resynced = true;
  }
  uint32_t target = guard + r.leadBytes;
  if (target > r.ringBytes - r.frameBytes) target = r.ringBytes - r.frameBytes;
  step.audioBytes = target > ahead ? Whole(r, target - ahead) : 0;
  step.silenceBytes = Whole(r, r.ringBytes - ahead - step.audioBytes);
  r.writeAt = (r.writeAt + step.audioBytes) % r.ringBytes;
  r.leftAhead = ahead + step.audioBytes;
  return step;
}
