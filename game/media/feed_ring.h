#pragma once
#include <cstdint>

// The feeder of a streaming sound buffer: how much fresh audio to write
// each time it wakes, kept a short lead ahead of the play cursor so that a
// pause or a volume step is heard soon, and what is left of the ring kept
// silent. The buffer loops only while its fresh audio runs on past the
// ring's end; otherwise it is told to stop there, so a feeder held up
// until the cursor has passed all it wrote leaves a gap at the ring's end,
// never a second play of what the ring held.
struct FeedRing {
  uint32_t ringBytes;
  uint32_t frameBytes;
  uint32_t leadBytes;  // fresh audio kept beyond the safe write cursor
  uint32_t writeAt;    // end of the fresh audio
  uint32_t leftAhead;  // bytes of fresh audio ahead of the play cursor at the last feed
  uint32_t playedTo;   // the play cursor at the last feed: the ring behind it is silent
  bool looping;        // what the buffer was last told
};

struct FeedStep {
  uint32_t audioFrom, audioBytes;      // fresh audio to write
  uint32_t silenceFrom, silenceBytes;  // then silence over what has played
  bool resynced;  // the cursor had passed the audio: started over at the safe cursor
  bool play;      // the buffer must be (re)started or its looping changed
  bool loop;      // with DSBPLAY_LOOPING: the fresh audio runs past the ring's end
};

// A ring at its start: the first feed resynchronises.
FeedRing MakeFeedRing(uint32_t ringBytes, uint32_t frameBytes, uint32_t leadBytes);

// `playing`: the buffer plays (it stops at the ring's end when it does not
// loop); `play` and `safe` are its play and write cursors; `elapsedBytes`
// how much it played, by the clock, since the last feed. Moves writeAt
// past the fresh audio and notes what is left ahead.
FeedStep PlanFeed(FeedRing& ring, bool playing, uint32_t play, uint32_t safe, uint64_t elapsedBytes);
