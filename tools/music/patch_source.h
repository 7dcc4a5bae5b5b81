#pragma once
#include <string>

#include "game/media/synth_programs.h"

// The synthesizer's patch tables as source: one file per General MIDI
// family (game/media/synth_family_NAME.cpp), each saying which tool wrote
// it. The names stay the program names given in `patches`.

// The source of family `family` (0..15) from its eight patches.
std::string FamilySource(int32_t family, const Patch* patches);
// The file name of family `family`, as synth_family_piano.cpp.
std::string FamilyFileName(int32_t family);
// Writes the sixteen files into `folder`. 1, or 0 with `error`.
int32_t WriteFamilySources(const std::string& folder, const Patch* patches, std::string& error);
