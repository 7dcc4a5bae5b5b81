#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The host MIDI stream: a record of every call, and a driver of our own
// (the synthesizer's stream) that plays what is queued when asked to, or
// on a thread of its own.

// "open", "timediv D", "prepare I", "out I", "restart", "pause", "reset",
// "unprepare I", "close", "short XXXXXX" (hex), "done I" (a buffer handed
// back to the callback); I is the header's index in its block.
std::vector<std::string> HostMidiCalls();
void HostClearMidiCalls();

struct HostMidiSwitches {
  uint32_t openResult = 0;     // midiStreamOpen
  uint32_t outResult = 0;      // midiStreamOut
  uint32_t restartResult = 0;  // midiStreamRestart
  uint32_t pauseResult = 0;    // midiStreamPause
  uint32_t resetResult = 0;    // midiOutReset
  uint32_t unprepareResult = 0;  // midiOutUnprepareHeader
  uint32_t closeResult = 0;    // midiStreamClose
};
HostMidiSwitches& HostMidi();

// Every stream closed (without callbacks), the record emptied, the
// switches back to normal. Not while the driver thread runs.
void HostResetMidi();
int32_t HostOpenMidiStreams();
// Plays every open stream on for `frames` stereo frames at 22050 Hz, added
// to `out` at MusicLevel through SoftLimit (may be null: played and thrown
// away).
void HostRenderMidi(int16_t* out, int32_t frames);
// The driver's own thread, playing in chunks until stopped.
void HostStartMidiDriver();
void HostStopMidiDriver();
// Position in ticks of the most recently opened stream.
uint64_t HostMidiTicks();
constexpr int32_t HostMidiRate = 22050;
