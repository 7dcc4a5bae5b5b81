// Simulated stage frames per second: the whole game thread on the host
// adaptors, in a stage kept busy with enemies and bullets.
#include <benchmark/benchmark.h>

#include "game/actors/actor.h"
#include "game/actors/allocation.h"
#include "game/actors/bullet.h"
#include "game/actors/enemy_types.h"
#include "game/actors/enemy_behaviours.h"
#include "game/media/display.h"
#include "game/media/random.h"
#include "game/shell/shared_state.h"
#include "tools/sim/sim.h"

namespace {
constexpr int64_t FramesPerRun = 1000;
constexpr int TargetActors = 60;
constexpr int TargetBullets = 120;

// Tops the stage up to a crowd every frame, on a generator of its own so the
// game's sequence is left alone.
void KeepBusy(Random& crowd) {
  for (int n = CountRecords(EnemyList); n < TargetActors; ++n) {
    const EnemyType& type = EnemyTypeTable[crowd.Next(6)];
    CreateActor(NewRecord<Actor>(), 639, crowd.Next(700), type.frames, type.frameCount,
                BehaviourTable[type.behaviour], type.hp, type.score, type.hp - 1, type.frameHold,
                1, EnemySheet, type.anchor);
  }
  for (int n = CountRecords(BulletList); n < TargetBullets; ++n)
    SpawnBullet(639, crowd.Next(700), -4 - crowd.Next(8), crowd.Next(9) - 4, 1, &BulletFrame);
}

void BM_BusyStageFrames(benchmark::State& state) {
  std::vector<KeyChange> script;
  std::string error;
  ParseKeyScript("0 fire M\n", script, error);
  SimOptions options;
  options.frames = FramesPerRun;
  int64_t frames = 0;
  for (auto _ : state) {
    Random crowd(12345);
    SimRun run = RunSim(options, script, [&](int64_t) { KeepBusy(crowd); });
    frames += run.framesWaited;
  }
  state.counters["frames/s"] = benchmark::Counter(double(frames), benchmark::Counter::kIsRate);
}
// The game runs on its own thread: real time is the measure.
BENCHMARK(BM_BusyStageFrames)->Unit(benchmark::kMillisecond)->UseRealTime();
}  // namespace

BENCHMARK_MAIN();
