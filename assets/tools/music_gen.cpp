// Songs from note text: sections of bars, one line per bar and part, played
// in the order of a song line, compiled into a MIDI stream file.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <map>
#include <sstream>

#include "audio_sources.h"

uint32_t MevtTempoWord(int bpm);

namespace {
struct Part {
  int channel = 0, program = 0, level = 100, pan = 64, velocity = 96;
};
struct Section {
  std::map<std::string, std::vector<std::string>> bars;  // per part, one text a bar
};
struct Song {
  std::string file;
  int tempo = 120, division = 96, buffer = 1024, idless = 1, steps = 16;
  std::vector<std::string> partOrder;
  std::map<std::string, Part> parts;
  std::map<std::string, Section> sections;
  std::vector<std::string> order;
};
struct Event {
  uint32_t tick;
  int rank;  // offs before controls before ons at one tick
  uint32_t word;
};

// A comment starts with '#' at a word's start; inside a word it is a sharp.
std::string WithoutComment(const std::string& line) {
  for (size_t i = 0; i < line.size(); ++i)
    if (line[i] == '#' && (i == 0 || std::isspace(static_cast<unsigned char>(line[i - 1]))))
      return line.substr(0, i);
  return line;
}

int Fail(const std::string& where, int line, const std::string& what) {
  std::fprintf(stderr, "%s:%d: %s\n", where.c_str(), line, what.c_str());
  return 0;
}

// "c4", "f#3", "bb5": MIDI note number, or -1.
int NoteNumber(const std::string& t) {
  static const int base[7] = {9, 11, 0, 2, 4, 5, 7};  // a b c d e f g
  if (t.size() < 2 || t[0] < 'a' || t[0] > 'g') return -1;
  int n = base[t[0] - 'a'];
  size_t i = 1;
  for (; i < t.size() && (t[i] == '#' || t[i] == 'b'); ++i) n += t[i] == '#' ? 1 : -1;
  if (i + 1 != t.size() || !std::isdigit(static_cast<unsigned char>(t[i]))) return -1;
  return n + 12 * (t[i] - '0' + 1);
}

int DrumNumber(const std::string& t) {
  static const std::map<std::string, int> kit = {
      {"k", 36}, {"s", 38}, {"p", 39}, {"h", 42}, {"o", 46}, {"c", 49},
      {"t1", 50}, {"t2", 47}, {"t3", 43}, {"r", 51}};
  auto found = kit.find(t);
  return found == kit.end() ? -1 : found->second;
}

int ParseHeader(Song& s, const std::string& verb, std::istringstream& in) {
  if (verb == "file") in >> s.file;
  else if (verb == "tempo") in >> s.tempo;
  else if (verb == "division") in >> s.division;
  else if (verb == "buffer") in >> s.buffer;
  else if (verb == "idless") in >> s.idless;
  else if (verb == "part") {
    std::string name, key;
    in >> name;
    Part p;
    while (in >> key) {
      if (key == "channel") in >> p.channel;
      else if (key == "program") in >> p.program;
      else if (key == "level") in >> p.level;
      else if (key == "pan") in >> p.pan;
      else if (key == "velocity") in >> p.velocity;
      else return 0;
    }
    if (p.channel < 1 || p.channel > 16) return 0;
    p.channel -= 1;
    s.parts[name] = p;
    s.partOrder.push_back(name);
    return 1;
  } else if (verb == "song") {
    std::string name;
    while (in >> name) s.order.push_back(name);
    return 1;
  } else return 0;
  return !in.fail();
}

int Parse(const std::string& text, const std::string& where, Song& s) {
  std::istringstream lines(text);
  std::string line, current;
  for (int n = 1; std::getline(lines, line); ++n) {
    line = WithoutComment(line);
    size_t colon = line.find(':');
    std::istringstream in(line);
    std::string verb;
    if (!(in >> verb)) continue;
    if (verb == "section") {
      in >> current;
      s.sections[current];
    } else if (colon != std::string::npos) {
      std::string part = line.substr(0, colon);
      part.erase(std::remove_if(part.begin(), part.end(), ::isspace), part.end());
      if (current.empty() || !s.parts.count(part)) return Fail(where, n, "bar outside a section or of no part");
      std::string bar = line.substr(colon + 1);
      int times = 1;
      size_t x = bar.rfind(" x");
      if (x != std::string::npos && x + 2 < bar.size() && std::isdigit(static_cast<unsigned char>(bar[x + 2]))) {
        times = std::atoi(bar.c_str() + x + 2);
        bar = bar.substr(0, x);
      }
      for (int i = 0; i < times; ++i) s.sections[current].bars[part].push_back(bar);
    } else if (!ParseHeader(s, verb, in)) {
      return Fail(where, n, "bad line");
    }
  }
  if (s.file.empty() || s.order.empty() || s.tempo <= 0 || s.division <= 0 || s.buffer < 64)
    return Fail(where, 0, "needs file, tempo, division, buffer and a song line");
  for (const std::string& name : s.order)
    if (!s.sections.count(name)) return Fail(where, 0, "song names no section '" + name + "'");
  return 1;
}

uint32_t Short(int status, int a, int b) { return uint32_t(status | a << 8 | b << 16); }

// One bar of one part from `start`; returns 0 when it does not fill the bar.
int CompileBar(const Song& s, const Part& p, const std::string& bar, uint32_t start, std::vector<Event>& out) {
  uint32_t stepTicks = uint32_t(s.division / 4);
  std::istringstream in(bar);
  std::string token;
  int length = 4, steps = 0;
  while (in >> token) {
    size_t dot = token.find('.');
    std::string notes = token.substr(0, dot);
    if (dot != std::string::npos) length = std::atoi(token.c_str() + dot + 1);
    bool accent = !notes.empty() && notes.back() == '!';
    if (accent) notes.pop_back();
    if (length <= 0) return 0;
    uint32_t on = start + uint32_t(steps) * stepTicks;
    steps += length;
    if (notes == "r" && p.channel != 9) continue;
    std::istringstream chord(notes);
    std::string one;
    while (std::getline(chord, one, '+')) {
      int key = p.channel == 9 ? DrumNumber(one) : NoteNumber(one);
      if (key < 0 || key > 127) return 0;
      int velocity = std::min(127, accent ? p.velocity + 28 : p.velocity);
      uint32_t off = p.channel == 9 ? on + stepTicks : on + uint32_t(length) * stepTicks;
      out.push_back({on, 2, Short(0x90 | p.channel, key, velocity)});
      out.push_back({off, 0, Short(0x80 | p.channel, key, 0)});
    }
  }
  return steps == s.steps;
}

int CompileEvents(const Song& s, const std::string& where, std::vector<Event>& events, uint32_t& end) {
  events.push_back({0, 1, MevtTempoWord(s.tempo)});
  for (const std::string& name : s.partOrder) {
    const Part& p = s.parts.at(name);
    if (p.channel != 9) events.push_back({0, 1, Short(0xC0 | p.channel, p.program, 0)});
    // Expression carries the mix, so the game's channel volume stays its own.
    events.push_back({0, 1, Short(0xB0 | p.channel, 11, p.level)});
    events.push_back({0, 1, Short(0xB0 | p.channel, 10, p.pan)});
  }
  uint32_t barTicks = uint32_t(s.steps * s.division / 4), at = 0;
  for (const std::string& name : s.order) {
    const Section& section = s.sections.at(name);
    size_t bars = 0;
    for (const auto& entry : section.bars) bars = std::max(bars, entry.second.size());
    for (const auto& entry : section.bars)
      for (size_t b = 0; b < entry.second.size(); ++b)
        if (!CompileBar(s, s.parts.at(entry.first), entry.second[b], at + uint32_t(b) * barTicks, events))
          return Fail(where, 0, "section " + name + ", part " + entry.first + ", bar " +
                                    std::to_string(b + 1) + ": bad note or not " +
                                    std::to_string(s.steps) + " steps");
    at += uint32_t(bars) * barTicks;
  }
  end = at;
  std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) {
    return a.tick != b.tick ? a.tick < b.tick : a.rank < b.rank;
  });
  return 1;
}
}  // namespace

