// Reading and writing standard MIDI files.
#include "tools/music/midi_file.h"

#include <algorithm>
#include <cstring>

#include "game/media/mds_file.h"
#include "game/media/midi_port.h"

namespace {
constexpr uint32_t MaxVariableLength = 0x0FFFFFFF;  // four bytes of seven bits

uint32_t Big32(const uint8_t* p) { return uint32_t(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3]; }
uint32_t Little32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24; }
bool IsId(const uint8_t* p, const char* id) { return std::memcmp(p, id, 4) == 0; }

struct Reader {
  const uint8_t* bytes;
  size_t pos, end;
  std::string error;
  bool Fail(const std::string& what) {
    if (error.empty()) error = what + " at byte " + std::to_string(pos);
    return false;
  }
  bool Byte(uint8_t& b) {
    if (pos >= end) return Fail("the track ends in the middle of an event");
    b = bytes[pos++];
    return true;
  }
  bool VariableLength(uint32_t& value) {
    value = 0;
    for (int i = 0; i < 4; ++i) {
      uint8_t b = 0;
      if (!Byte(b)) return false;
      value = value << 7 | (b & 0x7F);
      if (!(b & 0x80)) return true;
    }
    return Fail("a number longer than four bytes");
  }
  bool Skip(uint32_t length) {
    if (length > end - pos) return Fail("an event longer than its track");
    pos += length;
    return true;
  }
};

struct Timed {
  uint64_t tick;
  uint32_t word;
};

bool ReadTrack(Reader& r, std::vector<Timed>& out, uint64_t& endTick, SongDropped& dropped) {
  uint64_t tick = 0;
  uint8_t running = 0;
  while (r.pos < r.end) {
    uint32_t delta;
    uint8_t status = 0;
    if (!r.VariableLength(delta) || !r.Byte(status)) return false;
    tick += delta;
    if (tick > 0xFFFFFFFFu) return r.Fail("a song longer than 2^32 ticks");
    if (status < 0x80) {  // running status: this was the first data byte
      if (!running) return r.Fail("a data byte with no status before it");
      status = running, r.pos -= 1;
    }
    if (status < 0xF0) {
      running = status;
      uint32_t word = status;
      for (int32_t i = 0; i < ChannelDataBytes(status); ++i) {
        uint8_t data = 0;
        if (!r.Byte(data)) return false;
        if (data & 0x80) return r.Fail("a status byte where a data byte belongs");
        word |= uint32_t(data) << (8 * (i + 1));
      }
      out.push_back({tick, word});
      continue;
    }
    uint32_t length;
    if (status == 0xF0 || status == 0xF7) {
      if (!r.VariableLength(length) || !r.Skip(length)) return false;
      dropped.sysEx += 1;
      continue;
    }
    if (status != 0xFF) return r.Fail("a system message that has no place in a MIDI file");
    uint8_t type = 0;
    if (!r.Byte(type) || !r.VariableLength(length)) return false;
    const uint8_t* data = r.bytes + r.pos;
    if (!r.Skip(length)) return false;
    if (type == 0x2F) break;  // end of track
    uint32_t tempo = length == 3 ? uint32_t(data[0]) << 16 | data[1] << 8 | data[2] : 0;
    if (type == 0x51 && tempo) out.push_back({tick, MevtTempo << 24 | tempo});
    else dropped.metas += 1;
  }
  endTick = tick;
  return true;
}

// The MIDI file inside a RIFF "RMID" file's "data" chunk, or the bytes as they are.
void Unwrap(const uint8_t*& bytes, size_t& size) {
  if (size < 12 || !IsId(bytes, "RIFF") || !IsId(bytes + 8, "RMID")) return;
  for (size_t pos = 12; size - pos >= 8;) {
    uint32_t length = Little32(bytes + pos + 4);
    if (IsId(bytes + pos, "data")) {
      bytes += pos + 8;
      size = std::min<size_t>(length, size - pos - 8);
      return;
    }
    if (length > size - pos - 8) return;
    pos += 8 + length + (length & 1);
  }
}

void Put(std::vector<uint8_t>& out, std::initializer_list<uint8_t> bytes) { out.insert(out.end(), bytes); }
void PutBig32(std::vector<uint8_t>& out, uint32_t v) { Put(out, {uint8_t(v >> 24), uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v)}); }
void PutVariableLength(std::vector<uint8_t>& out, uint32_t v) {
  uint8_t groups[4];
  int n = 0;
  do groups[n++] = v & 0x7F, v >>= 7;
  while (v && n < 4);
  while (n-- > 0) out.push_back(uint8_t(groups[n] | (n ? 0x80 : 0)));
}
}  // namespace

