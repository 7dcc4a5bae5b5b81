#include "game/media/random.h"

Random GlobalRandom(RandomBaseSeed);

uint32_t Random::SetSeed(uint32_t seed) {
  uint32_t previous = state;
  state = seed;
  return previous;
}

static uint32_t RotateUpperHalfLeft2(uint32_t t) {
  uint32_t hi = t >> 16;
  hi = ((hi << 2) | (hi >> 14)) & 0xFFFF;
  return (t & 0xFFFF) | (hi << 16);
}

static uint32_t RotateByteRight(uint32_t t, int byte, int bits) {
  int shift = byte * 8;
  uint32_t b = (t >> shift) & 0xFF;
  b = ((b >> bits) | (b << (8 - bits))) & 0xFF;
  return (t & ~(0xFFu << shift)) | (b << shift);
}

int32_t Random::Next(int32_t n) {
  uint32_t s = state;
  uint32_t feedback = ((s >> 1) ^ (s >> 30)) & 1;
  uint32_t t = RotateUpperHalfLeft2(s);
  t = RotateByteRight(t, 1, 2);
  t = RotateByteRight(t, 3, 7);  // left by 1 = right by 7 in a byte
  state = (t << 1) | feedback;
  uint32_t mixed = (state >> 16) ^ (state & 0xFFFF);
  return static_cast<int32_t>(mixed % static_cast<uint32_t>(n));
}