uint32_t MevtTempoWord(int bpm) { return 0x01000000u | uint32_t(60000000 / bpm); }

namespace {
void Put32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(uint8_t(v >> 8 * i));
}
void Set32(std::vector<uint8_t>& out, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) out[at + i] = uint8_t(v >> 8 * i);
}
}  // namespace

int MakeSong(const std::string& text, const std::string& where, std::string& fileName, std::vector<uint8_t>& mds) {
  Song s;
  std::vector<Event> events;
  uint32_t end = 0;
  if (!Parse(text, where, s) || !CompileEvents(s, where, events, end)) return 0;
  // The last event lands on the loop point, so the repeat keeps the beat.
  if (events.back().tick < end) events.push_back({end, 3, 0x02000000u});  // MEVT_NOP
  uint32_t eventBytes = s.idless ? 8 : 12, playedBytes = 12;
  uint32_t perBuffer = uint32_t(s.buffer) / playedBytes;
  std::vector<uint8_t> data;
  uint32_t buffers = 0, last = 0;
  for (size_t first = 0; first < events.size(); first += perBuffer, ++buffers) {
    size_t count = std::min<size_t>(perBuffer, events.size() - first);
    Put32(data, events[first].tick);
    Put32(data, uint32_t(count * eventBytes));
    for (size_t i = first; i < first + count; ++i) {
      Put32(data, events[i].tick - last);
      if (!s.idless) Put32(data, 0);
      Put32(data, events[i].word);
      last = events[i].tick;
    }
  }
  mds.clear();
  for (const char* id : {"RIFF", "....", "MIDS", "fmt "}) mds.insert(mds.end(), id, id + 4);
  Put32(mds, 12);
  Put32(mds, uint32_t(s.division));
  Put32(mds, uint32_t(s.buffer));
  Put32(mds, s.idless ? 1u : 0u);
  mds.insert(mds.end(), {'d', 'a', 't', 'a'});
  Put32(mds, uint32_t(4 + data.size()));
  Put32(mds, buffers);
  mds.insert(mds.end(), data.begin(), data.end());
  Set32(mds, 4, uint32_t(mds.size() - 8));
  fileName = s.file;
  std::fprintf(stderr, "%s: %u events in %u buffers, %.1f s a loop\n", s.file.c_str(),
               unsigned(events.size()), buffers, end * 60.0 / s.tempo / s.division);
  return 1;
}
