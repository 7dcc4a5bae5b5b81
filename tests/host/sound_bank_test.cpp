#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>

#include "game/media/host/host_display.h"
#include "game/media/host/host_sound.h"
#include "game/media/sound_bank.h"
#include "tests/host/audio_fixture.h"
#include "tests/host/world_fixture.h"
#include "tools/sim/sim_audio.h"

namespace {
class Sound : public World {
 protected:
  int Count(const std::string& call) {
    const auto& calls = HostSoundCalls();
    return int(std::count(calls.begin(), calls.end(), call));
  }
  // A data folder of our own with the effects `present` as tiny waves.
  void UseFolder(const std::vector<int32_t>& present, std::vector<uint8_t> image = {}) {
    folder = ::testing::TempDir() + "sound_bank_" + std::to_string(present.size());
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    ASSERT_FALSE(error) << folder;
    if (image.empty())
      image = Riff("WAVE", {Chunk("fmt ", FormatBody(1)), Chunk("data", {1, 2, 3, 4, 5, 6, 7, 8})});
    for (int32_t id = 0; id < SoundCount; ++id) std::remove((folder + "/" + SoundFiles[id]).c_str());
    for (int32_t id : present) ASSERT_TRUE(WriteFile(folder + "/" + SoundFiles[id], image));
    HostSetDataDir(folder);
  }
  std::string folder;
};
}  // namespace

TEST_F(Sound, StartUpMakesElevenBuffersFromTheBuildsData) {
  ASSERT_EQ(InitSound(nullptr), 1);
  EXPECT_EQ(SoundDisabled, 0);
  for (int32_t id = 0; id < SoundCount; ++id) {
    ASSERT_NE(SoundBank.buffers[id], nullptr) << SoundFiles[id];
    EXPECT_GT(HostSoundBufferBytes(SoundBank.buffers[id]).size(), 1000u) << SoundFiles[id];
  }
  EXPECT_EQ(Count("create primary"), 1);
  EXPECT_EQ(HostLiveSoundBuffers(), SoundCount);  // the primary is let go at once
  ReleaseSound();
  EXPECT_EQ(HostLiveSoundBuffers(), 0);
  EXPECT_EQ(Count("release device"), 1);
}

TEST_F(Sound, StartUpFailures) {
  struct Case {
    const char* name;
    int32_t failCreate, failCooperative;
    int32_t result;
    int32_t deviceReleases;
  };
  const Case cases[] = {
      {"no device", 1, 0, 0, 0},
      {"cooperative level refused", 0, 1, 0, 1},
      {"all well", 0, 0, 1, 0},
  };
  for (const Case& c : cases) {
    ResetAudio();
    HostSound().failCreate = c.failCreate;
    HostSound().failCooperative = c.failCooperative;
    EXPECT_EQ(InitSound(nullptr), c.result) << c.name;
    EXPECT_EQ(SoundDisabled, 1 - c.result) << c.name;
    EXPECT_EQ(Count("release device"), c.deviceReleases) << c.name;
    EXPECT_EQ(PlaySound(SoundKin, 0, 0), c.result) << c.name;
  }
}

TEST_F(Sound, MissingFileLeavesItsEffectSilentOnly) {
  UseFolder({SoundBoon, SoundKin});
  ASSERT_EQ(InitSound(nullptr), 1);
  EXPECT_EQ(SoundBank.buffers[SoundKin2], nullptr);
  EXPECT_EQ(PlaySound(SoundKin2, 0, 0), 0);
  EXPECT_EQ(SoundDisabled, 0);
  EXPECT_EQ(PlaySound(SoundKin, 0, 0), 1);
}

TEST_F(Sound, DataBeforeFormatLoadsFromAFile) {
  UseFolder({SoundFlash}, Riff("WAVE", {Chunk("data", {9, 8, 7, 6}), Chunk("fmt ", FormatBody(1))}));
  ASSERT_EQ(InitSound(nullptr), 1);
  ASSERT_NE(SoundBank.buffers[SoundFlash], nullptr);
  EXPECT_EQ(HostSoundBufferBytes(SoundBank.buffers[SoundFlash]), (std::vector<uint8_t>{9, 8, 7, 6}));
}

TEST_F(Sound, NonPcmTagWithExtraSizeZeroLoads) {
  UseFolder({SoundShot1}, Riff("WAVE", {Chunk("fmt ", FormatBody(3, 0)), Chunk("data", {1, 2})}));
  ASSERT_EQ(InitSound(nullptr), 1);
  EXPECT_NE(SoundBank.buffers[SoundShot1], nullptr);
}

