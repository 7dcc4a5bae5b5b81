#pragma once
#include <atomic>
#include <cstdint>
#include <mutex>

#include "game/media/synth_programs.h"
#include "game/media/wave_table.h"

// Wave tables of the programs' spectrum zones (synth_programs.h), each
// built the first time a note needs it and kept: safe from any thread. A
// song may ask for any program at any note, 28 KB of tables each (262 MB
// for them all): past `limit` tables, a zone not yet built takes its
// program's nearest measured octave (C2 to C6: 640 tables at the most).
struct TableStore {
  std::atomic<const WaveTables*> built[128][SpectrumZones];
  std::mutex building;
  int32_t count;  // under `building`
  int32_t limit;
};
const WaveTables& StoredTables(TableStore& store, int32_t program, int32_t zone);
// Frees a store's tables; only while no note plays from them.
void ReleaseTables(TableStore& store);

// The synthesizer's own store: 1,024 tables (28 MB) before the octaves'.
const WaveTables& ProgramTables(int32_t program, int32_t zone);

// Amplitudes of harmonics 1..TableHarmonics of a program's zone: the 16
// measured, and above them the last measured ones' level falling 6 dB an
// octave.
void ProgramHarmonics(int32_t program, int32_t zone, float* amplitudes);
