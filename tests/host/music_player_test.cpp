#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "game/media/host/host_midi.h"
#include "game/shell/game_status.h"
#include "game/shell/shared_state.h"
#include "game/media/music_player.h"
#include "tests/host/audio_fixture.h"
#include "tests/host/world_fixture.h"
#include "tools/sim/sim_audio.h"

namespace {
class MusicPlayback : public World {
 protected:
  static int Count(const std::vector<std::string>& calls, const std::string& prefix) {
    return int(std::count_if(calls.begin(), calls.end(),
                             [&](const std::string& c) { return c.rfind(prefix, 0) == 0; }));
  }
  static std::vector<std::string> Shorts() {
    std::vector<std::string> found;
    for (const std::string& c : HostMidiCalls())
      if (c.rfind("short ", 0) == 0) found.push_back(c.substr(6));
    return found;
  }
  static std::vector<std::string> Volumes(int value) {
    std::vector<std::string> v;
    char text[16];
    for (int channel = 0; channel < 16; ++channel)
      std::snprintf(text, sizeof text, "%02X07%02X", value, 0xB0 + channel), v.push_back(text);
    return v;
  }
};
}  // namespace

TEST_F(MusicPlayback, PlayQueuesEveryBufferAndLoops) {
  ASSERT_EQ(PlayMusic("Fighters.mds", 1), 1);
  MusicPlayer* p = Music->player;
  ASSERT_GT(p->bufferCount, 1u);
  auto calls = HostMidiCalls();
  EXPECT_EQ(calls[0], "open");
  EXPECT_EQ(calls[1], "timediv 96");
  EXPECT_EQ(Count(calls, "prepare"), int(p->bufferCount));
  EXPECT_EQ(Count(calls, "out"), int(p->bufferCount));
  EXPECT_EQ(calls.back(), "restart");
  EXPECT_EQ(p->queued.load(), int32_t(p->bufferCount));
  EXPECT_EQ(p->state.load(), MusicLooping);
  // Two and a half minutes later every buffer has come back and gone out again.
  HostClearMidiCalls();
  for (int i = 0; i < 150; ++i) HostRenderMidi(nullptr, HostMidiRate);
  calls = HostMidiCalls();
  EXPECT_GE(Count(calls, "done"), 3 * int(p->bufferCount));
  EXPECT_EQ(Count(calls, "done"), Count(calls, "out"));
  EXPECT_EQ(p->queued.load(), int32_t(p->bufferCount));
}

TEST_F(MusicPlayback, TheDriverThreadLoopsTheSongOnItsOwn) {
  ASSERT_EQ(PlayMusic("sadness.mds", 1), 1);
  const int buffers = int(Music->player->bufferCount);
  HostClearMidiCalls();
  HostStartMidiDriver();
  // A guard against a hang, no measure of speed: the driver renders as fast
  // as it can, and a 32-bit run under emulation on a busy machine takes
  // well over 20 s for two rounds.
  auto until = std::chrono::steady_clock::now() + std::chrono::seconds(180);
  while (Count(HostMidiCalls(), "done") < 2 * buffers && std::chrono::steady_clock::now() < until)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  StopMusic();  // resets and closes while the driver plays
  HostStopMidiDriver();
  auto calls = HostMidiCalls();
  EXPECT_GE(Count(calls, "done"), 2 * buffers);
  EXPECT_EQ(HostOpenMidiStreams(), 0);
  EXPECT_EQ(Music, nullptr);
}

TEST_F(MusicPlayback, PlayingTheSameFileAgainStartsItOver) {
  ASSERT_EQ(PlayMusic("Fighters.mds", 1), 1);
  HostRenderMidi(nullptr, 5 * HostMidiRate);
  EXPECT_GT(HostMidiTicks(), 0u);
  HostClearMidiCalls();
  ASSERT_EQ(PlayMusic("Fighters.mds", 1), 1);
  auto calls = HostMidiCalls();
  auto reset = std::find(calls.begin(), calls.end(), "reset");
  auto close = std::find(calls.begin(), calls.end(), "close");
  auto open = std::find(calls.begin(), calls.end(), "open");
  ASSERT_TRUE(reset < close && close < open && open != calls.end());
  EXPECT_EQ(HostMidiTicks(), 0u);  // the new stream is at its start
  EXPECT_EQ(HostOpenMidiStreams(), 1);
}

