#pragma once
#include <cstddef>
#include <cstdint>

#include "game/actors/spawn_scripts.h"

// How the longer scripts are written: as waves of groups, expanded at
// compile time into plain event arrays.
namespace spawn_plan {

// A group of a wave: n enemies of one type, the k-th at time t0 + k * dt,
// column x + k * dx, row y0 + k * dy. The groups of a wave are merged in
// time order (groups listed first go first at equal times), so a wave reads
// as its parts rather than as a hand-sorted list.
struct Group {
  int16_t wave, t0, dt, n, type, x, dx, y0, dy;
};

// Enemy types: 0 straight, 1 bouncer, 2 fast, 3 dash, 4 from the left (its x is
// set by the game), 5 swoop (placed above or below the visible rows),
// 6 chaser, 8 circler (x, y is the centre of its circle).

template <size_t N>
struct Script {
  SpawnEvent events[N + 1];
};

template <size_t G>
constexpr size_t EventCount(const Group (&plan)[G]) {
  size_t count = 0;
  for (size_t g = 0; g < G; ++g) count += static_cast<size_t>(plan[g].n);
  return count;
}

// Waves are numbered 1, 2, 3, ... in order, and each wave's first time is
// smaller than the previous wave's last, so that the game really starts a new
// wave there instead of running on in the old one.
template <size_t G>
constexpr bool WavesAreSeparate(const Group (&plan)[G]) {
  int prevLast = -1;
  size_t g = 0;
  int expected = 1;
  while (g < G) {
    const int wave = plan[g].wave;
    if (wave != expected) return false;
    int first = 32767, last = -1;
    for (; g < G && plan[g].wave == wave; ++g) {
      const Group& p = plan[g];
      if (p.n < 1 || p.dt < 0) return false;
      const int end = p.t0 + (p.n - 1) * p.dt;
      if (p.t0 < first) first = p.t0;
      if (end > last) last = end;
    }
    if (prevLast >= 0 && first >= prevLast) return false;
    prevLast = last;
    ++expected;
  }
  return true;
}

template <size_t N, size_t G>
constexpr Script<N> Expand(const Group (&plan)[G]) {
  Script<N> script{};
  size_t count = 0;
  size_t g = 0;
  while (g < G) {
    const size_t waveStart = count;
    const int16_t wave = plan[g].wave;
    for (; g < G && plan[g].wave == wave; ++g) {
      const Group& p = plan[g];
      for (int k = 0; k < p.n; ++k) {
        script.events[count++] = {static_cast<int16_t>(p.t0 + k * p.dt),
                                  static_cast<int16_t>(p.x + k * p.dx),
                                  static_cast<int16_t>(p.y0 + k * p.dy), p.type};
      }
    }
    // Stable insertion sort of the wave by time.
    for (size_t i = waveStart + 1; i < count; ++i) {
      const SpawnEvent e = script.events[i];
      size_t j = i;
      while (j > waveStart && script.events[j - 1].time > e.time) {
        script.events[j] = script.events[j - 1];
        --j;
      }
      script.events[j] = e;
    }
  }
  script.events[count] = {ScriptEndTime, 0, 0, ScriptEndType};
  return script;
}

}  // namespace spawn_plan
