#pragma once
#include <cstdint>

// The levels at which the game's two sound paths meet. On Windows,
// DirectSound adds the effect buffers to the music's streaming buffer with
// no limiter, so the music at its loudest (any song: up to full scale) and
// the loudest moment of the effects that play together (three or four at
// once: half again full scale) must sum below full scale. Both paths play
// 10 dB down, so their balance is as made; every front end plays at these
// levels, so the simulator's mix is the one Windows makes.
constexpr int32_t EffectVolume = -1000;  // DirectSound's SetVolume: hundredths of a dB
constexpr float MusicLevel = 0.31622777f;  // the same 10 dB as a gain

inline int16_t AtMusicLevel(int16_t sample) {
  float scaled = sample * MusicLevel;
  return int16_t(scaled < 0 ? scaled - 0.5f : scaled + 0.5f);
}
