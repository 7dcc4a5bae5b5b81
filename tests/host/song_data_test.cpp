#include <gtest/gtest.h>

#include <map>

#include "game/media/music_player.h"
#include "tests/host/world_fixture.h"

namespace {
uint32_t Read32(const char* p) {
  const uint8_t* b = reinterpret_cast<const uint8_t*>(p);
  return b[0] | b[1] << 8 | b[2] << 16 | uint32_t(b[3]) << 24;
}
}  // namespace

using SongData = World;

// Each song loops without a seam: it lasts whole 4/4 bars, sets its tempo
// first, and no note is left sounding across the loop point.
TEST_F(SongData, SongsLoopOnWholeBarsWithEveryNoteEnded) {
  for (const char* file : {"Fighters.mds", "sadness.mds"}) {
    MusicPlayer* p = nullptr;
    ASSERT_EQ(CreateMusicPlayer(file, 0, MusicFromFile, &p), MusicOk) << file;
    uint64_t ticks = 0;
    std::map<uint32_t, int> sounding;  // channel and key -> notes on
    uint32_t firstEvent = 0;
    std::map<int, int> programs;
    for (uint32_t i = 0; i < p->bufferCount; ++i) {
      MidiHeader* h = MusicHeader(p, i);
      for (uint32_t at = 0; at + 12 <= h->bytesRecorded; at += 12) {
        ticks += Read32(h->data + at);
        uint32_t event = Read32(h->data + at + 8);
        if (!firstEvent) firstEvent = event;
        ASSERT_EQ(event & 0x80000000u, 0u) << file;
        if (event >> 24) continue;
        uint32_t status = event & 0xF0, key = (event & 0x0F) << 8 | (event >> 8 & 0x7F);
        if (status == 0x90 && (event >> 16 & 0x7F)) sounding[key] += 1;
        if (status == 0x80 || (status == 0x90 && !(event >> 16 & 0x7F))) sounding[key] -= 1;
        if (status == 0xC0) programs[event & 0x0F] = event >> 8 & 0x7F;
      }
    }
    EXPECT_EQ(firstEvent >> 24, 1u) << file << ": the tempo comes first";
    EXPECT_EQ(ticks % (4 * p->timeFormat), 0u) << file;
    EXPECT_GT(ticks / p->timeFormat / 4, 16u) << file << ": bars";
    for (const auto& entry : sounding) EXPECT_EQ(entry.second, 0) << file << " key " << entry.first;
    EXPECT_GE(programs.size(), 4u) << file;
    DestroyMusicPlayer(p);
  }
}
