// What sound costs the game thread: one PlaySound on the host adaptor, and
// the synthesizer's speed in seconds of music per second of one core. And
// how it sounds: the peak of each stage's mix (tzk-sim --audio, 1500
// frames, "0 fire M") and the aliasing of a sustained lead note.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "game/media/host/host_display.h"
#include "game/media/host/host_midi.h"
#include "game/media/host/host_sound.h"
#include "game/media/music_player.h"
#include "game/media/sound_bank.h"
#include "tools/sim/audio_measure.h"
#include "tools/sim/sim.h"
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

// The whole mix of a stage, effects and music: peak (32767: full scale)
// and the samples at full scale, as the host mixer makes it and as
// DirectSound adds the two paths on Windows (ds_: no limiter).
void BM_StagePeak(benchmark::State& state) {
  FindAudioData();
  std::vector<KeyChange> keys;
  std::string error;
  if (!ParseKeyScript("0 fire M\n", keys, error)) return state.SkipWithError(error.c_str());
  SimOptions options;
  options.stage = int32_t(state.range(0));
  options.frames = 1500;
  options.audioFile = "/dev/null";
  int32_t peak = 0, full = 0, dsPeak = 0, dsFull = 0;
  double seconds = 0;
  for (auto _ : state) {
    RunSim(options, keys);
    peak = PeakSample(CapturedAudio());
    full = FullScaleSamples(CapturedAudio());
    std::vector<int16_t> sum = SummedAs16Bit(CapturedMusic(), CapturedEffects());
    dsPeak = PeakSample(sum);
    dsFull = FullScaleSamples(sum);
    seconds = double(CapturedAudio().size()) / 2 / HostMidiRate;
  }
  state.counters["ds_peak"] = dsPeak;
  state.counters["ds_full_scale"] = dsFull;
  state.counters["peak"] = peak;
  state.counters["peak_dBFS"] = 20 * std::log10(std::max(peak, 1) / 32768.0);
  state.counters["full_scale"] = full;
  state.counters["seconds"] = seconds;
  ResetAudio();
}
BENCHMARK(BM_StagePeak)->Arg(0)->Arg(1)->Arg(2)->Iterations(1)->Unit(benchmark::kSecond);

// Power away from the harmonics of a held synth-lead note, in dB.
void BM_LeadAliasing(benchmark::State& state) {
  double db = 0;
  for (auto _ : state) db = LeadNoteAliasingDb(int32_t(state.range(0)), HostMidiRate);
  state.counters["aliasing_dB"] = db;
}
BENCHMARK(BM_LeadAliasing)->Arg(84)->Arg(96)->Iterations(1)->Unit(benchmark::kMillisecond);
}  // namespace
