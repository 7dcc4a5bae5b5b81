#pragma once
#include <cstdint>

// The feeder of a looping sound buffer: how much fresh audio to write
// each time it wakes, kept a short lead ahead of the play cursor so that a
// pause or a volume step is heard soon, and what to do when it slept so
// long that the cursor ran past what it wrote (the ring "lapped").
struct FeedRing {
  uint32_t ringBytes;
  uint32_t frameBytes;
  uint32_t leadBytes;  // fresh audio kept beyond the safe write cursor
  uint32_t writeAt;    // end of the fresh audio
  uint32_t leftAhead;  // bytes of fresh audio ahead of the play cursor at the last feed
};

struct FeedStep {
  uint32_t audioBytes;    // fresh audio to write at writeAt
  uint32_t silenceBytes;  // then silence up to the play cursor
  bool resynced;          // the cursor had passed the audio: started over at the safe cursor
};

// A ring at its start: the first feed resynchronises.
FeedRing MakeFeedRing(uint32_t ringBytes, uint32_t frameBytes, uint32_t leadBytes);

// `play` and `safe` are the buffer's play and write cursors; `elapsedBytes`
// how much the buffer played, by the clock, since the last feed. Moves
// writeAt past the fresh audio and notes what is left ahead.
FeedStep PlanFeed(FeedRing& ring, uint32_t play, uint32_t safe, uint64_t elapsedBytes);
