#pragma once
#include <cstdint>

// The game's only random source: a 32-bit shift register with its own bit
// mixing. The exact sequence matters: fixed-seed local generators redraw the
// same star field every frame, and a seed replays a whole game.
struct Random {
  uint32_t state;

  explicit constexpr Random(uint32_t seed) : state(seed) {}
  uint32_t SetSeed(uint32_t seed);
  // 0 .. n - 1; n must be positive.
  int32_t Next(int32_t n);
};

constexpr uint32_t RandomBaseSeed = 0x9778182B;

// The shared generator every actor draws from.
extern Random GlobalRandom;
