// The programs' wave tables, built on first use.
#include "game/media/synth_tables.h"

#include <atomic>
#include <cmath>
#include <mutex>
#include <new>

#include "game/media/synth_programs.h"

namespace {
std::atomic<const WaveTables*> Built[128][SpectrumZones];
std::mutex Building;
}  // namespace

void ProgramHarmonics(int32_t program, int32_t zone, float* amplitudes) {
  const int8_t* db = ProgramPatch(program).spectra[zone];
  float tail = 0;
  for (int32_t k = 1; k <= MeasuredHarmonics; ++k) {
    float a = db[k - 1] <= -60 ? 0.0f : std::pow(10.0f, db[k - 1] / 20.0f);
    amplitudes[k - 1] = a;
    if (k > MeasuredHarmonics - 4) tail += a * 0.25f;
  }
  for (int32_t k = MeasuredHarmonics + 1; k <= TableHarmonics; ++k) amplitudes[k - 1] = tail * MeasuredHarmonics / float(k);
}

const WaveTables& ProgramTables(int32_t program, int32_t zone) {
  program &= 127;
  zone = zone < 0 ? 0 : zone >= SpectrumZones ? SpectrumZones - 1 : zone;
  const WaveTables* tables = Built[program][zone].load(std::memory_order_acquire);
  if (tables) return *tables;
  std::lock_guard<std::mutex> held(Building);
  tables = Built[program][zone].load(std::memory_order_relaxed);
  if (!tables) {
    static WaveTables silence;  // should memory run out: the note is silent
    WaveTables* made = new (std::nothrow) WaveTables;
    if (!made) return silence;
    float amplitudes[TableHarmonics];
    ProgramHarmonics(program, zone, amplitudes);
    BuildWaveTables(*made, amplitudes);
    Built[program][zone].store(made, std::memory_order_release);
    tables = made;
  }
  return *tables;
}
