// libFuzzer target: any bytes as a MIDI stream file, parsed and expanded
// into headers exactly as the music player does, with its size limits.
// Every header must then describe events that lie inside its own slot, and
// every file the player accepts is played for a few seconds through our
// own stream driver and synthesizer, looping as the player loops it: a
// song that hangs the renderer is caught by libFuzzer's -timeout. The
// rate is a tenth of the game's, so that a million inputs take an hour,
// not a day: the stream's timing and the synthesizer's voices run through
// the same code at any rate.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "game/media/mds_file.h"
#include "game/media/soft_midi_stream.h"

namespace {
constexpr int32_t Rate = 2205;
constexpr int32_t Seconds = 2;
SoftMidiStream* Playing = nullptr;

uint32_t Read32(const char* p) {
  uint32_t v;
  std::memcpy(&v, p, 4);
  return v;
}

// Walks the stream events of one header as a driver would.
void WalkEvents(const MidiHeader* h) {
  if (h->bytesRecorded > h->bufferLength) __builtin_trap();
  uint32_t at = 0;
  while (at + 12 <= h->bytesRecorded) {
    uint32_t event = Read32(h->data + at + 8);
    at += 12;
    if (event & 0x80000000u) at += ((event & 0xFFFFFF) + 3) & ~3u;
  }
}

// The player's loop: every finished buffer goes out again.
void Requeue(uint32_t message, MidiHeader* header) {
  if (message == MomDone && Playing) SoftMidiOut(*Playing, header);
}

void Play(const MdsHeader& h, uint8_t* block) {
  static SoftMidiStream stream;  // holds a mutex: made once
  Playing = &stream;
  SoftMidiInit(stream, Requeue, Rate);
  if (SoftMidiSetTimeDivision(stream, h.timeFormat) != MidiOk) __builtin_trap();  // the parser let it in
  for (uint32_t i = 0; i < h.bufferCount; ++i) {
    MidiHeader* header = MdsSlotHeader(block, h.maxBuffer, i);
    header->flags = MhdrPrepared;
    SoftMidiOut(stream, header);
  }
  SoftMidiRestart(stream);
  static std::vector<int16_t> out(2 * 256);
  for (int32_t done = 0; done < Seconds * Rate; done += 256) SoftMidiRender(stream, out.data(), 256);
  Playing = nullptr;
  stream.callback = nullptr;
  SoftMidiReset(stream);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  MdsHeader h;
  if (!ParseMdsHeader(data, size, h)) return 0;
  if (h.firstBuffer > size) __builtin_trap();
  if (h.maxBuffer > MdsBufferLimit) __builtin_trap();
  if (h.bufferCount > (size - h.firstBuffer) / 8) return 0;  // as the player refuses it
  uint64_t bytes = uint64_t(h.bufferCount) * MdsSlotSize(h.maxBuffer);
  if (bytes > (4u << 20)) return 0;  // the player allows 64 MB; the fuzzer keeps it quick
  uint8_t* block = static_cast<uint8_t*>(std::calloc(bytes ? size_t(bytes) : 1, 1));
  if (!block) return 0;
  if (FillMdsBuffers(data, size, h, block, 0)) {
    for (uint32_t i = 0; i < h.bufferCount; ++i) WalkEvents(MdsSlotHeader(block, h.maxBuffer, i));
    Play(h, block);
  }
  std::free(block);
  return 0;
}
