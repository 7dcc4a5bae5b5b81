// Reading MIDI stream files into the player's header block.
#include "game/media/mds_file.h"

#include <cstring>

namespace {
uint32_t Read32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24; }
bool IsId(const uint8_t* p, const char* id) { return std::memcmp(p, id, 4) == 0; }
}  // namespace

double MdsFramesPerTick(uint32_t format, uint32_t tempo, int32_t rate) {
  if (format >> 16 || rate <= 0) return 0;
  if (!(format & 0x8000)) {
    if (!format || !tempo) return 0;
    return double(tempo) / 1e6 / double(format) * rate;
  }
  int32_t framesPerSecond = -int32_t(int8_t(format >> 8));
  uint32_t ticksPerFrame = format & 0xFF;
  if (!ticksPerFrame) return 0;
  double fps = framesPerSecond == 29 ? 30000.0 / 1001.0 : double(framesPerSecond);
  bool known = framesPerSecond == 24 || framesPerSecond == 25 || framesPerSecond == 29 || framesPerSecond == 30;
  return known ? rate / (fps * ticksPerFrame) : 0;
}

int32_t ParseMdsHeader(const uint8_t* image, size_t size, MdsHeader& h) {
  h = MdsHeader{};
  if (size < 12 || !IsId(image, "RIFF") || !IsId(image + 8, "MIDS")) return 0;
  if (Read32(image + 4) > size - 8) return 0;
  size_t pos = 12;
  if (size - pos < 8 || !IsId(image + pos, "fmt ")) return 0;
  uint32_t fmtSize = Read32(image + pos + 4);
  pos += 8;
  if (fmtSize < 12 || fmtSize > size - pos) return 0;
  h.timeFormat = Read32(image + pos);
  h.maxBuffer = Read32(image + pos + 4);
  h.flags = Read32(image + pos + 8);
  if (h.maxBuffer > MdsBufferLimit || !MdsTimeFormatValid(h.timeFormat)) return 0;
  pos += fmtSize;
  if (size - pos < 8 || !IsId(image + pos, "data")) return 0;
  uint32_t dataSize = Read32(image + pos + 4);
  pos += 8;
  if (dataSize < 4 || dataSize > size - pos) return 0;
  h.bufferCount = Read32(image + pos);
  h.firstBuffer = pos + 4;
  return 1;
}

int64_t ExpandStreamIds(const uint8_t* source, uint32_t bytes, uint8_t* target, uint32_t room) {
  if (bytes % 4) return -1;
  uint32_t in = 0, out = 0;
  while (in < bytes) {
    if (room - out < 12) return -1;
    std::memcpy(target + out, source + in, 4);  // delta time
    in += 4;
    if (in >= bytes) return -1;
    std::memset(target + out + 4, 0, 4);  // stream id
    uint32_t event = Read32(source + in);
    std::memcpy(target + out + 8, source + in, 4);
    in += 4;
    out += 12;
    if (event & 0x80000000u) {
      uint32_t length = ((event & 0xFFFFFF) + 3) & ~3u;
      if (length > bytes - in || length > room - out) return -1;
      std::memcpy(target + out, source + in, length);
      in += length;
      out += length;
    }
  }
  return out;
}

int32_t FillMdsBuffers(const uint8_t* image, size_t size, const MdsHeader& h, uint8_t* block,
                       uintptr_t user) {
  size_t pos = h.firstBuffer;
  for (uint32_t i = 0; i < h.bufferCount; ++i) {
    MidiHeader* header = MdsSlotHeader(block, h.maxBuffer, i);
    uint8_t* data = reinterpret_cast<uint8_t*>(header + 1);
    header->data = reinterpret_cast<char*>(data);
    header->bufferLength = h.maxBuffer;
    header->user = user;
    if (size - pos < 8) return 0;
    uint32_t bytes = Read32(image + pos + 4);
    pos += 8;
    if (bytes > h.maxBuffer || bytes > size - pos) return 0;
    if (h.flags & MdsNoStreamId) {
      int64_t written = ExpandStreamIds(image + pos, bytes, data, h.maxBuffer);
      if (written < 0) return 0;
      header->bytesRecorded = uint32_t(written);
    } else {
      std::memcpy(data, image + pos, bytes);
      header->bytesRecorded = bytes;
    }
    pos += bytes;
  }
  return 1;
}
