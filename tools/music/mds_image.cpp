// Songs cut into MIDI stream buffers, and read back through the game's loader.
#include "tools/music/mds_image.h"

#include <algorithm>

#include "game/media/mds_file.h"
#include "game/media/music_player.h"

namespace {
constexpr uint32_t PlayedEventBytes = 12;  // delta, stream id, event word
constexpr uint32_t StoredEventBytes = 8;   // delta, event word

uint32_t Read32(const char* p) {
  const uint8_t* b = reinterpret_cast<const uint8_t*>(p);
  return b[0] | b[1] << 8 | b[2] << 16 | uint32_t(b[3]) << 24;
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(uint8_t(v >> 8 * i));
}
void PutId(std::vector<uint8_t>& out, const char* id) { out.insert(out.end(), id, id + 4); }
}  // namespace

std::vector<uint8_t> MdsImageOf(const Song& song, uint32_t maxBuffer) {
  std::vector<SongEvent> events = song.events;
  if (events.empty() ? song.endTick > 0 : events.back().tick < song.endTick)
    events.push_back({song.endTick, MevtNop << 24});
  uint32_t perBuffer = maxBuffer / PlayedEventBytes;
  std::vector<uint8_t> data;
  uint32_t buffers = 0, last = 0;
  for (size_t first = 0; perBuffer && first < events.size(); first += perBuffer, ++buffers) {
    size_t count = std::min<size_t>(perBuffer, events.size() - first);
    Put32(data, events[first].tick);
    Put32(data, uint32_t(count * StoredEventBytes));
    for (size_t i = first; i < first + count; ++i) {
      Put32(data, events[i].tick - last);
      Put32(data, events[i].word);
      last = events[i].tick;
    }
  }
  std::vector<uint8_t> out;
  PutId(out, "RIFF");
  Put32(out, uint32_t(4 + 8 + 12 + 8 + 4 + data.size()));
  PutId(out, "MIDS");
  PutId(out, "fmt ");
  Put32(out, 12);
  Put32(out, song.division);
  Put32(out, maxBuffer);
  Put32(out, MdsNoStreamId);
  PutId(out, "data");
  Put32(out, uint32_t(4 + data.size()));
  Put32(out, buffers);
  out.insert(out.end(), data.begin(), data.end());
  return out;
}

int32_t SongFromMds(const uint8_t* image, size_t size, Song& song, MdsFacts& facts, SongDropped& dropped) {
  song = Song{};
  facts = MdsFacts{};
  MusicPlayer* p = nullptr;
  int32_t result = CreateMusicPlayer(image, size, MusicFromMemory, &p);
  if (result != MusicOk) return result;
  song.division = p->timeFormat;
  facts = {p->bufferCount, p->maxBuffer, p->fileFlags};
  uint64_t tick = 0;
  for (uint32_t i = 0; i < p->bufferCount && result == MusicOk; ++i) {
    const MidiHeader* h = MusicHeader(p, i);
    for (uint32_t at = 0; at + PlayedEventBytes <= h->bytesRecorded;) {
      tick += Read32(h->data + at);
      uint32_t word = Read32(h->data + at + 8);
      at += PlayedEventBytes;
      if (tick > 0xFFFFFFFFu) {
        result = MusicInvalidFile;  // longer than a song can count
        break;
      }
      if (word & 0x80000000u) {
        uint32_t length = ((word & 0xFFFFFF) + 3) & ~3u;
        at = length > h->bytesRecorded - at ? h->bytesRecorded : at + length;
        dropped.longEvents += 1;
      } else if (word >> 24 == MevtShortMsg || word >> 24 == MevtTempo || word >> 24 == MevtNop) {
        song.events.push_back({uint32_t(tick), word});
      } else {
        dropped.other += 1;
      }
    }
  }
  song.endTick = uint32_t(tick);
  DestroyMusicPlayer(p);
  return result;
}
