// libFuzzer target: any bytes as a MIDI stream file, parsed and expanded
// into headers exactly as the music player does, with its size limits.
// Every header must then describe events that lie inside its own slot.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "game/media/mds_file.h"

namespace {
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
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  MdsHeader h;
  if (!ParseMdsHeader(data, size, h)) return 0;
  if (h.firstBuffer > size) __builtin_trap();
  if (h.bufferCount > (size - h.firstBuffer) / 8) return 0;  // as the player refuses it
  uint64_t bytes = uint64_t(h.bufferCount) * MdsSlotSize(h.maxBuffer);
  if (bytes > (4u << 20)) return 0;  // the player allows 64 MB; the fuzzer keeps it quick
  uint8_t* block = static_cast<uint8_t*>(std::calloc(bytes ? size_t(bytes) : 1, 1));
  if (!block) return 0;
  if (FillMdsBuffers(data, size, h, block, 0))
    for (uint32_t i = 0; i < h.bufferCount; ++i) WalkEvents(MdsSlotHeader(block, h.maxBuffer, i));
  std::free(block);
  return 0;
}