TEST_F(MusicPlayback, PauseTwiceThenResume) {
  ASSERT_EQ(PlayMusic("Fighters.mds", 1), 1);
  HostRenderMidi(nullptr, HostMidiRate);
  HostClearMidiCalls();
  EXPECT_EQ(PauseMusic(), MusicOk);
  uint64_t at = HostMidiTicks();
  EXPECT_EQ(PauseMusic(), MusicOk);
  EXPECT_EQ(Count(HostMidiCalls(), "pause"), 1);
  EXPECT_EQ(Music->player->state.load(), MusicLooping | MusicPaused);
  EXPECT_EQ(Music->playing, 0);
  HostRenderMidi(nullptr, HostMidiRate);
  EXPECT_EQ(HostMidiTicks(), at);  // held where it was
  EXPECT_EQ(ResumeMusic(), MusicOk);
  EXPECT_EQ(Music->player->state.load(), MusicLooping);
  EXPECT_EQ(Music->playing, 1);
  EXPECT_EQ(Count(HostMidiCalls(), "open"), 0);  // the same stream goes on
  HostRenderMidi(nullptr, HostMidiRate);
  EXPECT_GT(HostMidiTicks(), at);
  EXPECT_EQ(ResumeMusic(), MusicAlreadyOpen);
}

TEST_F(MusicPlayback, VolumeGoesToAllSixteenChannels) {
  ASSERT_EQ(PlayMusic("Fighters.mds", 1), 1);
  struct Case { int32_t asked; int32_t sent; };
  for (Case c : {Case{200, 127}, Case{0, 0}, Case{64, 64}, Case{-5, 0}}) {
    HostClearMidiCalls();
    SetMusicVolume(c.asked);
    EXPECT_EQ(Shorts(), Volumes(c.sent)) << c.asked;
  }
  EXPECT_NE(Music->player->stream, nullptr);  // silenced, not stopped
}

TEST_F(MusicPlayback, FailuresCleanUp) {
  struct Case {
    const char* name;
    HostMidiSwitches switches;
    const char* file;
    int32_t played;
    int32_t openStreams;
  };
  HostMidiSwitches openFails, outFails, restartFails;
  openFails.openResult = 2;
  outFails.outResult = 7;
  restartFails.restartResult = 1;
  const Case cases[] = {
      {"missing file", {}, "nothing.mds", 0, 0},
      {"no MIDI device", openFails, "Fighters.mds", 0, 0},
      {"a buffer refused", outFails, "Fighters.mds", 0, 0},
      {"restart refused", restartFails, "sadness.mds", 0, 0},
      {"all well", {}, "sadness.mds", 1, 1},
  };
  for (const Case& c : cases) {
    ResetAudio();
    HostMidi() = c.switches;
    EXPECT_EQ(PlayMusic(c.file, 1), c.played) << c.name;
    EXPECT_EQ(Music != nullptr, c.played == 1) << c.name;
    EXPECT_EQ(HostOpenMidiStreams(), c.openStreams) << c.name;
  }
}

TEST_F(MusicPlayback, LoadWithoutStartPlaysOnResume) {
  ASSERT_EQ(PlayMusic("sadness.mds", 0), 1);
  EXPECT_TRUE(HostMidiCalls().empty());
  EXPECT_EQ(Music->playing, 0);
  EXPECT_EQ(PauseMusic(), MusicAlreadyOpen);
  EXPECT_EQ(ResumeMusic(), MusicOk);
  EXPECT_EQ(HostOpenMidiStreams(), 1);
}

TEST_F(MusicPlayback, StaleRecordsAreRefused) {
  auto image = MdsImage(96, 64, 0, {});
  MusicPlayer* p = nullptr;
  ASSERT_EQ(CreateMusicPlayer(image.data(), image.size(), MusicFromMemory, &p), MusicOk);
  ASSERT_EQ(StartMusicPlayer(p, 1), MusicOk);  // no buffers: plays nothing, no error
  EXPECT_EQ(p->queued.load(), 0);
  EXPECT_EQ(StartMusicPlayer(p, 1), MusicAlreadyOpen);
  p->signature = DeadSignature;
  EXPECT_EQ(StartMusicPlayer(p, 1), MusicInvalidPlayer);
  p->signature = MusicSignature;
  DestroyMusicPlayer(p);
  EXPECT_EQ(HostOpenMidiStreams(), 0);
}

