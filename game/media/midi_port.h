#pragma once
#include <cstdint>

// The Windows MIDI stream, call for call, with MMRESULTs passed through.
// win32: WINMM's midiStream* on the MIDI mapper, or, where there is no MIDI
// output device, our own synthesizer behind the same calls; host: a record
// of the calls and a driver of our own that plays the queued buffers.

// MIDIHDR as the platform lays it out: byte-packed, as the system headers
// declare it (64 bytes in a 32-bit program, 112 in a 64-bit one).
#pragma pack(push, 1)
struct MidiHeader {
  char* data;
  uint32_t bufferLength;
  uint32_t bytesRecorded;
  uintptr_t user;
  uint32_t flags;
  MidiHeader* next;
  uintptr_t reserved;
  uint32_t offset;
  uintptr_t reservedMore[8];
};
#pragma pack(pop)

using MidiStream = void*;
// The stream's callback (CALLBACK_FUNCTION): the message and, for MOM_DONE,
// the finished header. Runs on the driver's thread.
using MidiCallback = void (*)(uint32_t message, MidiHeader* header);

constexpr uint32_t MidiOk = 0;
constexpr uint32_t MidiErrorGeneric = 1;   // MMSYSERR_ERROR
constexpr uint32_t MidiErrorNoDevice = 2;  // MMSYSERR_BADDEVICEID
constexpr uint32_t MomOpen = 0x3C7;
constexpr uint32_t MomClose = 0x3C8;
constexpr uint32_t MomDone = 0x3C9;
constexpr uint32_t MhdrDone = 0x1;
constexpr uint32_t MhdrPrepared = 0x2;
constexpr uint32_t MhdrInQueue = 0x4;
// Event types in the top byte of a stream event word.
constexpr uint32_t MevtShortMsg = 0x00;
constexpr uint32_t MevtTempo = 0x01;
constexpr uint32_t MevtNop = 0x02;
constexpr uint32_t MevtLong = 0x80;  // bit 31: parameters follow
constexpr uint32_t MevtFCallback = 0x40000000;  // in the event word: call back once played

// midiStreamOpen on the MIDI mapper, one stream, callback function.
uint32_t PortMidiStreamOpen(MidiStream* stream, MidiCallback callback);
// midiStreamProperty (MIDIPROP_SET | MIDIPROP_TIMEDIV).
uint32_t PortMidiSetTimeDivision(MidiStream stream, uint32_t timeDivision);
uint32_t PortMidiPrepareHeader(MidiStream stream, MidiHeader* header);
uint32_t PortMidiUnprepareHeader(MidiStream stream, MidiHeader* header);
uint32_t PortMidiStreamOut(MidiStream stream, MidiHeader* header);
uint32_t PortMidiStreamRestart(MidiStream stream);
uint32_t PortMidiStreamPause(MidiStream stream);
uint32_t PortMidiOutReset(MidiStream stream);
uint32_t PortMidiStreamClose(MidiStream stream);
uint32_t PortMidiOutShortMsg(MidiStream stream, uint32_t message);
