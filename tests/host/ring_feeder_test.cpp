#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/media/host/host_sound.h"
#include "game/media/ring_feeder.h"
#include "game/media/soft_midi_stream.h"

namespace {
std::vector<std::string> Verbs() {
  std::vector<std::string> verbs;
  for (const std::string& call : HostSoundCalls()) verbs.push_back(call.substr(0, call.find(' ')));
  return verbs;
}

struct LossCase {
  const char* name;
  int32_t lost, failRestore;
  int32_t playFrames;  // the device plays on this long without a feed first
  std::vector<const char*> calls;
};
}  // namespace

// The music's buffer restores itself and starts again as the effects do:
// a lost buffer (or one that ran to the ring's end and stopped) is written
// again from its start and played; a restore that fails is tried again at
// the next wake, never given up.
TEST(RingFeeder, LostOrStoppedBufferStartsAgain) {
  const std::vector<const char*> again = {"stop", "position", "lock", "unlock", "lock", "unlock", "play"};
  std::vector<const char*> restored = again;
  restored.insert(restored.begin(), "restore");
  const LossCase cases[] = {
      {"playing on: music topped up, the played stretch silenced", 0, 0, 800, {"lock", "unlock", "lock", "unlock"}},
      {"lost: restored and started again", 1, 0, 800, restored},
      {"lost, not restored: waits", 1, 1, 800, {"restore"}},
      {"ran to the ring's end: started again", 0, 0, int32_t(RingFrames) + 100, again},
  };
  for (const LossCase& c : cases) {
    HostResetSound();
    static SoftMidiStream stream;
    SoftMidiInit(stream, nullptr, RingRate);
    RingFeeder feeder;
    ASSERT_EQ(OpenRingFeeder(feeder, nullptr), DsOk) << c.name;
    FeedRingOnce(feeder, stream, 0);
    ASSERT_TRUE(HostSoundBufferPlaying(feeder.buffer)) << c.name;
    std::vector<int16_t> out(size_t(c.playFrames) * 2);
    HostMixSound(out.data(), c.playFrames, RingRate);
    HostSound().lost = c.lost;
    HostSound().failRestore = c.failRestore;
    HostClearSoundCalls();
    FeedRingOnce(feeder, stream, uint64_t(c.playFrames) * RingFrameBytes);
    EXPECT_EQ(Verbs(), std::vector<std::string>(c.calls.begin(), c.calls.end())) << c.name;
    // Once the device lets it, the next wake brings the music back.
    HostSound() = HostSoundSwitches{};
    FeedRingOnce(feeder, stream, 0);
    EXPECT_TRUE(HostSoundBufferPlaying(feeder.buffer)) << c.name;
    CloseRingFeeder(feeder);
  }
  HostResetSound();
}
