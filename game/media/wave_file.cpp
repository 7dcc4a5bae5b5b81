// RIFF WAVE reading: the in-memory walk used for resources and the
// multimedia-file reader's rules used for loose files.
#include "game/media/wave_file.h"

#include <cstring>

namespace {
uint32_t Read32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24; }
uint16_t Read16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }
bool IsId(const uint8_t* p, const char* id) { return std::memcmp(p, id, 4) == 0; }

// The 18-byte block from `available` bytes of a fmt chunk; fields past the
// chunk's end stay 0, and PCM always has extra size 0.
std::vector<uint8_t> FormatBlock(const uint8_t* chunk, size_t available) {
  std::vector<uint8_t> block(WaveFormatBlockSize, 0);
  std::memcpy(block.data(), chunk, available < 16 ? available : 16);
  if (Read16(chunk) != 1 && available >= 18) std::memcpy(&block[16], chunk + 16, 2);
  return block;
}
}  // namespace

uint32_t WaveSampleRate(const Wave& w) { return Read32(&w.format[4]); }

int32_t ParseWaveImage(const uint8_t* image, size_t size, Wave& wave) {
  wave = Wave{};
  if (size < 12 || !IsId(image, "RIFF") || !IsId(image + 8, "WAVE")) return 0;
  // The walk stays inside the image even when the RIFF size claims more.
  uint64_t end = 8 + uint64_t(Read32(image + 4));
  if (end > size) end = size;
  const uint8_t* data = nullptr;
  uint32_t dataSize = 0;
  bool haveFormat = false;
  for (uint64_t pos = 12; pos + 8 <= end;) {
    const uint8_t* chunk = image + pos;
    uint32_t chunkSize = Read32(chunk + 4);
    uint64_t available = size - (pos + 8);
    if (!haveFormat && IsId(chunk, "fmt ")) {
      if (chunkSize < 14 || chunkSize > available) return 0;
      wave.format = FormatBlock(chunk + 8, chunkSize);
      uint16_t extra = WaveExtraSize(wave);
      if (18 + uint64_t(extra) > chunkSize) extra = 0;  // a claim the chunk does not hold
      wave.format[16] = uint8_t(extra), wave.format[17] = uint8_t(extra >> 8);
      wave.format.insert(wave.format.end(), chunk + 8 + 18, chunk + 8 + 18 + extra);
      haveFormat = true;
    } else if (!data && IsId(chunk, "data")) {
      if (chunkSize > available) return 0;
      data = chunk + 8;
      dataSize = chunkSize;
    }
    if (haveFormat && data) {
      wave.data.assign(data, data + dataSize);
      return 1;
    }
    pos += 8 + uint64_t(chunkSize) + (chunkSize & 1);
  }
  wave = Wave{};
  return 0;
}

namespace {
// The multimedia file reader as the wave loader drives it: descend into
// RIFF, find a chunk inside it, read through the I/O buffer.
struct MmioFile {
  const uint8_t* bytes;
  size_t size;
  size_t pos;
};

size_t Read(MmioFile& f, void* out, size_t want) {
  size_t got = f.size - f.pos < want ? f.size - f.pos : want;
  std::memcpy(out, f.bytes + f.pos, got);
  f.pos += got;
  return got;
}

// Finds chunk `id` from the current position up to `end`; the position is
// left at its data. 0 when there is none.
int32_t FindChunk(MmioFile& f, uint64_t end, const char* id, uint32_t& chunkSize) {
  while (f.pos + 8 <= end) {
    const uint8_t* head = f.bytes + f.pos;
    chunkSize = Read32(head + 4);
    f.pos += 8;
    if (IsId(head, id)) return 1;
    uint64_t next = f.pos + uint64_t(chunkSize) + (chunkSize & 1);
    if (next > end) return 0;
    f.pos = size_t(next);
  }
  return 0;
}

int32_t ReadFormat(MmioFile& f, uint64_t riffEnd, std::vector<uint8_t>& format) {
  uint32_t chunkSize = 0;
  if (!FindChunk(f, riffEnd, "fmt ", chunkSize) || chunkSize < 16) return WaveBadFormat;
  uint8_t head[18] = {};
  if (Read(f, head, 16) != 16) return WaveReadFailed;
  uint16_t extra = 0;
  if (Read16(head) != 1) {
    if (Read(f, head + 16, 2) != 2) return WaveReadFailed;
    extra = Read16(head + 16);
  }
  format.assign(head, head + 16);
  format.push_back(uint8_t(extra));
  format.push_back(uint8_t(extra >> 8));
  format.resize(WaveFormatBlockSize + extra);
  if (Read(f, format.data() + WaveFormatBlockSize, extra) != extra) return WaveBadFormat;
  return 0;
}
}  // namespace

int32_t ReadWaveFileBytes(int32_t opened, const uint8_t* file, size_t size, Wave& wave) {
  wave = Wave{};
  if (!opened) return WaveCannotOpen;
  MmioFile f{file, size, 0};
  if (size < 12 || !IsId(file, "RIFF") || !IsId(file + 8, "WAVE")) return WaveBadFormat;
  uint64_t riffEnd = 8 + uint64_t(Read32(file + 4));
  if (riffEnd > size) riffEnd = size;
  f.pos = 12;
  Wave read;
  int32_t result = ReadFormat(f, riffEnd, read.format);
  if (result) return result;
  f.pos = 12;  // the data chunk may come before the format
  uint32_t dataSize = 0;
  if (!FindChunk(f, riffEnd, "data", dataSize)) return WaveBadFormat;
  if (size - f.pos < dataSize) return WaveDataShort;
  read.data.assign(file + f.pos, file + f.pos + dataSize);
  wave = std::move(read);
  return 0;
}
