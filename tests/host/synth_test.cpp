#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "game/media/soft_midi_stream.h"
#include "game/media/synth.h"
#include "game/media/synth_tables.h"
#include "tests/host/audio_fixture.h"
#include "tools/sim/audio_measure.h"

namespace {
constexpr int32_t Rate = 22050;

// Root mean square of samples [from, to), of one channel (0 left, 1
// right) or of both.
double Energy(const std::vector<int16_t>& s, size_t from = 0, size_t to = ~size_t(0), int channel = -1) {
  double sum = 0;
  size_t n = 0;
  to = std::min(to, s.size());
  for (size_t i = from; i < to; ++i)
    if (channel < 0 || int(i % 2) == channel) sum += double(s[i]) * s[i], n += 1;
  return n ? std::sqrt(sum / double(n)) : 0;
}

// The left channel from frame `from` on.
std::vector<float> Left(const std::vector<int16_t>& s, size_t from) {
  std::vector<float> out;
  for (size_t i = 2 * from; i < s.size(); i += 2) out.push_back(s[i]);
  return out;
}

std::vector<int16_t> Play(Synth& synth, int32_t frames) {
  std::vector<int16_t> out(size_t(frames) * 2, 0);
  SynthRender(synth, out.data(), frames);
  return out;
}

// Headers queued on a stream, with a callback that counts what comes back.
struct StreamRig {
  static inline int done = 0;
  SoftMidiStream stream;
  std::vector<std::vector<uint8_t>> bytes;
  std::vector<MidiHeader> headers;
  explicit StreamRig(const std::vector<std::vector<uint8_t>>& buffers, uint32_t division = 96) {
    done = 0;
    SoftMidiInit(stream, [](uint32_t message, MidiHeader*) { done += message == MomDone; }, Rate);
    SoftMidiSetTimeDivision(stream, division);
    bytes = buffers;
    headers.resize(buffers.size());
    for (size_t i = 0; i < buffers.size(); ++i) {
      headers[i] = MidiHeader{};
      headers[i].data = reinterpret_cast<char*>(bytes[i].data());
      headers[i].bufferLength = headers[i].bytesRecorded = uint32_t(bytes[i].size());
      headers[i].flags = MhdrPrepared;
      SoftMidiOut(stream, &headers[i]);
    }
    SoftMidiRestart(stream);
  }
  std::vector<int16_t> Render(int32_t frames) {
    std::vector<int16_t> out(size_t(frames) * 2, 0);
    for (int32_t at = 0; at < frames; at += 300) SoftMidiRender(stream, &out[size_t(at) * 2], std::min(300, frames - at));
    return out;
  }
};

size_t FirstSound(const std::vector<int16_t>& s) {
  for (size_t i = 0; i < s.size(); ++i)
    if (s[i]) return i / 2;
  return s.size();
}
}  // namespace

// Every program sounds at middle C, at its own level, below the limiter's
// knee as songs are written (velocity 100, volume 100). Its loudest 50 ms
// within a second and a half: the woodblock is gone in a fifth of a
// second, the helicopter takes most of a second to rise.
TEST(Synth, EveryProgramSoundsWithinTheMix) {
  constexpr size_t Window = Rate / 20 * 2;
  for (uint32_t program = 0; program < 128; ++program) {
    Synth s;
    SynthInit(s, Rate);
    SynthShortMessage(s, 0xC0 | program << 8);
    SynthShortMessage(s, 0x643C90);
    std::vector<int16_t> out = Play(s, Rate * 3 / 2);
    double loudest = 0;
    for (size_t at = 0; at + Window <= out.size(); at += Window) loudest = std::max(loudest, Energy(out, at, at + Window));
    EXPECT_GT(loudest, 100) << program;
    EXPECT_LT(PeakSample(out), LimiterKnee) << program;
  }
}

