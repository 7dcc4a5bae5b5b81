// The programs' wave tables, built on first use.
#include "game/media/synth_tables.h"

#include <cmath>
#include <new>

namespace {
TableStore GameTables{{}, {}, 0, 1024};

// The zone of the measured C (C2 to C6) nearest to a zone's note.
int32_t OctaveZone(int32_t zone) {
  constexpr int32_t C2 = 36 - FirstSpectrumNote;
  int32_t octave = (zone - C2 + 6) / 12;
  return C2 + 12 * (octave < 0 ? 0 : octave >= EnvelopeZones ? EnvelopeZones - 1 : octave);
}
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

const WaveTables& StoredTables(TableStore& store, int32_t program, int32_t zone) {
  program &= 127;
  zone = zone < 0 ? 0 : zone >= SpectrumZones ? SpectrumZones - 1 : zone;
  const WaveTables* tables = store.built[program][zone].load(std::memory_order_acquire);
  if (tables) return *tables;
  std::unique_lock<std::mutex> held(store.building);
  tables = store.built[program][zone].load(std::memory_order_relaxed);
  if (tables) return *tables;
  if (store.count >= store.limit && zone != OctaveZone(zone)) {
    held.unlock();
    return StoredTables(store, program, OctaveZone(zone));
  }
  static WaveTables silence;  // should memory run out: the note is silent
  WaveTables* made = new (std::nothrow) WaveTables;
  if (!made) return silence;
  float amplitudes[TableHarmonics];
  ProgramHarmonics(program, zone, amplitudes);
  BuildWaveTables(*made, amplitudes);
  store.built[program][zone].store(made, std::memory_order_release);
  ++store.count;
  return *made;
}

void ReleaseTables(TableStore& store) {
  std::lock_guard<std::mutex> held(store.building);
  for (auto& program : store.built)
    for (auto& zone : program) delete zone.exchange(nullptr);
  store.count = 0;
}

const WaveTables& ProgramTables(int32_t program, int32_t zone) { return StoredTables(GameTables, program, zone); }
