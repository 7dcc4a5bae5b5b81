// A song's figures, as text.
#include "tools/music/song_info.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>

#include "game/media/midi_port.h"
#include "game/media/synth_programs.h"

namespace {
std::string Format(const char* format, double a, double b = 0, double c = 0) {
  char text[160];
  std::snprintf(text, sizeof text, format, a, b, c);
  return text;
}

std::string Division(uint32_t division) {
  if (!(division & 0x8000)) return Format("%.0f ticks a quarter note", division);
  return Format("SMPTE, %.0f frames a second, %.0f ticks a frame", -int8_t(division >> 8), division & 0xFF);
}

std::string Tempo(const Song& song) {
  double first = 0, low = 1e9, high = 0;
  int32_t changes = 0;
  for (const SongEvent& e : song.events) {
    if (e.word >> 24 != MevtTempo || !(e.word & 0xFFFFFF)) continue;
    double bpm = 60e6 / (e.word & 0xFFFFFF);
    if (changes++ == 0 && e.tick == 0) first = bpm;
    low = std::min(low, bpm), high = std::max(high, bpm);
  }
  if (!first) first = 120;
  std::string text = Format("%.1f bpm at the start", first);
  if (changes > 1) text += Format(", %.0f changes (%.1f to %.1f bpm)", changes, low, high);
  return text;
}
}  // namespace

std::string SongInfo(const Song& song, const MdsFacts& facts, const SongDropped& dropped) {
  std::map<std::string, int32_t> kinds;
  std::set<int32_t> channels;
  std::map<int32_t, std::set<int32_t>> programs;  // channel -> programs
  int32_t played = 0;
  for (const SongEvent& e : song.events) {
    uint32_t type = e.word >> 24, status = e.word & 0xFF;
    if (type == MevtNop) continue;
    played += 1;
    if (type == MevtTempo) {
      kinds["tempo"] += 1;
      continue;
    }
    if (status < 0x80 || status >= 0xF0) {
      kinds["other"] += 1;
      continue;
    }
    static const char* const names[] = {"note off", "note on", "key pressure", "controller",
                                        "program", "channel pressure", "pitch bend"};
    kinds[names[(status >> 4) - 8]] += 1;
    channels.insert(int32_t(status & 0x0F) + 1);
    if ((status & 0xF0) == 0xC0) programs[int32_t(status & 0x0F) + 1].insert(int32_t(e.word >> 8 & 0x7F));
  }
  std::string text = "division  " + Division(song.division) + "\n";
  text += "tempo     " + Tempo(song) + "\n";
  text += Format("events    %.0f:", played);
  for (const auto& k : kinds) text += Format(" %.0f ", k.second) + k.first + ",";
  text.back() = '\n';
  text += Format("buffers   %.0f of at most %.0f bytes as played\n", facts.buffers, facts.maxBuffer);
  double seconds = SongSeconds(song);
  text += Format("length    %.0f ticks, %.0f:%04.1f\n", song.endTick, int(seconds / 60), seconds - 60 * int(seconds / 60));
  text += "channels ";
  for (int32_t c : channels) text += " " + std::to_string(c);
  text += "\nprograms ";
  for (const auto& entry : programs) {
    text += "\n  channel " + std::to_string(entry.first) + ":";
    for (int32_t p : entry.second) text += " " + std::to_string(p) + " " + GmProgramName(p) + ";";
    text.pop_back();
  }
  if (channels.count(10)) text += "\n  channel 10: drum kit";
  text += "\n";
  if (dropped.sysEx || dropped.metas || dropped.longEvents || dropped.other)
    text += Format("left out  %.0f system exclusive, %.0f meta events, %.0f other\n", dropped.sysEx, dropped.metas,
                   dropped.longEvents + dropped.other);
  return text;
}
