#pragma once
#include <cstdint>

#include "game/media/midi_port.h"

// Our own MIDI back end on Windows: the synthesizer's stream played into a
// DirectSound streaming buffer by a thread of its own. Used where there is
// no MIDI output device or the mapper cannot be opened.
struct SynthBackEnd;

SynthBackEnd* OpenSynthBackEnd(MidiCallback callback);
struct SoftMidiStream& SynthBackEndStream(SynthBackEnd* back);
void CloseSynthBackEnd(SynthBackEnd* back);

// For tests: the open back end (or null), its buffer's play cursor and the
// frames its thread has played.
SynthBackEnd* ActiveSynthBackEnd();
uint32_t SynthBackEndPlayCursor(SynthBackEnd* back);
uint64_t SynthBackEndFramesFed(SynthBackEnd* back);
uint64_t SynthBackEndTicks(SynthBackEnd* back);
