// A patch read back from a reference renderer's notes.
#include "tools/music/patch_measure.h"

#include <algorithm>
#include <cmath>
#include <complex>

#include "game/media/midi_port.h"

namespace {
constexpr uint32_t TicksPerSecond = 960;  // division 480 at 120 beats a minute
constexpr double Frame = 0.02;            // seconds a frame
constexpr int32_t ZoneNotes[EnvelopeZones] = {36, 48, 60, 72, 84};
constexpr double LevelStart = EnvelopeZones * ProbeZoneSlot;
constexpr double SilentLevel = -70;  // dB: the reference plays nothing here
constexpr double Pi = 3.14159265358979323846;

uint32_t Tick(double seconds) { return uint32_t(std::lround(seconds * TicksPerSecond)); }

void AddNote(Song& song, double at, double hold, int32_t note) {
  song.events.push_back({Tick(at), MevtShortMsg << 24 | 0x90 | uint32_t(note) << 8 | 100u << 16});
  song.events.push_back({Tick(at + hold), MevtShortMsg << 24 | 0x80 | uint32_t(note) << 8});
}

// Least squares slope of `y` (dB) against frames, as dB a second falling.
float FallRate(const float* y, int32_t count) {
  if (count < 2) return 0;
  double mt = (count - 1) / 2.0, my = 0, num = 0, den = 0;
  for (int32_t i = 0; i < count; ++i) my += y[i];
  my /= count;
  for (int32_t i = 0; i < count; ++i) num += (i - mt) * (y[i] - my), den += (i - mt) * (i - mt);
  return float(-num / den / Frame);
}

// Mean power (both sides) of `seconds` from `start`, in dB.
double MeanLevel(const Audio& audio, double start, double seconds) {
  size_t from = size_t(start * audio.rate), n = size_t(seconds * audio.rate);
  double sum = 0;
  for (const std::vector<float>& side : audio.channels)
    for (size_t i = from; i < from + n && i < side.size(); ++i) sum += double(side[i]) * side[i];
  return 10 * std::log10(sum / double(n * audio.channels.size()) + 1e-20);
}

// The mean power in dB over the hold of our own envelope `e` at level 0 dB,
// as the synthesizer plays it.
double ModelMeanLevel(const Envelope& e) {
  double sum = 0, envelope = 0;
  bool attacking = true;
  double sustain = e.sustain <= -100 ? 0 : std::pow(10.0, e.sustain / 20);
  constexpr double Step = 0.001;
  int32_t steps = int32_t(ProbeZoneHold / Step);
  for (int32_t i = 0; i < steps; ++i) {
    if (attacking) {
      envelope += Step / (e.attack + Step);
      if (envelope >= 1) envelope = 1, attacking = false;
    } else if (envelope > sustain) {
      envelope = std::max(envelope * std::pow(10.0, -e.decay * Step / 20), sustain);
    }
    sum += envelope * envelope;
  }
  return 10 * std::log10(sum / steps + 1e-20);
}

// The power of both sides at `hz` over a Hann window of `n` samples from `from`.
double PowerAt(const Audio& audio, size_t from, size_t n, double hz) {
  std::complex<double> turn = std::polar(1.0, -2 * Pi * hz / audio.rate);
  std::complex<double> hannTurn = std::polar(1.0, 2 * Pi / double(n));
  double power = 0;
  for (const std::vector<float>& side : audio.channels) {
    std::complex<double> sum = 0, at = 1, hannAt = 1;  // both by rotation: no sine a sample
    for (size_t i = 0; i < n && from + i < side.size(); ++i) {
      sum += double(side[from + i]) * (0.5 - 0.5 * hannAt.real()) * at;
      at *= turn, hannAt *= hannTurn;
    }
    power += std::norm(sum);
  }
  return power;
}

// Harmonics 1 to 16 of `note`, held until `end` seconds, in dB against
// the strongest: the power of two windows from `start` and a quarter of
// a second later, or the note's last (a song's notes are short, and many
// sounds darken as they are held), each harmonic the loudest within a
// little of its place (samples detune, chorus spreads).
void Harmonics(const Audio& audio, double start, double end, int32_t note, int8_t* db) {
  double hz = 440 * std::exp2((note - 69) / 12.0);
  constexpr size_t Window = 4096;
  size_t from = size_t(start * audio.rate), last = size_t(end * audio.rate) - Window;
  double power[MeasuredHarmonics], strongest = 1e-30;
  for (int32_t k = 1; k <= MeasuredHarmonics; ++k) {
    power[k - 1] = 0;
    if (k * hz >= audio.rate * 0.45) continue;
    double spread = std::min(0.03, 0.35 / k);
    for (double later : {0.0, 0.25}) {
      size_t at = std::min(from + size_t(later * audio.rate), last);
      double loudest = 0;
      for (int32_t s = -6; s <= 6; ++s) loudest = std::max(loudest, PowerAt(audio, at, Window, k * hz * (1 + spread * s / 6)));
      power[k - 1] += loudest;
    }
    strongest = std::max(strongest, power[k - 1]);
  }
  for (int32_t k = 0; k < MeasuredHarmonics; ++k) {
    double d = power[k] > 0 ? 10 * std::log10(power[k] / strongest) : -60;
    db[k] = int8_t(std::lround(std::clamp(d, -60.0, 0.0)));
  }
}

// The zone nearest `z` (itself first, the lower one first at a tie) that
// `sounds`, or -1 when none does.
template <typename Sounds>
int32_t Nearest(int32_t z, int32_t count, Sounds sounds) {
  for (int32_t d = 0; d < count; ++d) {
    if (z - d >= 0 && sounds(z - d)) return z - d;
    if (z + d < count && sounds(z + d)) return z + d;
  }
  return -1;
}
}  // namespace

