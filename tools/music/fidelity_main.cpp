// music-fidelity REFERENCE.wav OURS.wav [--frames]: how alike two renderings
// of a song are (see chroma.h), as "similarity level_dB shift_frames
// frames"; with --frames, first every counted frame's time and cosine.
#include <cstdio>
#include <string>

#include "tools/music/chroma.h"

int main(int argc, char** argv) {
  bool listed = argc == 4 && std::string(argv[3]) == "--frames";
  if (argc != 3 && !listed) {
    std::fputs("usage: music-fidelity REFERENCE.wav OURS.wav [--frames]\n", stderr);
    return 2;
  }
  Audio reference, ours;
  std::string error;
  if (!ReadWaveFile(argv[1], reference, error) || !ReadWaveFile(argv[2], ours, error)) {
    std::fprintf(stderr, "music-fidelity: %s\n", error.c_str());
    return 1;
  }
  if (reference.rate != ours.rate) {
    std::fprintf(stderr, "music-fidelity: the files' rates differ (%d and %d Hz)\n", reference.rate, ours.rate);
    return 1;
  }
  std::vector<std::pair<int32_t, double>> frames;
  Likeness l = CompareChroma(reference, ours, listed ? &frames : nullptr);
  for (const auto& f : frames) std::printf("%8.2f s %.3f\n", f.first * 0.05, f.second);
  std::printf("%.3f %+.1f %d %d\n", l.similarity, l.levelDb, l.shift, l.frames);
  return 0;
}