// A held A4 on the flute and the piano (both led by their fundamental):
// the bend's 14 bits, least significant first, move it by the bend range,
// 2 semitones unless registered parameter 0 sets another.
TEST(Synth, PitchBendMovesByTheBendRange) {
  struct Case { const char* name; std::vector<uint32_t> setup; uint8_t low, high; double semitones; };
  const std::vector<uint32_t> range12 = {0x0065B0, 0x0064B0, 0x0C06B0};
  const Case cases[] = {
      {"none", {}, 0, 0x40, 0},
      {"centre", {}, 0x00, 0x40, 0},
      {"top", {}, 0x7F, 0x7F, 2.0 * 8191 / 8192},
      {"bottom", {}, 0x00, 0x00, -2},
      {"a quarter up", {}, 0x00, 0x60, 1},
      {"top, range 12", range12, 0x7F, 0x7F, 12.0 * 8191 / 8192},
      {"a quarter down, range 7.5", {0x0065B0, 0x0064B0, 0x0706B0, 0x3226B0}, 0x00, 0x20, -3.75},
      {"range chosen, then the null parameter", {0x0065B0, 0x0064B0, 0x7F65B0, 0x7F64B0, 0x0C06B0}, 0x7F, 0x7F, 2.0 * 8191 / 8192},
      {"a non-registered parameter's data", {0x0063B0, 0x0062B0, 0x0C06B0}, 0x7F, 0x7F, 2.0 * 8191 / 8192},
  };
  for (uint32_t program : {73u, 0u}) {
    for (const Case& c : cases) {
      Synth s;
      SynthInit(s, Rate);
      SynthShortMessage(s, 0xC0 | program << 8);
      for (uint32_t m : c.setup) SynthShortMessage(s, m);
      if (std::string(c.name) != "none") SynthShortMessage(s, 0xE0 | uint32_t(c.low) << 8 | uint32_t(c.high) << 16);
      SynthShortMessage(s, 0x7F4590);  // A4
      std::vector<int16_t> out = Play(s, Rate);
      double hz = PeakHz(Left(out, Rate / 8), Rate);
      EXPECT_NEAR(12 * std::log2(hz / 440), c.semitones, 0.02) << program << ": " << c.name;
    }
  }
}

// Loudness by General MIDI's curves (velocity, volume and expression
// squared) and equal-power pan, against full velocity, volume and
// expression in the middle.
TEST(Synth, VelocityVolumeExpressionAndPan) {
  struct Case { const char* name; std::vector<uint32_t> setup; uint8_t velocity; double leftDb, rightDb; };
  const Case cases[] = {
      {"velocity 64", {}, 64, -11.9, -11.9},
      {"velocity 32", {}, 32, -23.9, -23.9},
      {"volume 64", {0x4007B0}, 127, -11.9, -11.9},
      {"expression 64", {0x400BB0}, 127, -11.9, -11.9},
      {"hard left", {0x000AB0}, 127, 3.0, -200},
      {"right", {0x7F0AB0}, 127, -35.2, 3.0},
  };
  auto play = [](const std::vector<uint32_t>& setup, uint8_t velocity) {
    Synth s;
    SynthInit(s, Rate);
    SynthShortMessage(s, 0x7F07B0);
    for (uint32_t m : setup) SynthShortMessage(s, m);
    SynthShortMessage(s, 0x003C90 | uint32_t(velocity) << 16);
    return Play(s, Rate / 2);
  };
  std::vector<int16_t> full = play({}, 127);
  double left = Energy(full, 0, full.size(), 0), right = Energy(full, 0, full.size(), 1);
  for (const Case& c : cases) {
    std::vector<int16_t> out = play(c.setup, c.velocity);
    double l = Energy(out, 0, out.size(), 0), r = Energy(out, 0, out.size(), 1);
    EXPECT_NEAR(20 * std::log10(std::max(l, 1e-10) / left), c.leftDb, c.leftDb < -100 ? 1e9 : 0.3) << c.name;
    EXPECT_NEAR(20 * std::log10(std::max(r, 1e-10) / right), c.rightDb, c.rightDb < -100 ? 1e9 : 0.3) << c.name;
    if (c.rightDb < -100) {
      EXPECT_LT(r, 1.0) << c.name;
    }
  }
}