// One buffer per effect: asked again, it starts over instead of overlapping.
TEST_F(Sound, SecondPlayRestartsFromTheStart) {
  ASSERT_EQ(InitSound(nullptr), 1);
  SoundBuffer kin = SoundBank.buffers[SoundKin];
  int32_t n = HostSoundBufferNumber(kin);
  ASSERT_EQ(PlaySound(SoundKin, 0, 0), 1);
  std::vector<int16_t> frame(2 * 1323, 0);
  HostMixSound(frame.data(), 1323, 22050);  // one frame of play
  EXPECT_GT(HostSoundBufferPosition(kin), 0u);
  HostClearSoundCalls();
  ASSERT_EQ(PlaySound(SoundKin, 0, 0), 1);
  EXPECT_EQ(HostSoundCalls(), (std::vector<std::string>{"position " + std::to_string(n) + " 0",
                                                          "play " + std::to_string(n)}));
  EXPECT_EQ(HostSoundBufferPosition(kin), 0u);
}

TEST_F(Sound, PlayFailuresSwitchTheBankOff) {
  struct Case {
    const char* name;
    int32_t playResult, lostPlays, failRestore;
    int32_t played;
    std::vector<const char*> calls;  // after the position call
  };
  const Case cases[] = {
      {"plays", 0, 0, 0, 1, {"play"}},
      {"play fails", int32_t(0x88780032u), 0, 0, 0, {"play"}},
      {"lost, restored, reloaded", 0, 1, 0, 1, {"play", "restore", "restore", "lock", "unlock", "position", "play"}},
      {"lost and not restored", 0, 1, 1, 0, {"play", "restore"}},
      {"lost twice", 0, 2, 0, 0, {"play", "restore", "restore", "lock", "unlock", "position", "play"}},
  };
  for (const Case& c : cases) {
    ResetAudio();
    ASSERT_EQ(InitSound(nullptr), 1);
    HostSound().playResult = c.playResult;
    HostSound().lostPlays = c.lostPlays;
    HostSound().failRestore = c.failRestore;
    HostClearSoundCalls();
    EXPECT_EQ(PlaySound(SoundDamage, 0, 0), c.played) << c.name;
    std::vector<std::string> verbs;
    for (const std::string& call : HostSoundCalls()) verbs.push_back(call.substr(0, call.find(' ')));
    verbs.erase(verbs.begin());  // the first position call
    EXPECT_EQ(verbs, std::vector<std::string>(c.calls.begin(), c.calls.end())) << c.name;
    EXPECT_EQ(SoundDisabled, 1 - c.played) << c.name;
    // Once off, no effect reaches DirectSound again.
    HostSound() = HostSoundSwitches{};
    HostClearSoundCalls();
    for (int32_t id = 0; id < SoundCount; ++id) EXPECT_EQ(PlaySound(id, 0, 0), c.played) << c.name;
    if (!c.played) {
      EXPECT_TRUE(HostSoundCalls().empty()) << c.name;
    }
  }
}

// The callers' pan (x * 8 - 2560) is applied, and only when it changes.
TEST_F(Sound, PanFollowsTheObjectAndIsSetOnlyOnChange) {
  ASSERT_EQ(InitSound(nullptr), 1);
  SoundBuffer boon = SoundBank.buffers[SoundBoon];
  struct Step { int32_t pan; int32_t expected; int32_t panCalls; };
  const Step steps[] = {{0, 0, 0}, {-2560, -2560, 1}, {-2560, -2560, 0}, {2000, 2000, 1}, {20000, 10000, 1}};
  for (const Step& s : steps) {
    HostClearSoundCalls();
    PlaySound(SoundBoon, s.pan, 0);
    int panCalls = 0;
    for (const std::string& call : HostSoundCalls()) panCalls += call.rfind("pan ", 0) == 0;
    EXPECT_EQ(panCalls, s.panCalls) << s.pan;
    EXPECT_EQ(HostSoundBufferPan(boon), s.expected) << s.pan;
  }
  // Mixed, a sound on the left is louder on the left.
  PlaySound(SoundBoon, -2560, 0);
  std::vector<int16_t> mix(2 * 4000, 0);
  HostMixSound(mix.data(), 4000, 22050);
  double left = 0, right = 0;
  for (size_t i = 0; i < mix.size(); i += 2) left += std::abs(mix[i]), right += std::abs(mix[i + 1]);
  EXPECT_GT(left, 5 * right);
}