Song ProbeSong(int32_t program) {
  Song song;
  song.division = 480;
  song.events.push_back({0, MevtShortMsg << 24 | 0xC0 | uint32_t(program & 127) << 8});
  for (int32_t z = 0; z < EnvelopeZones; ++z) AddNote(song, z * ProbeZoneSlot, ProbeZoneHold, ZoneNotes[z]);
  for (int32_t i = 0; i < NoteLevelCount; ++i)
    AddNote(song, LevelStart + i * ProbeLevelSlot, ProbeLevelHold, FirstLevelNote + i);
  song.endTick = Tick(LevelStart + NoteLevelCount * ProbeLevelSlot);
  return song;
}

void FrameLevels(const Audio& audio, double start, int32_t count, float* db) {
  for (int32_t i = 0; i < count; ++i) db[i] = float(MeanLevel(audio, start + i * Frame, Frame));
}

Envelope EnvelopeFromFrames(const float* db, int32_t count) {
  Envelope e{};
  int32_t peak = int32_t(std::max_element(db, db + ZoneFrames) - db);
  // The attack: a ramp to full amplitude, as the synthesizer plays it, is
  // half way (6 dB down) at half its time; none when the first frame is
  // already there. The crossing is placed between the frames' middles.
  int32_t reached = 0;
  while (db[reached] < db[peak] - 6) ++reached;
  float part = reached ? (db[peak] - 6 - db[reached - 1]) / std::max(db[reached] - db[reached - 1], 0.01f) : 0;
  e.attack = reached ? float(2 * (reached - 0.5f + part) * Frame) : 0.003f;
  // Still falling in the hold's second half, at half the first half's
  // rate or more, and well down from the peak: it dies away (a note that
  // falls to a level and drifts there holds).
  float early = FallRate(db + reached, std::max(ZoneFrames / 2 - reached, 2)), late = FallRate(db + ZoneFrames / 2, ZoneFrames / 2);
  if (late > 2 && late > early / 2 && db[ZoneFrames - 1] < db[peak] - 12) {
    e.sustain = -100;
    e.decay = std::max(FallRate(db + reached, ZoneFrames - reached), 0.1f);
  } else {
    double late = 0;
    for (int32_t i = ZoneFrames * 3 / 4; i < ZoneFrames; ++i) late += db[i];
    late /= ZoneFrames / 4;
    e.sustain = float(std::min(late - db[peak], 0.0));
    int32_t settled = peak;
    while (settled < ZoneFrames - 1 && db[settled] > db[peak] + e.sustain + 0.5f) ++settled;
    e.decay = std::max(-e.sustain / float(std::max(settled - peak, 1) * Frame), 0.1f);
  }
  // Let go: the fall from the last held frame over its first 30 dB, or
  // down to 6 dB above the render's floor (three frames at least: a note
  // that has died away near the floor still rings as it fell).
  float let = db[ZoneFrames - 1], floor = *std::min_element(db + ZoneFrames, db + count);
  int32_t fallen = ZoneFrames;
  while (fallen < count && db[fallen] > let - 30 && db[fallen] > floor + 6) ++fallen;
  float rate = FallRate(db + ZoneFrames - 1, std::max(fallen - ZoneFrames + 1, 3));
  e.release = rate > 60 / 8.0f ? std::max(60 / rate, 0.02f) : 8.0f;
  return e;
}

