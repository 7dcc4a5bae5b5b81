#pragma once
#include <cstddef>
#include <cstdint>

#include "game/media/midi_port.h"

// MIDI stream files (".mds"): RIFF "MIDS" with a "fmt " and a "data" chunk
// holding pre-cut buffers of stream events.

constexpr uint32_t MdsNoStreamId = 1;  // flags bit 0: events carry no stream id

// What the header chunks say.
struct MdsHeader {
  uint32_t timeFormat;
  uint32_t maxBuffer;
  uint32_t flags;
  uint32_t bufferCount;
  size_t firstBuffer;  // offset of the first buffer header
};

// 1 when the RIFF, "fmt " and "data" chunks are sound.
int32_t ParseMdsHeader(const uint8_t* image, size_t size, MdsHeader& header);

// Bytes of one header and its data in the player's block.
inline size_t MdsSlotSize(uint32_t maxBuffer) { return sizeof(MidiHeader) + maxBuffer; }

// Fills the n slots of `block` (n x MdsSlotSize bytes, zeroed) from the
// buffers; `user` goes into every header. 1, or 0 for a bad buffer.
int32_t FillMdsBuffers(const uint8_t* image, size_t size, const MdsHeader& header, uint8_t* block,
                       uintptr_t user);

// Events without stream id (b source bytes) written with a stream id of 0
// into at most `room` bytes of `target`: the bytes written, or -1 when the
// source is malformed or the target too small.
int64_t ExpandStreamIds(const uint8_t* source, uint32_t bytes, uint8_t* target, uint32_t room);

inline MidiHeader* MdsSlotHeader(uint8_t* block, uint32_t maxBuffer, uint32_t index) {
  return reinterpret_cast<MidiHeader*>(block + size_t(index) * MdsSlotSize(maxBuffer));
}
