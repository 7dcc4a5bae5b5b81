#include <gtest/gtest.h>

#include <vector>

#include "game/media/host/host_sound.h"
#include "game/media/sound_port.h"

namespace {
struct DepthCase {
  const char* name;
  uint16_t bits, channels, blockAlign;
  uint32_t dataBytes;
  std::vector<uint8_t> block;  // repeated over the data
  int16_t left, right;         // every frame as mixed
};

// A PCM format block: 22050 Hz, so the mixer takes one frame per output frame.
std::vector<uint8_t> Format(const DepthCase& c) {
  uint32_t rate = 22050, average = rate * c.blockAlign;
  return {1, 0, uint8_t(c.channels), 0,
          uint8_t(rate), uint8_t(rate >> 8), 0, 0,
          uint8_t(average), uint8_t(average >> 8), uint8_t(average >> 16), 0,
          uint8_t(c.blockAlign), 0, uint8_t(c.bits), 0, 0, 0};
}
}  // namespace

// Each channel's sample lies in its share of the block and is read no
// further: 8 bits and less unsigned, wider ones by their top 16 bits, a
// depth wider than its share silent. The data need not end on a whole
// block; nothing past it is read (AddressSanitizer watches the asan tier).
TEST(SoundMixer, EveryDepthPlaysFromItsOwnBytes) {
  const DepthCase cases[] = {
      {"8-bit mono", 8, 1, 1, 999, {0xC0}, 16383, 16383},
      {"4-bit mono", 4, 1, 1, 999, {0xC0}, 16383, 16383},
      {"12-bit in two bytes", 12, 1, 2, 999, {0x00, 0x40}, 16383, 16383},
      {"12-bit in one byte", 12, 1, 1, 999, {0x40}, 0, 0},
      {"16-bit stereo", 16, 2, 4, 998, {0x00, 0x40, 0x00, 0xC0}, 16383, -16383},
      {"20-bit in three bytes", 20, 1, 3, 1000, {0x00, 0x00, 0x40}, 16383, 16383},
      {"24-bit stereo", 24, 2, 6, 997, {0x12, 0x00, 0x40, 0x34, 0x00, 0xC0}, 16383, -16383},
      {"24-bit in a 2-byte block", 24, 1, 2, 999, {0x00, 0x40}, 0, 0},
  };
  for (const DepthCase& c : cases) {
    HostResetSound();
    std::vector<uint8_t> format = Format(c);
    SoundBuffer buffer = nullptr;
    ASSERT_EQ(PortCreateSoundBuffer(nullptr, SoundBufferDesc{20, DsbCapsStatic, c.dataBytes, format.data()}, &buffer), DsOk);
    void* first = nullptr;
    void* second = nullptr;
    uint32_t n1 = 0, n2 = 0;
    ASSERT_EQ(PortLockSoundBuffer(buffer, 0, c.dataBytes, &first, &n1, &second, &n2), DsOk);
    for (uint32_t i = 0; i < n1; ++i) static_cast<uint8_t*>(first)[i] = c.block[i % c.block.size()];
    PortPlaySoundBuffer(buffer, 0);
    uint32_t frames = c.dataBytes / c.blockAlign;
    std::vector<int16_t> mix(2 * (frames + 8), 0);
    HostMixSound(mix.data(), int32_t(frames + 8), 22050);
    EXPECT_FALSE(HostSoundBufferPlaying(buffer)) << c.name;  // played to its end
    int wrong = 0;
    for (uint32_t i = 0; i < frames + 8; ++i) {
      bool playing = i < frames;
      wrong += mix[2 * i] != (playing ? c.left : 0) || mix[2 * i + 1] != (playing ? c.right : 0);
    }
    EXPECT_EQ(wrong, 0) << c.name << ": first frame " << mix[0] << " " << mix[1];
  }
  HostResetSound();
}
