#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "game/media/soft_midi_stream.h"
#include "game/media/synth.h"
#include "tests/host/audio_fixture.h"
#include "tools/sim/audio_measure.h"

namespace {
constexpr int32_t Rate = 22050;

double Energy(const std::vector<int16_t>& s, size_t from = 0, size_t to = ~size_t(0)) {
  double sum = 0;
  to = std::min(to, s.size());
  for (size_t i = from; i < to; ++i) sum += double(s[i]) * s[i];
  return to > from ? std::sqrt(sum / double(to - from)) : 0;
}

std::vector<int16_t> Play(Synth& synth, int32_t frames) {
  std::vector<int16_t> out(size_t(frames) * 2, 0);
  SynthRender(synth, out.data(), frames);
  return out;
}

// Zero crossings a second of the left channel: the pitch heard.
double Crossings(const std::vector<int16_t>& s) {
  int n = 0;
  for (size_t i = 2; i < s.size(); i += 2) n += (s[i - 2] < 0) != (s[i] < 0);
  return n / 2.0 / (double(s.size()) / 2 / Rate);
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

TEST(Synth, ProgramFamiliesSoundApartAndKeepThePitch) {
  std::vector<double> energies;
  for (int program : {0, 80, 33, 48, 89}) {
    Synth s;
    SynthInit(s, Rate);
    SynthShortMessage(s, 0xC0 | program << 8);
    SynthShortMessage(s, 0x90 | 57 << 8 | 100 << 16);  // A3, 220 Hz
    std::vector<int16_t> out = Play(s, Rate / 2);
    if (program == 0 || program == 80) {
      EXPECT_NEAR(Crossings(out), 220, 220 * 0.1) << program;
    }
    energies.push_back(Energy(out));
  }
  for (size_t i = 1; i < energies.size(); ++i) EXPECT_NE(energies[i], energies[0]);
}

TEST(Synth, DrumsOnChannelTenIgnoreNoteOffAndDecay) {
  struct Case { uint8_t note; double minEnergy; int32_t silentAfter; };
  const Case cases[] = {{36, 500, Rate}, {38, 500, Rate}, {42, 100, Rate / 4}, {49, 200, 2 * Rate}};
  for (const Case& c : cases) {
    Synth s;
    SynthInit(s, Rate);
    SynthShortMessage(s, 0x99 | c.note << 8 | 120 << 16);
    SynthShortMessage(s, 0x89 | c.note << 8);  // drums play out regardless
    EXPECT_GT(Energy(Play(s, Rate / 20)), c.minEnergy) << int(c.note);
    Play(s, c.silentAfter);
    EXPECT_EQ(SynthActiveVoices(s), 0) << int(c.note);
  }
}

TEST(Synth, ChannelVolumeAndStops) {
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
    EXPECT_EQ(Energy(out) == 0, c.silent) << c.name;
  }
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