// A sustained strings note (program 48) half a second after its key went
// up, by what happened in between.
TEST(Synth, PedalsNotesOffAndResets) {
  struct Case { const char* name; std::vector<uint32_t> before, after; bool sounding; };
  const Case cases[] = {
      {"let go: fades", {}, {0x003C80}, false},
      {"let go under the pedal: held", {0x7F40B0}, {0x003C80}, true},
      {"pedal up after: fades", {0x7F40B0}, {0x003C80, 0x0040B0}, false},
      {"all notes off under the pedal: fades", {0x7F40B0}, {0x007BB0}, false},
      {"reset all controllers lifts the pedal", {0x7F40B0}, {0x003C80, 0x0079B0}, false},
      {"another channel's pedal: fades", {0x7F40B1}, {0x003C80}, false},
  };
  for (const Case& c : cases) {
    Synth s;
    SynthInit(s, Rate);
    SynthShortMessage(s, 0x0030C0);
    for (uint32_t m : c.before) SynthShortMessage(s, m);
    SynthShortMessage(s, 0x643C90);
    Play(s, Rate / 2);
    for (uint32_t m : c.after) SynthShortMessage(s, m);
    Play(s, 2 * Rate);
    EXPECT_EQ(Energy(Play(s, Rate / 10)) > 10, c.sounding) << c.name;
  }
}

TEST(Synth, StopsAndResetAllControllers) {
  struct Case { const char* name; uint32_t after; bool silent; };
  const Case cases[] = {
      {"volume 0 silences", 0x0007B0, true},
      {"all sound off is immediate", 0x0078B0, true},
      {"other channel's volume does nothing", 0x0007B1, false},
      {"all notes off lets the note fade", 0x007BB0, false},
  };
  for (const Case& c : cases) {
    Synth s;
    SynthInit(s, Rate);
    SynthShortMessage(s, 0xC0 | 48 << 8);
    SynthShortMessage(s, 0x90 | 60 << 8 | 100 << 16);
    Play(s, Rate / 4);
    SynthShortMessage(s, c.after);
    std::vector<int16_t> out = Play(s, 64);
    EXPECT_EQ(Energy(out, 2 * SynthBlock) == 0, c.silent) << c.name;
  }
  // Controllers back to their rest, volume and pan kept.
  Synth s;
  SynthInit(s, Rate);
  for (uint32_t m : {0x3207B0u, 0x100AB0u, 0x200BB0u, 0x7F01B0u, 0x7F40B0u, 0x7F7FE0u, 0x0065B0u, 0x0064B0u, 0x0079B0u})
    SynthShortMessage(s, m);
  const SynthChannel& c = s.channels[0];
  EXPECT_EQ(c.volume, 50);
  EXPECT_EQ(c.pan, 16);
  EXPECT_EQ(c.expression, 127);
  EXPECT_EQ(c.modulation, 0);
  EXPECT_EQ(c.sustain, 0);
  EXPECT_EQ(c.bend, 0);
  EXPECT_EQ(c.parameter, NoParameter);
}

// The modulation wheel (or channel pressure) sways the pitch half a
// semitone either way at most.
TEST(Synth, ModulationSwaysThePitch) {
  struct Case { uint32_t message; double least, most; };
  const Case cases[] = {{0x0001B0, 0, 0.02}, {0x7F01B0, 0.3, 0.55}, {0x7FD0, 0.3, 0.55}, {0x4001B0, 0.12, 0.3}};
  for (const Case& c : cases) {
    Synth s;
    SynthInit(s, Rate);
    SynthShortMessage(s, 0x4900C0);  // flute
    SynthShortMessage(s, c.message);
    SynthShortMessage(s, 0x7F5190);  // A5
    std::vector<int16_t> out = Play(s, Rate);
    double low = 1e9, high = 0;
    for (size_t at = Rate / 4; at + 1024 < size_t(Rate); at += 256) {
      std::vector<float> window = Left(out, at);
      window.resize(1024);
      double hz = PeakHz(window, Rate);
      low = std::min(low, hz), high = std::max(high, hz);
    }
    double sway = 12 * std::log2(high / low) / 2;
    EXPECT_GE(sway, c.least) << std::hex << c.message;
    EXPECT_LE(sway, c.most) << std::hex << c.message;
  }
}

