// What sound costs the game thread: one PlaySound on the host adaptor, and
// the synthesizer's speed in seconds of music per second of one core.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "game/media/host/host_display.h"
#include "game/media/host/host_midi.h"
#include "game/media/host/host_sound.h"
#include "game/media/music_player.h"
#include "game/media/sound_bank.h"
#include "tools/sim/sim_audio.h"

namespace {
// The data folder beside the benchmark, unless one was set.
void FindAudioData() {
  std::FILE* f = std::fopen((HostDataDir() + "/boon.wav").c_str(), "rb");
  if (f) return (void)std::fclose(f);
  char self[4096] = {};
  ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
  std::string dir = n > 0 ? std::string(self, size_t(n)) : std::string(".");
  HostSetDataDir(dir.substr(0, dir.rfind('/')) + "/data");
}

void BM_PlaySound(benchmark::State& state) {
  FindAudioData();
  ResetAudio();
  if (InitSound(nullptr) != 1) return state.SkipWithError("no sound bank");
  int32_t id = 0, pan = -2560;
  for (auto _ : state) {
    benchmark::DoNotOptimize(PlaySound(id, pan, 0));
    id = id == SoundCount - 1 ? 0 : id + 1;
    pan = pan >= 2560 ? -2560 : pan + 8;
    if (HostSoundCalls().size() > 100000) HostClearSoundCalls();  // the record is the adaptor's, not the game's
  }
  ResetAudio();
}
BENCHMARK(BM_PlaySound);

// One second of a song per iteration through our own stream driver.
void BM_SynthSong(benchmark::State& state, const char* song) {
  FindAudioData();
  ResetAudio();
  if (PlayMusic(song, 1) != 1) return state.SkipWithError("no song");
  SetMusicVolume(127);
  std::vector<int16_t> out(size_t(HostMidiRate) * 2);
  for (auto _ : state) {
    std::fill(out.begin(), out.end(), 0);
    HostRenderMidi(out.data(), HostMidiRate);
    benchmark::DoNotOptimize(out.data());
  }
  state.counters["x_real_time"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
  ResetAudio();
}
BENCHMARK_CAPTURE(BM_SynthSong, Fighters, "Fighters.mds")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SynthSong, sadness, "sadness.mds")->Unit(benchmark::kMillisecond);
}  // namespace
