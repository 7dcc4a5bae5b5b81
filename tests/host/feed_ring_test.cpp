#include <gtest/gtest.h>

#include "game/media/feed_ring.h"

namespace {
constexpr uint32_t Ring = 16384, Frame = 4, Lead = 2304;

struct FeedCase {
  const char* name;
  uint32_t writeAt, leftAhead;  // the ring before the feed (0, 0: just opened)
  uint32_t play, safe;
  uint64_t elapsed;
  bool resynced;
  uint32_t audio, writeAfter;
};
}  // namespace

// Fresh audio ends a lead beyond the safe cursor; a cursor past the audio,
// by the clock or by the cursors, starts it over there; silence fills the
// rest of the ring up to the play cursor.
TEST(FeedRing, PlansEachFeed) {
  const FeedCase cases[] = {
      {"just opened", 0, 0, 0, 400, 0, true, Lead, 400 + Lead},
      {"steady: tops up what played", 2704, 2704, 880, 1280, 880, false, 880, 3584},
      {"not woken in time: cursor past the audio", 2704, 2704, 3000, 3400, 3000, true, Lead, 3400 + Lead},
      {"a whole lap, seen by the clock alone", 2704, 2704, 880, 1280, Ring + 880, true, Lead, 1280 + Lead},
      {"audio's end inside the device's stretch", 1000, 2704, 880, 1280, 500, true, Lead, 1280 + Lead},
      {"wraps round the end", 200, 2800, 15000, 15400, 1216, false, 1120, 1320},
      {"cursor did not move", 2704, 2704, 0, 400, 0, false, 0, 2704},
      {"cursor beyond the ring", 2704, 2704, Ring, 400, 0, false, 0, 2704},
  };
  for (const FeedCase& c : cases) {
    FeedRing ring = MakeFeedRing(Ring, Frame, Lead);
    ring.writeAt = c.writeAt, ring.leftAhead = c.leftAhead;
    FeedStep step = PlanFeed(ring, c.play, c.safe, c.elapsed);
    EXPECT_EQ(step.resynced, c.resynced) << c.name;
    EXPECT_EQ(step.audioBytes, c.audio) << c.name;
    EXPECT_EQ(ring.writeAt, c.writeAfter) << c.name;
    if (c.play >= Ring) continue;
    // Silence up to the play cursor, and never more than a lead of audio
    // beyond the safe cursor: what the game changes is heard that soon.
    uint32_t ahead = (ring.writeAt + Ring - c.play) % Ring;
    EXPECT_EQ(step.silenceBytes, Ring - ahead) << c.name;
    EXPECT_LE((ring.writeAt + Ring - c.safe) % Ring, Lead) << c.name;
    EXPECT_EQ(ring.leftAhead, ahead) << c.name;
  }
}