// A reset, unprepare or close that fails may leave headers with the driver:
// the memory stays until it has handed every one back, nothing is queued
// again, and the whole close is tried again when the music next changes.
TEST_F(MusicPlayback, FailedCloseKeepsTheMemoryTheDriverHolds) {
  struct Case { const char* name; uint32_t HostMidiSwitches::*call; };
  const Case cases[] = {{"reset", &HostMidiSwitches::resetResult},
                        {"unprepare", &HostMidiSwitches::unprepareResult},
                        {"close", &HostMidiSwitches::closeResult}};
  for (const Case& c : cases) {
    ResetAudio();
    ASSERT_EQ(PlayMusic("Fighters.mds", 1), 1) << c.name;
    MusicPlayer* p = Music->player;
    HostMidi().*c.call = 1;
    StopMusic();
    EXPECT_EQ(Music, nullptr) << c.name;
    ASSERT_EQ(AbandonedPlayers.size(), 1u) << c.name;
    EXPECT_EQ(AbandonedPlayers[0], p) << c.name;
    EXPECT_EQ(HostOpenMidiStreams(), 1) << c.name;
    HostMidi().*c.call = 0;
    HostClearMidiCalls();
    for (int i = 0; i < 60 && p->queued.load() > 0; ++i) HostRenderMidi(nullptr, HostMidiRate);
    EXPECT_EQ(p->queued.load(), 0) << c.name;  // every header came back, none went out again
    EXPECT_EQ(Count(HostMidiCalls(), "out"), 0) << c.name;
    ASSERT_EQ(PlayMusic("sadness.mds", 1), 1) << c.name;
    EXPECT_TRUE(AbandonedPlayers.empty()) << c.name;
    EXPECT_EQ(HostOpenMidiStreams(), 1) << c.name;  // the old stream closed, the new one open
  }
}

// The game thread drives the music while the driver's own thread plays it
// (the threads tier runs this under ThreadSanitizer).
TEST_F(MusicPlayback, PlayPauseResumeFadeAndStopWhileTheDriverPlays) {
  // A hang guard, not a limit: long enough for an emulated run on a busy machine.
  auto advanced = [](uint64_t from) {
    auto until = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (HostMidiTicks() <= from && std::chrono::steady_clock::now() < until)
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return HostMidiTicks() > from;
  };
  HostStartMidiDriver();
  for (const char* song : {"Fighters.mds", "sadness.mds", "Fighters.mds"}) {
    ASSERT_EQ(PlayMusic(song, 1), 1) << song;
    EXPECT_TRUE(advanced(0)) << song;
    EXPECT_EQ(PauseMusic(), MusicOk) << song;
    uint64_t held = HostMidiTicks();
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    EXPECT_EQ(HostMidiTicks(), held) << song;
    EXPECT_EQ(ResumeMusic(), MusicOk) << song;
    EXPECT_TRUE(advanced(held)) << song;
    for (int32_t volume = 127; volume >= 0; volume -= 10) SetMusicVolume(volume);
    StopMusic();
    EXPECT_EQ(HostOpenMidiStreams(), 0) << song;
  }
  HostStopMidiDriver();
  EXPECT_TRUE(AbandonedPlayers.empty());
}

// After the boss falls the music fades in 13 steps from 127 to 0.
TEST_F(MusicPlayback, ClearingFadeReachesTheMidiStream) {
  SimOptions options;
  options.frames = 200;
  RunSim(options, {}, [](int64_t) {
    QuietStage();
    if (StageNumber == 0 && FrameCount == 10 && !GameStatus.ClearFlag) BossDestroyed();
  });
  std::vector<int> steps;
  std::vector<std::string> shorts = Shorts();
  for (size_t i = 0; i + 16 <= shorts.size(); i += 16) {
    int value = std::stoi(shorts[i].substr(0, 2), nullptr, 16);
    for (int channel = 0; channel < 16; ++channel) ASSERT_EQ(shorts[i + channel], Volumes(value)[channel]);
    steps.push_back(value);
  }
  EXPECT_EQ(steps, (std::vector<int>{127, 116, 105, 95, 84, 74, 63, 52, 42, 31, 21, 10, 0, 127}));
}
