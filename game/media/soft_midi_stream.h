#pragma once
#include <atomic>
#include <cstdint>
#include <deque>
#include <mutex>

#include "game/media/midi_port.h"
#include "game/media/synth.h"

// A MIDI stream driver of our own: it plays queued stream buffers through
// the synthesizer at the stream's time division and tempo, and hands each
// finished buffer back through the callback, as a Windows driver does.
struct SoftMidiStream {
  std::mutex lock;
  MidiCallback callback;
  std::deque<MidiHeader*> queue;
  uint32_t offset;        // into the front buffer
  double untilEvent;      // frames until the front event is due, <0: not read yet
  double carry;           // fraction of a frame owed by the last event
  uint32_t timeDivision;  // the stream's time format (see MdsFramesPerTick)
  uint32_t tempo;         // microseconds per quarter note
  bool paused;
  int32_t inCallback;     // callbacks under way outside the lock
  uint64_t ticks;         // stream position in ticks
  uint64_t frames;        // frames rendered while playing
  double eventBudget;     // events and buffers it may still run (see EventsPerSecond)
  Synth synth;
};

void SoftMidiInit(SoftMidiStream& stream, MidiCallback callback, int32_t rate);
// Ticks per quarter or SMPTE time; any other division is refused
// (MMSYSERR_INVALPARAM) and the stream keeps the one it had.
uint32_t SoftMidiSetTimeDivision(SoftMidiStream& stream, uint32_t timeDivision);
uint32_t SoftMidiOut(SoftMidiStream& stream, MidiHeader* header);
uint32_t SoftMidiRestart(SoftMidiStream& stream);
uint32_t SoftMidiPause(SoftMidiStream& stream);
// Silences every note and hands every queued buffer back (MOM_DONE).
uint32_t SoftMidiReset(SoftMidiStream& stream);
uint32_t SoftMidiShortMsg(SoftMidiStream& stream, uint32_t message);
// Plays on for `frames` stereo frames, added to `out`.
void SoftMidiRender(SoftMidiStream& stream, int16_t* out, int32_t frames);
uint64_t SoftMidiTicks(SoftMidiStream& stream);
