#pragma once
#include <cstdint>

#include "game/media/synth_programs.h"
#include "tools/music/chroma.h"
#include "tools/music/song.h"

// The synthesizer's patches measured from a reference renderer. Each
// program plays one probe song (channel 1, velocity 100, the channel's
// volume left at General MIDI's 100): C2, C3, C4, C5 and C6 held two
// seconds, each in a slot of ProbeZoneSlot seconds; then every note from
// C1 to C7 held half a second, a slot of ProbeLevelSlot seconds each
// (each one's level and harmonics). The reference renders
// the song; MeasurePatch reads the patch back from it.

constexpr double ProbeZoneSlot = 4.0, ProbeZoneHold = 2.0;
constexpr double ProbeLevelSlot = 1.0, ProbeLevelHold = 0.5;

Song ProbeSong(int32_t program);

// The patch of `program` from its probe song as rendered (any rate,
// stereo). `patch.name` is left as it is.
void MeasurePatch(const Audio& audio, Patch& patch);

// How each figure is read from a note, for the curious and the tests:
// the level in dB full scale of 20 ms frames (both sides' mean power)
// from `start` seconds, `count` of them.
void FrameLevels(const Audio& audio, double start, int32_t count, float* db);
// The envelope of a zone note from its frames: the hold's ZoneFrames
// frames, then the release's.
constexpr int32_t ZoneFrames = 100;
Envelope EnvelopeFromFrames(const float* db, int32_t count);
