#include <gtest/gtest.h>

#include "game/media/mds_file.h"
#include "game/media/music_player.h"
#include "tests/host/audio_fixture.h"

namespace {
constexpr uint32_t NoteOn = 0x00403C90, NoteOff = 0x00003C80;

std::vector<uint8_t> WithRiffSize(std::vector<uint8_t> image, uint32_t size) {
  image[4] = uint8_t(size), image[5] = uint8_t(size >> 8), image[6] = uint8_t(size >> 16), image[7] = uint8_t(size >> 24);
  return image;
}

struct ParseCase {
  const char* name;
  std::vector<uint8_t> image;
  int32_t result;
};

std::vector<ParseCase> ParseCases() {
  auto events = Events({{0, NoteOn}, {96, NoteOff}}, true);
  auto good = MdsImage(96, 64, 0, {events});
  std::vector<uint8_t> shortFmt;
  {
    std::vector<uint8_t> fmt, data;
    Put32(fmt, 96), Put32(fmt, 64);
    Put32(data, 0);
    shortFmt = Riff("MIDS", {Chunk("fmt ", fmt), Chunk("data", data)});
  }
  return {
      {"a good file", good, MusicOk},
      {"buffer count 0", MdsImage(96, 64, 0, {}), MusicOk},
      {"byte count above the maximum", MdsImage(96, 16, 0, {events}), MusicInvalidFile},
      {"byte count equal to the maximum", MdsImage(96, 24, 0, {events}), MusicOk},
      {"not MIDS", Riff("WAVE", {}), MusicInvalidFile},
      {"RIFF size beyond the file", WithRiffSize(good, uint32_t(good.size())), MusicInvalidFile},
      {"fmt under 12 bytes", shortFmt, MusicInvalidFile},
      {"buffer cut off", std::vector<uint8_t>(good.begin(), good.end() - 4), MusicInvalidFile},
      {"more buffers than the file holds", [] {
         auto v = MdsImage(96, 64, 0, {});
         v[v.size() - 4] = 0xFF, v[v.size() - 3] = 0xFF, v[v.size() - 2] = 0xFF, v[v.size() - 1] = 0xFF;
         return v;
       }(), MusicInvalidFile},
      {"idless, not a multiple of 4", MdsImage(96, 64, 1, {{0, 0, 0, 0, 0, 0}}), MusicInvalidFile},
      {"idless, delta without event", MdsImage(96, 64, 1, {{0, 0, 0, 0}}), MusicInvalidFile},
      {"idless, too big once expanded", MdsImage(96, 16, 1, {Events({{0, NoteOn}, {0, NoteOff}}, false)}),
       MusicInvalidFile},
      // The maximum buffer: up to the stream's 64 KiB. Near 4 GiB a 32-bit
      // slot size would wrap round to a few bytes.
      {"maximum 64 KiB", MdsImage(96, 0x10000, 0, {events}), MusicOk},
      {"maximum above 64 KiB", MdsImage(96, 0x10001, 0, {events}), MusicInvalidFile},
      {"maximum wrapping a 32-bit slot", MdsImage(96, 0xFFFFFFC0u, 0, {events}), MusicInvalidFile},
      {"maximum 4 GiB - 1", MdsImage(96, 0xFFFFFFFFu, 1, {events}), MusicInvalidFile},
      // Time formats: ticks per quarter, or SMPTE frames and ticks.
      {"1 tick a quarter", MdsImage(1, 64, 0, {events}), MusicOk},
      {"32767 ticks a quarter", MdsImage(0x7FFF, 64, 0, {events}), MusicOk},
      {"no ticks a quarter", MdsImage(0, 64, 0, {events}), MusicInvalidFile},
      {"low 15 bits 0, high word set", MdsImage(0x10000, 64, 0, {events}), MusicInvalidFile},
      {"96 with the high word set", MdsImage(0x10060, 64, 0, {events}), MusicInvalidFile},
      {"SMPTE 25 fps, 40 ticks", MdsImage(0xE728, 64, 0, {events}), MusicOk},
      {"SMPTE 29.97 fps, 100 ticks", MdsImage(0xE364, 64, 0, {events}), MusicOk},
      {"SMPTE 0 ticks a frame", MdsImage(0xE200, 64, 0, {events}), MusicInvalidFile},
      {"SMPTE 32 fps", MdsImage(0xE028, 64, 0, {events}), MusicInvalidFile},
      {"bit 15 alone", MdsImage(0x8000, 64, 0, {events}), MusicInvalidFile},
  };
}
}  // namespace

