#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "game/media/host/host_midi.h"
#include "game/media/mds_file.h"
#include "tests/host/world_fixture.h"
#include "tools/music/song_import.h"
#include "tools/sim/sim_audio.h"

namespace {
using Bytes = std::vector<uint8_t>;

void Big(Bytes& out, uint32_t v, int bytes) {
  for (int i = bytes - 1; i >= 0; --i) out.push_back(uint8_t(v >> (8 * i)));
}

// A track chunk of raw events; the end of track follows unless `ended`.
Bytes Track(Bytes events, bool ended = false) {
  if (!ended) events.insert(events.end(), {0x00, 0xFF, 0x2F, 0x00});
  Bytes out = {'M', 'T', 'r', 'k'};
  Big(out, uint32_t(events.size()), 4);
  out.insert(out.end(), events.begin(), events.end());
  return out;
}

Bytes Smf(uint16_t format, uint16_t division, const std::vector<Bytes>& tracks, int declared = -1) {
  Bytes out = {'M', 'T', 'h', 'd', 0, 0, 0, 6};
  Big(out, format, 2);
  Big(out, uint16_t(declared < 0 ? tracks.size() : size_t(declared)), 2);
  Big(out, division, 2);
  for (const Bytes& t : tracks) out.insert(out.end(), t.begin(), t.end());
  return out;
}

// A thousand notes a sixteenth apart: many buffers.
Bytes ManyNotes() {
  Bytes events = {0x00, 0xC0, 0x05};
  for (int i = 0; i < 1000; ++i) {
    uint8_t key = uint8_t(48 + i % 24);
    events.push_back(i ? 4 : 0);
    if (i == 0) events.push_back(0x90);  // then running status throughout
    events.insert(events.end(), {key, 0x50, 20, key, 0x00});
  }
  return Smf(0, 96, {Track(events)});
}

struct SongCase {
  const char* name;
  Bytes file;
  int format, tracks, events, sysEx, metas;
};

std::vector<SongCase> SmallSongs() {
  const Bytes tempo120 = {0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20};
  return {
      {"format 0, running status",
       Smf(0, 96, {Track({0x00, 0xC0, 0x00, 0x00, 0x90, 0x3C, 0x64, 0x00, 0x40, 0x64, 0x00, 0x43, 0x64,
                          0x60, 0x3C, 0x00, 0x00, 0x40, 0x00, 0x00, 0x43, 0x00})}),
       0, 1, 7, 0, 0},
      {"format 1, three tracks and a tempo map",
       Smf(1, 480,
           {Track({0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20, 0x83, 0x60, 0xFF, 0x51, 0x03, 0x0A, 0x2C, 0x2A,
                   0x83, 0x60, 0xFF, 0x51, 0x03, 0x05, 0x16, 0x15}),
            Track({0x00, 0xC1, 0x30, 0x00, 0xB1, 0x07, 0x64, 0x00, 0x91, 0x3C, 0x50, 0x87, 0x40, 0x81, 0x3C, 0x40,
                   0x00, 0x91, 0x3E, 0x50, 0x87, 0x40, 0x3E, 0x00}),
            Track({0x00, 0x99, 0x24, 0x64, 0x00, 0x2A, 0x50, 0x83, 0x60, 0x26, 0x64, 0x00, 0x2A, 0x50,
                   0x83, 0x60, 0x24, 0x64})}),
       1, 3, 14, 0, 0},
      {"SysEx and meta events left out",
       Smf(1, 96,
           {Track({0x00, 0xF0, 0x05, 0x7E, 0x7F, 0x09, 0x01, 0xF7, 0x00, 0xFF, 0x03, 0x04, 'S', 'o', 'n', 'g',
                   0x00, 0xFF, 0x58, 0x04, 0x04, 0x02, 0x18, 0x08, 0x00, 0xFF, 0x59, 0x02, 0x00, 0x00}),
            Track({0x00, 0xB0, 0x79, 0x00, 0x00, 0xF7, 0x02, 0xF3, 0x01, 0x00, 0x90, 0x3C, 0x64, 0x60, 0x80, 0x3C,
                   0x00, 0x00, 0xE0, 0x00, 0x40})}),
       1, 2, 4, 2, 3},
      {"SMPTE time, a pause after the last note",
       Smf(0, 0xE728, {Track({0x00, 0x90, 0x45, 0x64, 0x83, 0x74, 0x80, 0x45, 0x00, 0x87, 0x68, 0xFF, 0x2F, 0x00}, true)}),
       0, 1, 2, 0, 0},
      {"a thousand notes", ManyNotes(), 0, 1, 2001, 0, 0},
  };
}

Bytes ReadData(const std::string& name) {
  std::ifstream in(std::string(ZARVEL_DATA_DIR) + "/" + name, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The events of the song made, as the player expands them (12 bytes
// each), must fit the maximum buffer size buffer by buffer.
void ExpectBuffersFit(const Bytes& mds, const std::string& name) {
  MdsHeader h;
  ASSERT_TRUE(ParseMdsHeader(mds.data(), mds.size(), h)) << name;
  size_t pos = h.firstBuffer;
  for (uint32_t i = 0; i < h.bufferCount; ++i) {
    uint32_t stored = mds[pos + 4] | mds[pos + 5] << 8 | mds[pos + 6] << 16 | uint32_t(mds[pos + 7]) << 24;
    EXPECT_LE(stored / 8 * 12, h.maxBuffer) << name << " buffer " << i;
    pos += 8 + stored;
  }
}
}  // namespace

TEST(MusicImport, ImportExportImportGivesTheSameStreamFile) {
  for (const SongCase& c : SmallSongs()) {
    ImportedSong first, again;
    std::string error;
    ASSERT_TRUE(ImportMidi(c.file.data(), c.file.size(), first, error)) << c.name << ": " << error;
    EXPECT_EQ(first.facts.format, c.format) << c.name;
    EXPECT_EQ(first.facts.tracks, c.tracks) << c.name;
    EXPECT_EQ(int(first.song.events.size()), c.events) << c.name;
    EXPECT_EQ(first.dropped.sysEx, c.sysEx) << c.name;
    EXPECT_EQ(first.dropped.metas, c.metas) << c.name;
    ExpectBuffersFit(first.mds, c.name);
    LoadedSong loaded;
    ASSERT_TRUE(LoadSong(first.mds, loaded, error)) << c.name;
    Bytes exported;
    ASSERT_TRUE(WriteMidiFile(loaded.song, exported, loaded.dropped)) << c.name;
    ASSERT_TRUE(ImportMidi(exported.data(), exported.size(), again, error)) << c.name << ": " << error;
    EXPECT_EQ(again.mds, first.mds) << c.name;
  }
}

// The tracks merged by tick, the earlier track first at one tick, and the
// tempo map's times as the stream will play them.
TEST(MusicImport, TracksMergeByTickAndTempoChangesKeepTheirPlace) {
  SongCase c = SmallSongs()[1];
  ImportedSong song;
  std::string error;
  ASSERT_TRUE(ImportMidi(c.file.data(), c.file.size(), song, error)) << error;
  std::vector<std::pair<uint32_t, uint32_t>> expected = {
      {0, 0x0107A120},    {0, 0x30C1},     {0, 0x6407B1},   {0, 0x503C91},   {0, 0x642499},
      {0, 0x502A99},      {480, 0x010A2C2A}, {480, 0x642699}, {480, 0x502A99}, {960, 0x01051615},
      {960, 0x403C81},    {960, 0x503E91},  {960, 0x642499}, {1920, 0x3E91}};
  ASSERT_EQ(song.song.events.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(song.song.events[i].tick, expected[i].first) << i;
    EXPECT_EQ(song.song.events[i].word, expected[i].second) << i;
  }
  // 480 ticks at 120 bpm, 480 at 90, 960 at 180: 0.5 + 0.667 + 0.667 s.
  EXPECT_NEAR(SongSeconds(song.song), 1.8333, 0.001);
}

TEST(MusicImport, DamagedFilesAreRefusedWithAReason) {
  struct Case { const char* name; Bytes file; const char* reason; };
  Bytes cut = Smf(0, 96, {Track({0x00, 0x90, 0x3C, 0x64})});
  cut.resize(cut.size() - 3);
  const Case cases[] = {
      {"nothing", {}, "MThd"},
      {"a wave file", {'R', 'I', 'F', 'F', 4, 0, 0, 0, 'W', 'A', 'V', 'E'}, "MThd"},
      {"format 2", Smf(2, 96, {Track({})}), "format 2"},
      {"division 0", Smf(0, 0, {Track({})}), "division"},
      {"SMPTE at 23 frames", Smf(0, 0xE928, {Track({})}), "division"},
      {"a track past the end", cut, "past the end"},
      {"data before any status", Smf(0, 96, {Track({0x00, 0x3C, 0x64})}), "no status"},
      {"a five-byte delta", Smf(0, 96, {Track({0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 0x90, 0x3C, 0x64})}), "four bytes"},
      {"a song position message", Smf(0, 96, {Track({0x00, 0xF2, 0x00, 0x00})}), "system message"},
      {"a status byte among the data", Smf(0, 96, {Track({0x00, 0x90, 0x3C, 0x90})}), "status byte"},
      {"an event cut off by its track", Smf(0, 96, {Track({0x00, 0x90, 0x3C}, true)}), "middle of an event"},
      {"a meta longer than its track", Smf(0, 96, {Track({0x00, 0xFF, 0x01, 0x40, 'x'}, true)}), "longer than its track"},
      {"two tracks promised, one there", Smf(1, 96, {Track({})}, 2), "promises 2"},
  };
  for (const Case& c : cases) {
    ImportedSong song;
    std::string error;
    EXPECT_FALSE(ImportMidi(c.file.data(), c.file.size(), song, error)) << c.name;
    EXPECT_NE(error.find(c.reason), std::string::npos) << c.name << ": " << error;
  }
}

// Exported and imported again, each of the game's songs plays the same
// notes, controllers and tempo at the same ticks, and ends where it did.
TEST(MusicExport, TheGameSongsComeBackNoteForNote) {
  for (const char* file : {"Fighters.mds", "sadness.mds"}) {
    LoadedSong original;
    std::string error;
    ASSERT_TRUE(LoadSong(ReadData(file), original, error)) << file << ": " << error;
    Bytes mid;
    ASSERT_TRUE(WriteMidiFile(original.song, mid, original.dropped)) << file;
    ImportedSong back;
    ASSERT_TRUE(ImportMidi(mid.data(), mid.size(), back, error)) << file << ": " << error;
    std::vector<SongEvent> a = PlayedEvents(original.song), b = PlayedEvents(back.song);
    ASSERT_EQ(a.size(), b.size()) << file;
    EXPECT_GT(a.size(), 500u) << file;
    for (size_t i = 0; i < a.size(); ++i) {
      ASSERT_EQ(a[i].tick, b[i].tick) << file << " event " << i;
      ASSERT_EQ(a[i].word, b[i].word) << file << " event " << i;
    }
    EXPECT_EQ(back.song.endTick, original.song.endTick) << file;
  }
}

using ImportedMusic = World;

// Each small song, imported and put in the data folder as the first
// stage's music, is heard when the stage plays it; a song with no notes
// is the silence to compare with.
TEST_F(ImportedMusic, PlaysAsTheStageSong) {
  namespace fs = std::filesystem;
  std::vector<SongCase> songs = SmallSongs();
  songs.push_back({"no notes", Smf(0, 96, {Track({0x83, 0x00, 0xFF, 0x2F, 0x00}, true)}), 0, 1, 0, 0, 0});
  std::vector<double> loudness;
  for (const SongCase& c : songs) {
    ImportedSong song;
    std::string error;
    ASSERT_TRUE(ImportMidi(c.file.data(), c.file.size(), song, error)) << c.name << ": " << error;
    fs::path data = fs::path(::testing::TempDir()) / "imported_music";
    fs::remove_all(data);
    fs::create_directories(data);
    for (const fs::directory_entry& e : fs::directory_iterator(ZARVEL_DATA_DIR)) fs::copy(e.path(), data / e.path().filename());
    std::ofstream(data / "Fighters.mds", std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(song.mds.data()), std::streamsize(song.mds.size()));
    ResetWorld();
    SimOptions options;
    options.frames = 60;
    options.dataDir = data.string();
    options.audioFile = (data / "stage.wav").string();
    // The stream closes when the run ends: its ticks are read while it plays.
    uint64_t ticks = 0;
    SimRun run = RunSim(options, {}, [&ticks](int64_t) {
      QuietStage();
      ticks = std::max(ticks, HostMidiTicks());
    });
    ASSERT_EQ(run.audioWritten, 1) << c.name;
    double sum = 0;
    for (int16_t s : CapturedMusic()) sum += double(s) * s;  // the music alone: the ship fires over it
    loudness.push_back(std::sqrt(sum / double(std::max<size_t>(CapturedMusic().size(), 1))));
    EXPECT_GT(ticks, 0u) << c.name;
    fs::remove_all(data);
  }
  double silence = loudness.back();
  for (size_t i = 0; i + 1 < songs.size(); ++i) EXPECT_GT(loudness[i], 100 + 10 * silence) << songs[i].name;
}