void MeasurePatch(const Audio& audio, Patch& patch) {
  constexpr int32_t Frames = int32_t(ProbeZoneSlot / Frame);
  bool zoneSounds[EnvelopeZones];
  for (int32_t z = 0; z < EnvelopeZones; ++z) {
    double start = z * ProbeZoneSlot, mean = MeanLevel(audio, start, ProbeZoneHold);
    float db[Frames];
    FrameLevels(audio, start, Frames, db);
    Envelope e = EnvelopeFromFrames(db, Frames);
    e.level = float(mean - ModelMeanLevel(e));
    patch.zones[z] = e;
    zoneSounds[z] = mean > SilentLevel;
  }
  double held[NoteLevelCount];
  for (int32_t i = 0; i < NoteLevelCount; ++i)
    held[i] = MeanLevel(audio, LevelStart + i * ProbeLevelSlot, ProbeLevelHold);
  // A zone the reference leaves silent (outside its samples' keys: the
  // contrabass above C3) plays as the nearest zone that sounds.
  auto sounds = [&](int32_t zone) { return held[zone + FirstSpectrumNote - FirstLevelNote] > SilentLevel; };
  for (int32_t z = 0; z < EnvelopeZones; ++z) {
    int32_t from = Nearest(z, EnvelopeZones, [&](int32_t y) { return zoneSounds[y]; });
    if (from >= 0) patch.zones[z] = patch.zones[from];
  }
  for (int32_t z = 0; z < SpectrumZones; ++z) {
    int32_t note = FirstSpectrumNote + z;
    double start = LevelStart + (note - FirstLevelNote) * ProbeLevelSlot;
    Harmonics(audio, start + 0.1, start + ProbeLevelHold, note, patch.spectra[z]);
  }
  for (int32_t z = 0; z < SpectrumZones; ++z) {
    int32_t from = Nearest(z, SpectrumZones, sounds);
    if (from >= 0 && from != z)
      std::copy(patch.spectra[from], patch.spectra[from] + MeasuredHarmonics, patch.spectra[z]);
  }
  for (int32_t i = 0; i < NoteLevelCount; ++i) {
    double x = std::clamp((FirstLevelNote + i - 36) / 12.0, 0.0, 4.0);
    int32_t z = std::min(int32_t(x), 3);
    double t = x - z;
    double a = held[ZoneNotes[z] - FirstLevelNote], b = held[ZoneNotes[z + 1] - FirstLevelNote];
    if (a <= SilentLevel) a = b;
    if (b <= SilentLevel) b = a;
    double step = held[i] - (a + (b - a) * t);
    // A note the reference leaves silent keeps the patch's level.
    bool silent = held[i] <= SilentLevel || a <= SilentLevel;
    patch.levels[i] = silent ? 0 : int8_t(std::lround(std::clamp(step, -40.0, 40.0)));
  }
}
