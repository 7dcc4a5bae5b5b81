#include <gtest/gtest.h>

#include "game/media/wave_file.h"
#include "tests/host/audio_fixture.h"

namespace {
const std::vector<uint8_t> Samples = {1, 2, 3, 4, 5, 6};

struct WaveCase {
  const char* name;
  std::vector<uint8_t> image;
  int32_t memoryFound;   // ParseWaveImage
  int32_t fileResult;    // ReadWaveFileBytes
  uint16_t extraSize;    // of the format block when found
};

std::vector<uint8_t> Truncated(std::vector<uint8_t> v, size_t drop) {
  v.resize(v.size() - drop);
  return v;
}

std::vector<WaveCase> Cases() {
  auto pcm = Chunk("fmt ", FormatBody(1));
  auto data = Chunk("data", Samples);
  auto pcmBody = FormatBody(1);
  std::vector<uint8_t> fourteen(pcmBody.begin(), pcmBody.begin() + 14);
  return {
      {"pcm", Riff("WAVE", {pcm, data}), 1, 0, 0},
      {"data before fmt", Riff("WAVE", {data, pcm}), 1, 0, 0},
      {"odd chunk padded", Riff("WAVE", {Chunk("LIST", {9, 9, 9}), pcm, data}), 1, 0, 0},
      {"non-pcm, extra size 0", Riff("WAVE", {Chunk("fmt ", FormatBody(2, 0)), data}), 1, 0, 0},
      {"non-pcm with extra bytes", Riff("WAVE", {Chunk("fmt ", FormatBody(2, 2, {7, 8})), data}), 1, 0, 2},
      {"not RIFF", [] { auto v = Riff("WAVE", {Chunk("fmt ", FormatBody(1)), Chunk("data", Samples)}); v[0] = 'X'; return v; }(),
       0, WaveBadFormat, 0},
      {"not WAVE", Riff("AVI ", {pcm, data}), 0, WaveBadFormat, 0},
      {"no data chunk", Riff("WAVE", {pcm}), 0, WaveBadFormat, 0},
      {"no fmt chunk", Riff("WAVE", {data}), 0, WaveBadFormat, 0},
      {"fmt of 14 bytes", Riff("WAVE", {Chunk("fmt ", fourteen), data}),
       1, WaveBadFormat, 0},
      {"fmt of 12 bytes", Riff("WAVE", {Chunk("fmt ", std::vector<uint8_t>(12, 1)), data}), 0, WaveBadFormat, 0},
      {"non-pcm, file ends before extra size", Riff("WAVE", {data, Chunk("fmt ", FormatBody(2))}), 1, WaveReadFailed, 0},
      {"extra bytes missing", Truncated(Riff("WAVE", {Chunk("fmt ", FormatBody(2, 8))}), 0), 0, WaveBadFormat, 0},
      {"data cut short", Truncated(Riff("WAVE", {pcm, data}), 2), 0, WaveDataShort, 0},
      {"header only", Truncated(Riff("WAVE", {}), 0), 0, WaveBadFormat, 0},
  };
}
}  // namespace

TEST(WaveFile, MemoryImageAndFileReaderRules) {
  for (const WaveCase& c : Cases()) {
    Wave fromMemory, fromFile;
    EXPECT_EQ(ParseWaveImage(c.image.data(), c.image.size(), fromMemory), c.memoryFound) << c.name;
    EXPECT_EQ(ReadWaveFileBytes(1, c.image.data(), c.image.size(), fromFile), c.fileResult) << c.name;
    if (c.memoryFound) {
      EXPECT_EQ(fromMemory.data, Samples) << c.name;
      EXPECT_EQ(WaveExtraSize(fromMemory), c.extraSize) << c.name;
      EXPECT_EQ(fromMemory.format.size(), 18u + c.extraSize) << c.name;
    }
    if (c.fileResult == 0) {
      EXPECT_EQ(fromFile.data, Samples) << c.name;
      EXPECT_EQ(fromFile.format, fromMemory.format) << c.name;
    } else {
      EXPECT_TRUE(fromFile.data.empty() && fromFile.format.empty()) << c.name;
    }
  }
}

TEST(WaveFile, UnopenedFileIsCodeE100) {
  Wave w;
  EXPECT_EQ(ReadWaveFileBytes(0, nullptr, 0, w), WaveCannotOpen);
}

// A RIFF size that claims more than the image holds must not walk past it.
TEST(WaveFile, RiffSizeBeyondTheImageStaysInside) {
  std::vector<uint8_t> image = Riff("WAVE", {Chunk("fmt ", FormatBody(1))});
  image[4] = 0xFF, image[5] = 0xFF, image[6] = 0xFF, image[7] = 0x7F;
  Wave w;
  EXPECT_EQ(ParseWaveImage(image.data(), image.size(), w), 0);
  EXPECT_EQ(ReadWaveFileBytes(1, image.data(), image.size(), w), WaveBadFormat);
}
