// measure-patches: the synthesizer's patch tables measured from a
// reference renderer (tools/measure_patches.sh runs it with FluidSynth).
//   measure-patches probes DIR          writes DIR/program_NNN.mid, one probe song a program
//   measure-patches tables DIR FOLDER   reads DIR/program_NNN.wav, their renders, and writes
//                                       the family sources into FOLDER
//   measure-patches compare DIR         how far the renders' patches are from the built-in ones
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "game/media/synth_programs.h"
#include "tools/music/midi_file.h"
#include "tools/music/patch_measure.h"
#include "tools/music/patch_source.h"

namespace {
std::string ProbePath(const std::string& dir, int32_t program, const char* extension) {
  char name[32];
  std::snprintf(name, sizeof name, "/program_%03d.%s", program, extension);
  return dir + name;
}

int Probes(const std::string& dir) {
  for (int32_t program = 0; program < 128; ++program) {
    std::vector<uint8_t> bytes;
    SongDropped dropped;
    std::string path = ProbePath(dir, program, "mid");
    FILE* file = nullptr;
    bool written = WriteMidiFile(ProbeSong(program), bytes, dropped) && (file = std::fopen(path.c_str(), "wb")) &&
                   std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    if (file && std::fclose(file) != 0) written = false;
    if (!written) {
      std::fprintf(stderr, "measure-patches: cannot write %s\n", path.c_str());
      return 1;
    }
  }
  return 0;
}

// Measures every program's render in `dir` into `patches`. 0 if one cannot be read.
int32_t MeasureAll(const std::string& dir, Patch* patches) {
  for (int32_t program = 0; program < 128; ++program) {
    Audio audio;
    std::string error;
    if (!ReadWaveFile(ProbePath(dir, program, "wav"), audio, error)) {
      std::fprintf(stderr, "measure-patches: %s\n", error.c_str());
      return 0;
    }
    if (audio.channels.empty() || audio.rate <= 0) {
      std::fprintf(stderr, "measure-patches: program %d's render holds no sound\n", program);
      return 0;
    }
    patches[program].name = GmProgramName(program);
    MeasurePatch(audio, patches[program]);
  }
  return 1;
}

int Tables(const std::string& dir, const std::string& folder) {
  static Patch patches[128];
  if (!MeasureAll(dir, patches)) return 1;
  std::string error;
  if (!WriteFamilySources(folder, patches, error)) {
    std::fprintf(stderr, "measure-patches: %s\n", error.c_str());
    return 1;
  }
  return 0;
}
// Per program, the mean distance of each figure from the built-in table's.
int Compare(const std::string& dir) {
  static Patch patches[128];
  if (!MeasureAll(dir, patches)) return 1;
  std::printf("%3s %-24s %6s %6s %6s %6s %6s %6s %6s\n", "#", "program", "level", "attack", "decay", "sustain",
              "release", "harm", "notes");
  for (int32_t program = 0; program < 128; ++program) {
    const Patch &m = patches[program], &t = ProgramPatch(program);
    double d[7] = {};
    for (int32_t z = 0; z < EnvelopeZones; ++z) {
      d[0] += std::fabs(m.zones[z].level - t.zones[z].level) / EnvelopeZones;
      d[1] += std::fabs(m.zones[z].attack - t.zones[z].attack) / EnvelopeZones;
      d[2] += std::fabs(std::log2(std::fmax(m.zones[z].decay, 0.1f) / std::fmax(t.zones[z].decay, 0.1f))) / EnvelopeZones;
      d[3] += std::fabs(m.zones[z].sustain - t.zones[z].sustain) / EnvelopeZones;
      d[4] += std::fabs(std::log2(m.zones[z].release / t.zones[z].release)) / EnvelopeZones;
    }
    for (int32_t z = 0; z < SpectrumZones; ++z) {
      for (int32_t k = 0; k < MeasuredHarmonics; ++k)
        d[5] += std::abs(m.spectra[z][k] - t.spectra[z][k]) / double(SpectrumZones * MeasuredHarmonics);
    }
    for (int32_t i = 0; i < NoteLevelCount; ++i) d[6] += std::abs(m.levels[i] - t.levels[i]) / double(NoteLevelCount);
    std::printf("%3d %-24.24s %6.2f %6.3f %6.2f %6.1f %6.2f %6.1f %6.1f\n", program, t.name, d[0], d[1], d[2], d[3],
                d[4], d[5], d[6]);
  }
  std::puts("(level, attack and sustain: mean difference in dB and seconds; decay and release: octaves of ratio;\n"
            " harmonics and note levels: mean difference in dB)");
  return 0;
}
}  // namespace

int main(int argc, char** argv) {
  std::string command = argc > 1 ? argv[1] : "";
  if (command == "probes" && argc == 3) return Probes(argv[2]);
  if (command == "tables" && argc == 4) return Tables(argv[2], argv[3]);
  if (command == "compare" && argc == 3) return Compare(argv[2]);
  std::fputs("usage: measure-patches probes DIR | tables DIR FOLDER | compare DIR\n", stderr);
  return 2;
}
