// libFuzzer target: any bytes, as a WAVE resource image and as a WAVE file.
// The readers must refuse or read, never outside what they were given, and
// what they give back must hold together.
#include <cstddef>
#include <cstdint>

#include "game/media/wave_file.h"

static void Check(const Wave& w) {
  if (w.format.size() < WaveFormatBlockSize) __builtin_trap();
  if (w.format.size() != WaveFormatBlockSize + WaveExtraSize(w)) __builtin_trap();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Wave wave;
  if (ParseWaveImage(data, size, wave)) {
    Check(wave);
    if (wave.data.size() > size) __builtin_trap();
  }
  int32_t result = ReadWaveFileBytes(1, data, size, wave);
  if (result == 0) Check(wave);
  else if (!wave.format.empty() || !wave.data.empty()) __builtin_trap();
  return 0;
}
