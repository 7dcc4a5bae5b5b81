#pragma once
#include <cstddef>
#include <cstdint>

#include "game/media/midi_port.h"

// MIDI stream files (".mds"): RIFF "MIDS" with a "fmt " and a "data" chunk
// holding pre-cut buffers of stream events.

constexpr uint32_t MdsNoStreamId = 1;  // flags bit 0: events carry no stream id
// The largest buffer a MIDI stream takes (midiStreamOut refuses more).
constexpr uint32_t MdsBufferLimit = 64u << 10;

// A song's time format, the division of a standard MIDI file in the low
// 16 bits (the high 16 are 0). Bit 15 clear: ticks per quarter note, 0
// being no division at all; set: SMPTE time, the high byte minus the
// frames per second (24, 25, 29 for 29.97 drop-frame, 30), the low byte
// the ticks per frame. Frames of audio per tick at `rate`, given the
// tempo (microseconds per quarter, unused by SMPTE time), or 0 when the
// format is not one of these.
double MdsFramesPerTick(uint32_t timeFormat, uint32_t tempo, int32_t rate);
inline bool MdsTimeFormatValid(uint32_t timeFormat) { return MdsFramesPerTick(timeFormat, 500000, 1) > 0; }

// What the header chunks say.
struct MdsHeader {
  uint32_t timeFormat;
  uint32_t maxBuffer;
  uint32_t flags;
  uint32_t bufferCount;
  size_t firstBuffer;  // offset of the first buffer header
};

// 1 when the RIFF, "fmt " and "data" chunks are sound, the time format is
// valid and the maximum buffer size is within MdsBufferLimit.
int32_t ParseMdsHeader(const uint8_t* image, size_t size, MdsHeader& header);

// Bytes of one header and its data in the player's block: counted in 64
// bits, so a hostile maximum cannot wrap round in a 32-bit program.
inline uint64_t MdsSlotSize(uint32_t maxBuffer) { return uint64_t(sizeof(MidiHeader)) + maxBuffer; }

// Fills the n slots of `block` (n x MdsSlotSize bytes, zeroed) from the
// buffers; `user` goes into every header. 1, or 0 for a bad buffer.
int32_t FillMdsBuffers(const uint8_t* image, size_t size, const MdsHeader& header, uint8_t* block,
                       uintptr_t user);

// Events without stream id (b source bytes) written with a stream id of 0
// into at most `room` bytes of `target`: the bytes written, or -1 when the
// source is malformed or the target too small.
int64_t ExpandStreamIds(const uint8_t* source, uint32_t bytes, uint8_t* target, uint32_t room);

inline MidiHeader* MdsSlotHeader(uint8_t* block, uint32_t maxBuffer, uint32_t index) {
  return reinterpret_cast<MidiHeader*>(block + size_t(index * MdsSlotSize(maxBuffer)));
}