int32_t ReadMidiFile(const uint8_t* bytes, size_t size, Song& song, MidiFileFacts& facts, SongDropped& dropped,
                     std::string& error) {
  song = Song{};
  facts = MidiFileFacts{};
  Unwrap(bytes, size);
  if (size < 14 || !IsId(bytes, "MThd") || Big32(bytes + 4) < 6 || Big32(bytes + 4) > size - 8) {
    error = "not a standard MIDI file (no MThd header)";
    return 0;
  }
  facts.format = bytes[8] << 8 | bytes[9];
  int32_t declared = bytes[10] << 8 | bytes[11];
  song.division = uint32_t(bytes[12] << 8 | bytes[13]);
  if (facts.format > 1) {
    error = "format " + std::to_string(facts.format) + " (independent patterns) cannot play as one song";
    return 0;
  }
  if (!MdsTimeFormatValid(song.division)) {
    error = "time division " + std::to_string(song.division) + " is neither ticks a quarter nor SMPTE frames";
    return 0;
  }
  std::vector<Timed> all;
  uint64_t end = 0;
  // Chunks until the file ends; a chunk header cut off at the very end is
  // trailing rubbish, a track cut off is a damaged file.
  for (size_t pos = 8 + Big32(bytes + 4); size - pos >= 8;) {
    uint32_t length = Big32(bytes + pos + 4);
    if (length > size - pos - 8) {
      error = "chunk at byte " + std::to_string(pos) + " runs past the end of the file";
      return 0;
    }
    if (IsId(bytes + pos, "MTrk")) {
      Reader r{bytes, pos + 8, pos + 8 + length, {}};
      uint64_t trackEnd = 0;
      size_t first = all.size();
      if (!ReadTrack(r, all, trackEnd, dropped)) {
        error = "track " + std::to_string(facts.tracks + 1) + ": " + r.error;
        return 0;
      }
      // Merged by tick; at one tick the earlier track first.
      std::inplace_merge(all.begin(), all.begin() + long(first), all.end(),
                         [](const Timed& a, const Timed& b) { return a.tick < b.tick; });
      end = std::max(end, trackEnd);
      facts.tracks += 1;
    }
    pos += 8 + size_t(length);
  }
  if (facts.tracks == 0 || facts.tracks < declared) {
    error = "the header promises " + std::to_string(declared) + " tracks, the file holds " + std::to_string(facts.tracks);
    return 0;
  }
  song.events.reserve(all.size());
  for (const Timed& t : all) song.events.push_back({uint32_t(t.tick), t.word});
  song.endTick = uint32_t(std::max(end, all.empty() ? 0 : all.back().tick));
  return 1;
}

int32_t WriteMidiFile(const Song& song, std::vector<uint8_t>& out, SongDropped& dropped) {
  std::vector<uint8_t> track;
  uint32_t last = 0;
  for (const SongEvent& e : song.events) {
    uint32_t type = e.word >> 24;
    uint8_t status = e.word & 0xFF;
    bool channel = type == MevtShortMsg && status >= 0x80 && status < 0xF0;
    if (type == MevtNop) continue;
    if (!channel && type != MevtTempo) {
      dropped.other += 1;
      continue;
    }
    if (e.tick - last > MaxVariableLength) return 0;
    PutVariableLength(track, e.tick - last);
    last = e.tick;
    if (channel) {
      track.push_back(status);
      for (int32_t i = 0; i < ChannelDataBytes(status); ++i) track.push_back((e.word >> (8 * (i + 1))) & 0x7F);
    } else {
      Put(track, {0xFF, 0x51, 3, uint8_t(e.word >> 16), uint8_t(e.word >> 8), uint8_t(e.word)});
    }
  }
  if (song.endTick - last > MaxVariableLength) return 0;
  PutVariableLength(track, song.endTick > last ? song.endTick - last : 0);
  Put(track, {0xFF, 0x2F, 0});
  out.clear();
  Put(out, {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, uint8_t(song.division >> 8), uint8_t(song.division)});
  Put(out, {'M', 'T', 'r', 'k'});
  PutBig32(out, uint32_t(track.size()));
  out.insert(out.end(), track.begin(), track.end());
  return 1;
}