// Sixty-four voices; a new note takes a free one, else a let-go one, and
// only when every voice is held the one held longest.
TEST(Synth, VoicesAreStolenLetGoFirst) {
  Synth s;
  SynthInit(s, Rate);
  SynthShortMessage(s, 0x0030C0);
  for (uint32_t note = 30; note < 30 + SynthVoices; ++note) SynthShortMessage(s, 0x640090 | note << 8);
  Play(s, Rate / 10);
  EXPECT_EQ(SynthActiveVoices(s), SynthVoices);
  auto held = [&](uint32_t note) {
    for (const SynthVoice& v : s.voices)
      if (v.active && v.note == note && v.held) return true;
    return false;
  };
  SynthShortMessage(s, 0x004080);  // note 64 let go...
  SynthShortMessage(s, 0x641090);  // ...and its voice plays note 16
  EXPECT_TRUE(held(16));
  EXPECT_TRUE(held(30));
  EXPECT_FALSE(held(64));
  SynthShortMessage(s, 0x641190);  // all held: the first struck goes
  EXPECT_TRUE(held(17));
  EXPECT_FALSE(held(30));
  EXPECT_TRUE(held(31));
  EXPECT_EQ(SynthActiveVoices(s), SynthVoices);
}

TEST(Synth, DrumKitOnChannelTenIgnoresNoteOffAndDecays) {
  struct Case { uint8_t note; double minEnergy; int32_t silentAfter; };
  const Case cases[] = {{35, 500, Rate}, {36, 500, Rate}, {38, 500, Rate}, {42, 50, Rate},
                        {49, 100, 6 * Rate}, {56, 300, Rate}, {81, 30, 3 * Rate}, {34, 0, 1}, {82, 0, 1}};
  for (const Case& c : cases) {
    Synth s;
    SynthInit(s, Rate);
    SynthShortMessage(s, 0x99 | c.note << 8 | 120 << 16);
    SynthShortMessage(s, 0x89 | c.note << 8);  // drums play out regardless
    double energy = Energy(Play(s, Rate / 20));
    if (c.minEnergy > 0) EXPECT_GT(energy, c.minEnergy) << int(c.note);
    else EXPECT_EQ(energy, 0) << int(c.note) << ": outside the kit";
    Play(s, c.silentAfter);
    EXPECT_EQ(SynthActiveVoices(s), 0) << int(c.note);
  }
  // A closed hi-hat cuts the open one short.
  Synth s;
  SynthInit(s, Rate);
  SynthShortMessage(s, 0x642E99);
  Play(s, Rate / 10);
  SynthShortMessage(s, 0x642A99);
  Play(s, Rate / 5);
  EXPECT_EQ(SynthActiveVoices(s), 1);
}

// A note 96 ticks in at 96 ticks a quarter and 500000 us a quarter (the
// default tempo) sounds half a second in; a tempo event halves that.
TEST(Synth, StreamKeepsTimeDivisionAndTempo) {
  struct Case { const char* name; std::vector<std::pair<uint32_t, uint32_t>> events; uint32_t division; size_t at; };
  const Case cases[] = {
      {"default tempo", {{96, 0x00643C90}}, 96, Rate / 2},
      {"tempo 250000", {{0, 0x0103D090}, {96, 0x00643C90}}, 96, Rate / 4},
      {"division 480", {{480, 0x00643C90}}, 480, Rate / 2},
      {"SMPTE 25 fps x 40 ticks", {{500, 0x00643C90}}, 0xE728, Rate / 2},
      {"SMPTE 30 fps x 10 ticks, tempo ignored", {{0, 0x0103D090}, {150, 0x00643C90}}, 0xE20A, Rate / 2},
      {"SMPTE 29.97 fps x 100 ticks", {{1499, 0x00643C90}}, 0xE364, 11029},
      {"0 refused, 96 kept", {{96, 0x00643C90}}, 0, Rate / 2},
      {"0x10000 refused, 96 kept", {{96, 0x00643C90}}, 0x10000, Rate / 2},
  };
  for (const Case& c : cases) {
    StreamRig rig({Events(c.events, true)}, c.division);
    size_t first = FirstSound(rig.Render(Rate));
    EXPECT_NEAR(double(first), double(c.at), 2.0) << c.name;
    EXPECT_EQ(StreamRig::done, 1) << c.name;
  }
}