TEST(MdsFile, ParsingRules) {
  for (const ParseCase& c : ParseCases()) {
    MusicPlayer* p = nullptr;
    EXPECT_EQ(CreateMusicPlayer(c.image.data(), c.image.size(), MusicFromMemory, &p), c.result) << c.name;
    EXPECT_EQ(p != nullptr, c.result == MusicOk) << c.name;
    DestroyMusicPlayer(p);
  }
}

TEST(MdsFile, SourceFlagsMustNameOneSource) {
  auto image = MdsImage(96, 64, 0, {});
  for (uint32_t flags : {0u, 3u, 4u, 7u}) {
    MusicPlayer* p = nullptr;
    EXPECT_EQ(CreateMusicPlayer(image.data(), image.size(), flags, &p), MusicBadSource) << flags;
    EXPECT_EQ(p, nullptr);
  }
  MusicPlayer* p = nullptr;
  EXPECT_EQ(CreateMusicPlayer("no such file.mds", 0, MusicFromFile, &p), MusicCannotOpen);
}

// Slot sizes are counted in 64 bits at every width.
TEST(MdsFile, SlotSizeDoesNotWrap) {
  const uint32_t maxima[] = {0, 64, 0x10000, 0xFFFFFFC0u, 0xFFFFFFFFu};
  for (uint32_t m : maxima) EXPECT_EQ(MdsSlotSize(m), uint64_t(m) + sizeof(MidiHeader)) << m;
}

// Events without stream id gain a zero id: 8 bytes become 12; a long
// event's parameters are padded to a multiple of 4.
TEST(MdsFile, StreamIdExpansion) {
  struct Case {
    const char* name;
    std::vector<uint8_t> source;
    int64_t written;
  };
  std::vector<uint8_t> longEvent = Events({{5, 0x80000005u}}, false);
  longEvent.insert(longEvent.end(), {1, 2, 3, 4, 5, 0, 0, 0});
  const Case cases[] = {
      {"three short events", Events({{0, NoteOn}, {10, NoteOff}, {20, NoteOn}}, false), 36},
      {"long event with 5 parameter bytes", longEvent, 12 + 8},
      {"long event cut short", std::vector<uint8_t>(longEvent.begin(), longEvent.end() - 4), -1},
      {"empty", {}, 0},
  };
  for (const Case& c : cases) {
    uint8_t target[64] = {};
    EXPECT_EQ(ExpandStreamIds(c.source.data(), uint32_t(c.source.size()), target, sizeof target), c.written) << c.name;
  }
  std::vector<uint8_t> two = Events({{7, NoteOn}, {9, NoteOff}}, false);
  uint8_t target[24];
  ASSERT_EQ(ExpandStreamIds(two.data(), 16, target, 24), 24);
  EXPECT_EQ(std::vector<uint8_t>(target, target + 24), Events({{7, NoteOn}, {9, NoteOff}}, true));
  EXPECT_EQ(ExpandStreamIds(two.data(), 16, target, 23), -1);
}

// Each header points at its own bytes and carries the player.
TEST(MdsFile, HeadersAsTheDriverExpectsThem) {
  auto image = MdsImage(120, 40, 1, {Events({{0, NoteOn}}, false), Events({{1, NoteOn}, {2, NoteOff}}, false)});
  MusicPlayer* p = nullptr;
  ASSERT_EQ(CreateMusicPlayer(image.data(), image.size(), MusicFromMemory, &p), MusicOk);
  EXPECT_EQ(p->timeFormat, 120u);
  EXPECT_EQ(p->bufferCount, 2u);
  const uint32_t recorded[] = {12, 24};
  for (uint32_t i = 0; i < 2; ++i) {
    MidiHeader* h = MusicHeader(p, i);
    EXPECT_EQ(h->data, reinterpret_cast<char*>(h + 1));
    EXPECT_EQ(h->bufferLength, 40u);
    EXPECT_EQ(h->bytesRecorded, recorded[i]);
    EXPECT_EQ(h->user, reinterpret_cast<uintptr_t>(p));
    EXPECT_EQ(h->flags, 0u);
  }
  DestroyMusicPlayer(p);
}
