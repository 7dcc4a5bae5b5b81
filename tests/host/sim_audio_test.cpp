#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "game/media/mix_levels.h"
#include "game/media/synth.h"
#include "game/shell/game_status.h"
#include "game/shell/host/host_system.h"
#include "game/shell/shared_state.h"
#include "tests/host/world_fixture.h"
#include "tools/sim/audio_measure.h"
#include "tools/sim/sim_audio.h"

namespace {
double Rms(const std::vector<int16_t>& s, double from, double to) {
  size_t a = size_t(from * 22050) * 2, b = std::min(s.size(), size_t(to * 22050) * 2);
  double sum = 0;
  for (size_t i = a; i < b; ++i) sum += double(s[i]) * s[i];
  return b > a ? std::sqrt(sum / double(b - a)) : 0;
}
}  // namespace

using SimAudio = World;

// The music plays at once, the clock decides the length, and the fade
// after the boss falls is heard.
TEST_F(SimAudio, RunSoundsLikeTheStage) {
  SimOptions options;
  options.frames = 140;
  options.audioFile = ::testing::TempDir() + "sim_audio_test.wav";
  std::vector<KeyChange> quiet;
  std::string error;
  ASSERT_TRUE(ParseKeyScript("0 fire\n1\n", quiet, error));
  SimRun run = RunSim(options, quiet, [](int64_t) {
    QuietStage();
    if (StageNumber == 0 && FrameCount == 10 && !GameStatus.ClearFlag) BossDestroyed();
  });
  EXPECT_EQ(run.audioWritten, 1);
  const std::vector<int16_t>& s = CapturedAudio();
  double seconds = s.size() / 2 / 22050.0;
  EXPECT_NEAR(seconds, HostTick() / 1000.0, 0.2);
  // Half-second windows: the quietest is the end of the fade, after which
  // the next stage's music starts at full volume.
  double full = Rms(s, 0.5, 1.5), quietest = full, last = Rms(s, seconds - 0.5, seconds);
  for (double t = 2; t + 0.5 < seconds; t += 0.5) quietest = std::min(quietest, Rms(s, t, t + 0.5));
  // The song opens at about 280 (its patches at the reference renderer's
  // levels, 10 dB down in the mix) and grows louder before the fade,
  // whose end stays near a seventh of the opening.
  EXPECT_GT(full, 250.0);
  EXPECT_LT(quietest, full / 7);
  EXPECT_GT(last, quietest * 4);
}

using StageMix = World;

// A whole stage with every effect the ship makes over its music stays
// below full scale: the mix is rounded off, never clipped. And so does
// what DirectSound makes of it on Windows, the music and the effects added
// with no limiter: the effects' loudest moment leaves room for the music
// at full scale, so no song the synthesizer keeps below full scale can make
// that sum reach it.
TEST_F(StageMix, NoStageReachesFullScale) {
  std::vector<KeyChange> keys;
  std::string error;
  ASSERT_TRUE(ParseKeyScript("0 fire M\n", keys, error)) << error;
  for (int32_t stage : {0, 1, 2}) {
    SimOptions options;
    options.stage = stage;
    options.frames = 1500;
    options.audioFile = ::testing::TempDir() + "stage_mix_test.wav";
    RunSim(options, keys);
    const std::vector<int16_t>& s = CapturedAudio();
    EXPECT_GT(s.size(), size_t(22050) * 2 * 20) << stage;
    EXPECT_EQ(FullScaleSamples(s), 0) << stage;
    EXPECT_LE(PeakSample(s), int32_t(LimiterCeiling)) << stage;
    const std::vector<float>& effects = CapturedEffects();
    EXPECT_EQ(FullScaleSamples(SummedAs16Bit(CapturedMusic(), effects)), 0) << stage;
    float loudest = 0;
    for (float e : effects) loudest = std::max(loudest, std::fabs(e));
    EXPECT_GT(loudest, 4000.0f) << stage;  // the effects were heard
    EXPECT_LT(loudest + AtMusicLevel(32767), 32767.0f) << stage;
  }
}

