#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// How alike two renderings of one song are in harmony: 12-bin chroma
// (the power of every pitch class from 55 Hz to 5 kHz, both channels'
// added: a stereo sound whose sides cancel in a mono mix still counts)
// every 50 ms over a 4096-sample Hann window, compared frame by frame by cosine, at the time
// shift (within a second either way) that agrees best. Only the frames in
// which the reference sounds count (no more than 50 dB below its loudest
// frame, and above -80 dB full scale); a frame of ours that is silent
// there counts as 0.

struct Chroma {
  float bins[12];
  float level;  // the frame's power
};

struct Audio {
  int32_t rate = 0;
  std::vector<std::vector<float>> channels;  // samples, full scale 1
};

std::vector<Chroma> ChromaFrames(const Audio& audio);

struct Likeness {
  double similarity = 0;  // mean cosine, 0..1
  int32_t shift = 0;      // frames ours is later than the reference
  int32_t frames = 0;     // reference frames that count
  double levelDb = 0;     // ours louder than the reference by this, over the frames that count
};
// With `frames`, each counted frame's cosine, reference frame by frame.
Likeness CompareChroma(const Audio& reference, const Audio& ours,
                       std::vector<std::pair<int32_t, double>>* frames = nullptr);

// A 16-bit PCM or 32-bit float WAVE file. 1, or 0 with `error`.
int32_t ReadWaveFile(const std::string& path, Audio& audio, std::string& error);
