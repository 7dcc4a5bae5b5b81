#pragma once
#include <cstdint>

#include "game/media/wave_table.h"

// The wave tables of a program's spectrum zone (synth_programs.h), built
// the first time a note needs them and kept: safe from any thread.
const WaveTables& ProgramTables(int32_t program, int32_t zone);

// Amplitudes of harmonics 1..TableHarmonics of a program's zone: the 16
// measured, and above them the last measured ones' level falling 6 dB an
// octave.
void ProgramHarmonics(int32_t program, int32_t zone, float* amplitudes);
