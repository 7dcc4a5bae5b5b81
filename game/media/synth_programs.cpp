// The General MIDI patches: which family holds a program, and a note's
// envelope between the octaves measured.
#include "game/media/synth_programs.h"

#include <cmath>

namespace {
const Patch* const Families[16] = {
    PianoPatches,       ChromaticPercussionPatches, OrganPatches,    GuitarPatches,
    BassPatches,        StringsPatches,             EnsemblePatches, BrassPatches,
    ReedPatches,        PipePatches,                SynthLeadPatches, SynthPadPatches,
    SynthEffectsPatches, EthnicPatches,             PercussivePatches, SoundEffectsPatches,
};
}  // namespace

const Patch& ProgramPatch(int32_t program) { return Families[(program >> 3) & 15][program & 7]; }

const char* GmProgramName(int32_t program) { return program >= 0 && program < 128 ? ProgramPatch(program).name : "?"; }

Envelope NoteEnvelope(int32_t program, int32_t note) {
  const Patch& patch = ProgramPatch(program);
  const Envelope* z = patch.zones;
  float x = std::fmin(std::fmax((note - 36) / 12.0f, 0.0f), 4.0f);
  int32_t i = x < 3.0f ? int32_t(x) : 3;
  float t = x - float(i);
  const Envelope &a = z[i], &b = z[i + 1];
  auto mix = [t](float p, float q) { return p + (q - p) * t; };
  auto mixTimes = [t](float p, float q) { return p * std::pow(q / p, t); };  // times and rates by ratio
  Envelope e;
  int32_t step = note < FirstLevelNote ? 0 : note >= FirstLevelNote + NoteLevelCount ? NoteLevelCount - 1 : note - FirstLevelNote;
  e.level = mix(a.level, b.level) + patch.levels[step];
  e.attack = mixTimes(a.attack, b.attack);
  e.decay = mixTimes(std::fmax(a.decay, 0.1f), std::fmax(b.decay, 0.1f));
  bool dies = a.sustain <= -100.0f || b.sustain <= -100.0f;
  e.sustain = dies ? (t < 0.5f ? a.sustain : b.sustain) : mix(a.sustain, b.sustain);
  e.release = mixTimes(a.release, b.release);
  return e;
}
