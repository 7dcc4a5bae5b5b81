#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// A RIFF WAVE sound as the sound bank needs it: the wave-format block
// (WAVEFORMATEX: 18 bytes, then the extra bytes) and the samples.
struct Wave {
  std::vector<uint8_t> format;
  std::vector<uint8_t> data;
};

// Result codes of the file reader; they never reach the player.
constexpr int32_t WaveOutOfMemory = 0xE000;
constexpr int32_t WaveCannotOpen = 0xE100;
constexpr int32_t WaveBadFormat = 0xE101;
constexpr int32_t WaveReadFailed = 0xE102;
constexpr int32_t WaveDataShort = 0xE103;

constexpr size_t WaveFormatBlockSize = 18;

// A program resource's image in memory: 1 when both a "fmt " and a "data"
// chunk were found, else 0.
int32_t ParseWaveImage(const uint8_t* image, size_t size, Wave& wave);
// The file reader's rules over a file's bytes (`opened` 0: the file could
// not be opened). 0 on success, else one of the codes above and `wave`
// left empty.
int32_t ReadWaveFileBytes(int32_t opened, const uint8_t* file, size_t size, Wave& wave);

// Little-endian fields of the format block.
inline uint16_t WaveFormatTag(const Wave& w) { return uint16_t(w.format[0] | w.format[1] << 8); }
inline uint16_t WaveChannels(const Wave& w) { return uint16_t(w.format[2] | w.format[3] << 8); }
uint32_t WaveSampleRate(const Wave& w);
inline uint16_t WaveBitsPerSample(const Wave& w) { return uint16_t(w.format[14] | w.format[15] << 8); }
inline uint16_t WaveExtraSize(const Wave& w) { return uint16_t(w.format[16] | w.format[17] << 8); }