// The event word's top byte holds flags besides the type: a note or a
// tempo asking for a callback (MEVT_F_CALLBACK) is played all the same.
TEST(Synth, StreamEventsWithFlagsKeepTheirType) {
  struct Case { const char* name; std::vector<std::pair<uint32_t, uint32_t>> events; size_t at; };
  const Case cases[] = {
      {"note", {{96, 0x00643C90}}, Rate / 2},
      {"note with callback", {{96, 0x40643C90}}, Rate / 2},
      {"tempo with callback", {{0, 0x4103D090}, {96, 0x00643C90}}, Rate / 4},
      {"nop with callback", {{0, 0x42000000}, {96, 0x00643C90}}, Rate / 2},
  };
  for (const Case& c : cases) {
    StreamRig rig({Events(c.events, true)});
    EXPECT_NEAR(double(FirstSound(rig.Render(Rate))), double(c.at), 2.0) << c.name;
  }
}

// A buffer whose recorded bytes end part-way into an event (fewer than 12
// bytes left) is finished there: what lies beyond, here a note, is never read.
TEST(Synth, StreamBufferEndsAtItsLastWholeEvent) {
  struct Case { uint32_t extra; bool sounds; };
  const Case cases[] = {{0, false}, {4, false}, {8, false}, {9, false}, {11, false}, {12, true}};
  for (const Case& c : cases) {
    std::vector<uint8_t> bytes = Events({{0, 0x02000000}, {0, 0x00643C90}}, true);  // a nop, then a note
    StreamRig rig({bytes});
    rig.headers[0].bytesRecorded = 12 + c.extra;
    EXPECT_EQ(FirstSound(rig.Render(Rate / 4)) < size_t(Rate / 4), c.sounds) << c.extra;
    EXPECT_EQ(StreamRig::done, 1) << c.extra;
  }
}

TEST(Synth, StreamPausesAtItsPositionAndResetReturnsEverything) {
  StreamRig rig({Events({{24, 0x00643C90}, {192, 0x00003C80}}, true), Events({{96, 0x00643E90}}, true)});
  rig.Render(Rate / 4);
  uint64_t ticks = SoftMidiTicks(rig.stream);
  EXPECT_EQ(ticks, 24u);
  SoftMidiPause(rig.stream);
  rig.Render(Rate);
  EXPECT_EQ(SoftMidiTicks(rig.stream), ticks);
  SoftMidiRestart(rig.stream);
  rig.Render(Rate * 3);
  EXPECT_EQ(SoftMidiTicks(rig.stream), 24u + 192u + 96u);
  EXPECT_EQ(StreamRig::done, 2);

  StreamRig again({Events({{0, 0x00643C90}, {960, 0x00003C80}}, true), Events({{96, 0x00643E90}}, true)});
  again.Render(Rate / 4);
  SoftMidiReset(again.stream);
  EXPECT_EQ(StreamRig::done, 2);
  EXPECT_EQ(SynthActiveVoices(again.stream.synth), 0);
  for (const MidiHeader& h : again.headers) EXPECT_EQ(h.flags & (MhdrDone | MhdrInQueue), MhdrDone);
}

// A stream of buffers without time in them must not hold the renderer.
TEST(Synth, EmptyBuffersLoopingForeverDoNotHang) {
  static SoftMidiStream* stream = nullptr;
  StreamRig rig(std::vector<std::vector<uint8_t>>(2));
  stream = &rig.stream;
  rig.stream.callback = [](uint32_t, MidiHeader* h) { SoftMidiOut(*stream, h); };
  rig.Render(Rate);
  EXPECT_EQ(rig.stream.queue.size(), 2u);
}

// Nor a looping song of events without time between them: one call runs
// a bounded number of them and plays on.
TEST(Synth, TimelessEventsLoopingForeverDoNotHoldTheStream) {
  static SoftMidiStream* stream = nullptr;
  static int finished = 0;
  std::vector<std::pair<uint32_t, uint32_t>> chord(1000, {0, 0x00643C90});
  StreamRig rig({Events(chord, true)});
  stream = &rig.stream;
  finished = 0;
  rig.stream.callback = [](uint32_t, MidiHeader* h) { finished += 1, SoftMidiOut(*stream, h); };
  std::vector<int16_t> out(600, 0);
  SoftMidiRender(rig.stream, out.data(), 300);
  EXPECT_GE(finished, 1);
  EXPECT_LE(finished, 5);
}

