#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "game/media/midi_port.h"
#include "game/media/synth.h"
#include "tools/music/patch_measure.h"

namespace {
constexpr int32_t Rate = 22050;

// The probe song of `program` played by our own synthesizer.
Audio PlayProbe(int32_t program) {
  Song song = ProbeSong(program);
  Synth synth;
  SynthInit(synth, Rate);
  Audio audio;
  audio.rate = Rate;
  audio.channels.assign(2, {});
  std::vector<int16_t> block;
  int64_t done = 0;
  auto renderTo = [&](int64_t frame) {
    if (frame <= done) return;
    block.assign(size_t(frame - done) * 2, 0);
    SynthRender(synth, block.data(), int32_t(frame - done));
    for (size_t i = 0; i < block.size(); ++i) audio.channels[i % 2].push_back(block[i] / 32768.0f);
    done = frame;
  };
  for (const SongEvent& e : song.events) {
    renderTo(int64_t(e.tick) * Rate / 960);  // the probe's 480 ticks a beat at 120 beats a minute
    SynthShortMessage(synth, e.word & 0xFFFFFF);
  }
  renderTo(int64_t(song.endTick) * Rate / 960);
  return audio;
}
}  // namespace

// Measuring our own synthesizer's notes gives back the patch it plays:
// the level and the attack of each octave, whether the note dies away or
// holds (and at what level), and the strong harmonics; for a piano, an
// organ, strings and a flute. Releases are left out (the reference's
// reverberation is part of what they measure), and so are patches that
// fall within a 20 ms frame (the square lead's top octave).
TEST(PatchMeasure, ReadsBackThePatchOurSynthesizerPlays) {
  for (int32_t program : {0, 19, 48, 73}) {
    Patch measured{};
    MeasurePatch(PlayProbe(program), measured);
    const Patch& played = ProgramPatch(program);
    for (int32_t z = 0; z < EnvelopeZones; ++z) {
      const Envelope &m = measured.zones[z], &p = played.zones[z];
      EXPECT_NEAR(m.level, p.level, 1.0) << program << " zone " << z;
      EXPECT_NEAR(m.attack, p.attack, std::max(0.03, 0.25 * p.attack)) << program << " zone " << z;
      EXPECT_EQ(m.sustain <= -100, p.sustain <= -100) << program << " zone " << z;
      if (p.sustain > -100) EXPECT_NEAR(m.sustain, p.sustain, 1.5) << program << " zone " << z;
    }
    for (int32_t z = 0; z < SpectrumZones; ++z) {
      // A note plays the band of its table that holds a power of two of
      // harmonics, all below half the rate: the top octave's upper ones are left out.
      double hz = 440 * std::exp2((FirstSpectrumNote + z - 69) / 12.0);
      int32_t kept = 1;
      while (kept * 2 <= MeasuredHarmonics && kept * 2 * hz < Rate / 2) kept *= 2;
      for (int32_t k = 0; k < kept; ++k) {
        if (played.spectra[z][k] <= -30) continue;
        EXPECT_NEAR(measured.spectra[z][k], played.spectra[z][k], 3)
            << program << " note " << FirstSpectrumNote + z << " harmonic " << k + 1;
      }
    }
  }
}
