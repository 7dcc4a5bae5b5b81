#pragma once
#include <cstdint>

// The synthesizer's General MIDI programs: one patch per program. Each
// patch's figures were taken from notes played by a reference General
// MIDI renderer (FluidSynth with the FluidR3 GM SoundFont) at C2, C3, C4,
// C5 and C6, held two seconds, and at every note from C1 to C7, held half
// a second, all at velocity 100 and channel volume 100, so that a song
// balances and sounds as General MIDI songs are written to.
// They are measurements: change them by measuring again, not by ear
// (tools/measure_patches.sh writes them; tools/music_fidelity.sh tells
// whether a change helped).

// How a note of a patch sounds at one pitch; between the octaves measured
// a note takes the figures of the two nearest, mixed by its distance to
// them (and below C2 or above C6 the nearest's).
constexpr int32_t EnvelopeZones = 5;  // C2, C3, C4, C5 and C6
struct Envelope {
  float level;    // dB full scale: the power of a note held for two seconds, at the reference renderer's gain
  float attack;   // seconds to full level
  float decay;    // dB a second while the key is held, down to the sustain level
  float sustain;  // dB held (-100: the note dies away while held, as a piano's)
  float release;  // seconds to fall 60 dB once let go
};
// dB to add to a note's envelope level, notes FirstLevelNote (C1) to C7,
// where the reference renderer's samples step in loudness between the
// octaves measured; outside them the nearest's.
constexpr int32_t FirstLevelNote = 24, NoteLevelCount = 73;
// Harmonics 1 to 16 in dB (0 the strongest, -60 none, or above half the
// rate) of every note from C1 to C7; below and above, the nearest's. A
// sampled instrument changes colour from one key to the next, and a note's
// harmonics decide which pitch classes it lights, so each note keeps its own.
constexpr int32_t SpectrumZones = NoteLevelCount, FirstSpectrumNote = FirstLevelNote;
constexpr int32_t MeasuredHarmonics = 16;

struct Patch {
  const char* name;
  Envelope zones[EnvelopeZones];  // at C2, C3, C4, C5 and C6
  int8_t spectra[SpectrumZones][MeasuredHarmonics];  // C1 to C7
  int8_t levels[NoteLevelCount];
};
// The patches of the sixteen General MIDI families, eight programs each,
// one generated file per family (synth_family_*.cpp, written by
// tools/measure_patches.sh).
extern const Patch PianoPatches[8], ChromaticPercussionPatches[8], OrganPatches[8], GuitarPatches[8],
    BassPatches[8], StringsPatches[8], EnsemblePatches[8], BrassPatches[8], ReedPatches[8], PipePatches[8],
    SynthLeadPatches[8], SynthPadPatches[8], SynthEffectsPatches[8], EthnicPatches[8], PercussivePatches[8],
    SoundEffectsPatches[8];
// The patch of `program` (0..127; others wrap).
const Patch& ProgramPatch(int32_t program);

// The envelope of `note` on `program`.
Envelope NoteEnvelope(int32_t program, int32_t note);

inline int32_t SpectrumZone(int32_t note) {
  int32_t zone = note - FirstSpectrumNote;
  return zone < 0 ? 0 : zone >= SpectrumZones ? SpectrumZones - 1 : zone;
}

const char* GmProgramName(int32_t program);