// However dense a song, the synthesizer takes no more events a second
// than a generous cable would carry: a burst, then a second's budget a
// second, never the song's sixty-five thousand (a tick apart at the finest
// division).
TEST(Synth, DenseSongsAreTakenAtTheEventBudget) {
  static SoftMidiStream* stream = nullptr;
  std::vector<std::pair<uint32_t, uint32_t>> notes;
  for (uint32_t i = 0; i < 500; ++i) notes.push_back({1, 0x00640090u | (36 + i % 48) << 8});
  StreamRig rig({Events(notes, true)}, 0x7FFF);
  stream = &rig.stream;
  rig.stream.callback = [](uint32_t, MidiHeader* h) { SoftMidiOut(*stream, h); };
  const uint64_t most[] = {4096 + 8000, 8000, 8000};
  uint64_t before = 0;
  for (uint64_t limit : most) {
    rig.Render(Rate);
    EXPECT_LE(SoftMidiTicks(rig.stream) - before, limit + 1);
    EXPECT_GE(SoftMidiTicks(rig.stream) - before, limit - 300);  // the song goes on
    before = SoftMidiTicks(rig.stream);
  }
}

// A division that slipped past the checks gives no time at all: the events
// play at once and the render still ends.
TEST(Synth, StreamWithoutTimeStillRenders) {
  StreamRig rig({Events({{0, 0x00643C90}, {96, 0x00643E90}, {96, 0x00003C80}}, true)});
  rig.stream.timeDivision = 0x10000;
  rig.Render(Rate / 10);
  EXPECT_EQ(SoftMidiTicks(rig.stream), 192u);
  EXPECT_EQ(StreamRig::done, 1);
}

// Below the knee a mix passes untouched; above it bends towards the
// ceiling and never reaches full scale, however loud.
TEST(Synth, SoftLimitRoundsOffLoudMixes) {
  struct Case { float in; int32_t low, high; };
  const Case cases[] = {
      {0, 0, 0}, {1000, 1000, 1000}, {-24000, -24000, -24000}, {24001, 24000, 24002},
      {30000, 28000, 30000}, {-30000, -30000, -28000}, {40000, 31000, 31999},
      {1e9f, 31990, 31999}, {-1e9f, -31999, -31990}, {std::nanf(""), 0, 0},
  };
  for (const Case& c : cases) {
    int32_t out = SoftLimit(c.in);
    EXPECT_GE(out, c.low) << c.in;
    EXPECT_LE(out, c.high) << c.in;
  }
}

// A held synth-lead note (two detuned band-limited squares) keeps the
// power that folds back from above half the rate far below its harmonics.
TEST(Synth, LeadNotesAliasLittle) {
  struct Case { int32_t note; double limitDb; };
  const Case cases[] = {{60, -60}, {72, -60}, {84, -60}, {96, -60}, {108, -60}};
  for (const Case& c : cases) EXPECT_LT(LeadNoteAliasingDb(c.note, Rate), c.limitDb) << c.note;
}

// A song that plays every program at every note builds no more tables than
// the limit and the measured octaves; the notes past the limit still sound,
// with their program's nearest octave.
TEST(Synth, WaveTablesStayBoundedWhateverASongPlays) {
  auto* store = new TableStore{{}, {}, 0, 8};
  const WaveTables& octave = StoredTables(*store, 19, 36);  // church organ, C4
  for (int32_t program = 0; program < 128; ++program)
    for (int32_t zone = 0; zone < SpectrumZones; ++zone) StoredTables(*store, program, zone);
  EXPECT_EQ(store->count, 8 + 5 * 128 - 1);  // C4 of program 19 was among the eight
  EXPECT_EQ(&StoredTables(*store, 19, 41), &octave);  // F4
  EXPECT_EQ(&StoredTables(*store, 19, 28), &StoredTables(*store, 19, 24));  // E3: C3's
  ReleaseTables(*store);
  delete store;
}
