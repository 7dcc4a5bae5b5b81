#include "game/actors/spawn_scripts.h"

#include <cstddef>

namespace {

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

// Stage 0: cave, pillar field, jaws, snake, needle, then the boss corridor.
// Straights and fast fliers teach the lanes first; swoops, bouncers and the
// fliers from behind follow; dashers come late and few. Waves grow from about
// ten enemies to about thirty before the boss, with a breather between the
// map's sections.
// One row per group; a wave is the rows sharing its number.
constexpr Group Stage0Plan[] = {
    // wave  t0  dt   n type    x  dx     y   dy
    // 1. Opening: fast pair, a swoop pincer and two straights at the cave walls.
    {   1,  10,  0,  1,   2,  638,  0,   266,   0},
    {   1,  10,  0,  1,   5,  138,  0,   -62,   0},
    {   1,  10,  0,  1,   5,  138,  0,   758,   0},
    {   1,  10,  0,  1,   2,  638,  0,   522,   0},
    {   1,  10,  0,  1,   0,  638,  0,    10,   0},
    {   1,  10,  0,  1,   0,  638,  0,   778,   0},
    {   1,  20,  0,  1,   2,  638,  0,   266,   0},
    {   1,  20,  0,  1,   2,  638,  0,   522,   0},
    // 2. A column of straights, then a fast thread down the cave's middle.
    {   2,  10,  0,  4,   0,  638,  0,   138, 128},
    {   2,  24,  4,  6,   2,  638,  0,   330,   0},
    // 3. Swoop pincer: four pairs sweep in from above and below.
    {   3,  10,  8,  4,   5,   74, 64,   -62,   0},
    {   3,  10,  8,  4,   5,   74, 64,   758,   0},
    {   3,  35,  0,  2,   2,  638,  0,   266, 256},
    // 4. Fast staircase from the ceiling to the floor, straights holding three rows.
    {   4,  10,  3, 10,   2,  638,  0,   150,  50},
    {   4,  20,  0,  3,   0,  638,  0,   202, 192},
    // 5. Bouncers introduced: a loose string of five.
    {   5,  10,  8,  5,   1,  638,  0,   200,  80},
    {   5,  30,  0,  2,   0,  638,  0,   266, 256},
    // 6. Straights in a chevron pointing at the ship, fast fliers on its axis.
    {   6,  10,  0,  1,   0,  638,  0,   330,   0},
    {   6,  14,  0,  2,   0,  638,  0,   266, 128},
    {   6,  18,  0,  2,   0,  638,  0,   202, 256},
    {   6,  22,  0,  2,   0,  638,  0,   138, 384},
    {   6,  30,  2,  4,   2,  638,  0,   330,   0},
    // 7. Swoops and fast fliers together: the first crossfire.
    {   7,  10,  6,  4,   5,   74, 64,   -62,   0},
    {   7,  13,  6,  4,   5,   74, 64,   758,   0},
    {   7,  20,  4,  6,   2,  638,  0,   394,   0},
    // 8. A bouncer stream sliding down the cave.
    {   8,  10,  5,  8,   1,  638,  0,   200,  40},
    {   8,  40,  0,  2,   2,  638,  0,   200, 300},
    // 9. Straights march in pairs hugging the cave walls.
    {   9,  10,  0,  2,   0,  638,  0,   150, 420},
    {   9,  20,  0,  2,   0,  638,  0,   150, 420},
    {   9,  30,  0,  2,   0,  638,  0,   170, 380},
    {   9,  40,  0,  2,   0,  638,  0,   170, 380},
    // 10. Swoop ladder: fliers drop in one after another from above.
    {  10,  10,  4,  6,   5,   10, 40,   -62,   0},
    {  10,  20,  4,  4,   2,  638,  0,   450,   0},
    // 11. Breather: one straight, then a fast pair much later.
    {  11,  10,  0,  1,   0,  638,  0,   330,   0},
    {  11,  60,  0,  2,   2,  638,  0,   266, 128},
    // 12. From behind: fliers enter from the left on both lanes.
    {  12,  10,  8,  5,   4,    0,  0,   192,   0},
    {  12,  14,  8,  5,   4,    0,  0,   560,   0},
    // 13. Bouncers weave between the pillars.
    {  13,  10,  4, 10,   1,  638,  0,   100,  60},
    // 14. Fast pairs racing along the upper and lower lanes.
    {  14,  10,  5,  6,   2,  638,  0,   200,   0},
    {  14,  12,  5,  6,   2,  638,  0,   520,   0},
    // 15. Left fliers above, straights below.
    {  15,  10,  8,  4,   4,    0,  0,   150,   0},
    {  15,  10,  8,  4,   0,  638,  0,   560,   0},
    // 16. Swoop storm over the pillars.
    {  16,  10,  4,  6,   5,   10, 50,   -62,   0},
    {  16,  12,  4,  6,   5,   10, 50,   758,   0},
    // 17. A double wall of bouncers.
    {  17,  10,  0,  6,   1,  638,  0,    40, 120},
    {  17,  30,  0,  6,   1,  638,  0,   100, 120},
    // 18. A fast ribbon across the pillar field.
    {  18,  10,  3, 12,   2,  638,  0,   250,  25},
    // 19. Straights between the pillars, bouncers over them.
    {  19,  10,  0,  2,   0,  638,  0,   170, 350},
    {  19,  20,  0,  2,   0,  638,  0,   170, 350},
    {  19,  30,  0,  2,   0,  638,  0,   170, 350},
    {  19,  10,  5,  6,   1,  638,  0,   100, 100},
    // 20. Left fliers in a rising diagonal, fast fliers on the middle lane.
    {  20,  10,  4,  8,   4,    0,  0,   600, -60},
    {  20,  20,  3,  6,   2,  638,  0,   250,   0},
    // 21. Swoops from below only, straights above.
    {  21,  10,  5,  6,   5,   10, 50,   758,   0},
    {  21,  12,  5,  6,   0,  638,  0,   200,   0},
    // 22. Left fliers from behind while straights hold the lanes.
    {  22,  10,  6,  6,   4,    0,  0,   100, 110},
    {  22,  20,  0,  4,   0,  638,  0,   138, 128},
    // 23. First dashers: they brake in front of the ship and fire once.
    {  23,  10, 15,  3,   3,  638,  0,   200, 150},
    {  23,  12,  6,  6,   1,  638,  0,   150,  80},
    // 24. Breather: a lone swoop pair, fast fliers late.
    {  24,  10,  0,  1,   5,  138,  0,   -62,   0},
    {  24,  10,  0,  1,   5,  138,  0,   758,   0},
    {  24,  60,  0,  2,   2,  638,  0,   300, 128},
    // 25. Dashers brake into the mouth of the jaws.
    {  25,  10, 10,  4,   3,  638,  0,   300,  40},
    {  25,  14,  5,  8,   1,  638,  0,   200,  50},
    // 26. Bouncers fill the jaws, fast fliers through the throat.
    {  26,  10,  3, 12,   1,  638,  0,   100,  50},
    {  26,  20,  4,  6,   2,  638,  0,   380,   0},
    // 27. Swoops snap shut like the jaws.
    {  27,  10,  5,  8,   5,   10, 40,   -62,   0},
    {  27,  10,  5,  8,   5,   10, 40,   758,   0},
    // 28. Left fliers through the open gates, straights against them.
    {  28,  10,  5,  8,   4,    0,  0,   260,  20},
    {  28,  15,  8,  4,   0,  638,  0,   400,  20},
    // 29. A double ribbon of fast fliers.
    {  29,  10,  3,  8,   2,  638,  0,   220,  10},
    {  29,  10,  3,  8,   2,  638,  0,   520, -10},
    // 30. Straights through the gates in single file, fast fliers beneath.
    {  30,  10,  5,  8,   0,  638,  0,   330,   0},
    {  30,  12,  5,  8,   2,  638,  0,   500,   0},
    // 31. Bouncers open a V like the jaws.
    {  31,  10,  3,  8,   1,  638,  0,   380, -40},
    {  31,  10,  3,  8,   1,  638,  0,   420,  40},
    // 32. Left fliers from behind, swoops from above.
    {  32,  10,  5,  6,   4,    0,  0,   200,  60},
    {  32,  12,  5,  6,   5,   10, 50,   -62,   0},
    // 33. Dashers through the jaws, fast fliers behind them.
    {  33,  10, 12,  3,   3,  638,  0,   250, 120},
    {  33,  12,  3,  8,   2,  638,  0,   300,  20},
    // 34. Dashers and swoops together.
    {  34,  10,  8,  4,   3,  638,  0,   250,  80},
    {  34,  20,  5,  4,   5,   74, 64,   -62,   0},
    {  34,  22,  5,  4,   5,   74, 64,   758,   0},
    // 35. A bouncer cascade.
    {  35,  10,  2, 16,   1,  638,  0,    60,  40},
    // 36. Breather before the snake: two straights.
    {  36,  10,  0,  1,   0,  638,  0,   330,   0},
    {  36,  40,  0,  1,   0,  638,  0,   450,   0},
    // 37. Left fliers follow the snake from behind.
    {  37,  10,  4, 10,   4,    0,  0,   200,  30},
    // 38. Fast fliers along the snake's bends.
    {  38,  10,  3, 12,   2,  638,  0,   200,  30},
    {  38,  30,  0,  4,   0,  638,  0,   200, 100},
    // 39. Bouncers crowd the snake.
    {  39,  10,  3, 14,   1,  638,  0,   150,  30},
    // 40. Swoops dive into the bends.
    {  40,  10,  4,  6,   5,   10, 50,   -62,   0},
    {  40,  12,  4,  6,   5,   10, 50,   758,   0},
    {  40,  20,  6,  4,   4,    0,  0,   300,   0},
    // 41. Straights march down the snake, bouncers across them.
    {  41,  10,  4,  8,   0,  638,  0,   180,  40},
    {  41,  12,  4,  8,   1,  638,  0,   300,  20},
    // 42. Fast flood from both sides of the bend.
    {  42,  10,  2, 10,   2,  638,  0,   250,  20},
    {  42,  12,  4,  6,   4,    0,  0,   450, -20},
    // 43. A straight squadron in three columns.
    {  43,  10,  0,  4,   0,  638,  0,   160, 128},
    {  43,  22,  0,  4,   0,  638,  0,   224, 128},
    {  43,  34,  0,  4,   0,  638,  0,   160, 128},
    // 44. Bouncer zigzag down the snake.
    {  44,  10,  3, 12,   1,  638,  0,   100,  50},
    // 45. Swoop pincer with fast fliers in its middle.
    {  45,  10,  4,  6,   5,   10, 50,   -62,   0},
    {  45,  10,  4,  6,   5,   10, 50,   758,   0},
    {  45,  20,  3,  6,   2,  638,  0,   350,   0},
    // 46. Left flood, straights ahead.
    {  46,  10,  3, 10,   4,    0,  0,   100,  60},
    {  46,  12,  3,  8,   0,  638,  0,   250,  40},
    // 47. Dashers in the snake's throat.
    {  47,  10,  8,  4,   3,  638,  0,   300,  40},
    {  47,  14,  4,  8,   1,  638,  0,   200,  40},
    // 48. Swoops and left fliers at once.
    {  48,  10,  4,  8,   5,   10, 40,   -62,   0},
    {  48,  12,  4,  8,   5,   10, 40,   758,   0},
    {  48,  10,  5,  8,   4,    0,  0,   150,  50},
    // 49. Breather: a single straight.
    {  49,  10,  0,  1,   0,  638,  0,   330,   0},
    {  49,  50,  0,  2,   2,  638,  0,   266, 128},
    // 50. Bouncer wall before the needle.
    {  50,  10,  0,  6,   1,  638,  0,    60, 110},
    {  50,  24,  0,  6,   1,  638,  0,   120, 110},
    {  50,  38,  0,  6,   1,  638,  0,    60, 110},
    // 51. Fast fliers through the needle's eye.
    {  51,  10,  2, 16,   2,  638,  0,   380,   0},
    {  51,  14,  4,  8,   4,    0,  0,   200,  60},
    // 52. Straights in a closing wedge, left fliers behind the ship.
    {  52,  10,  0,  2,   0,  638,  0,   100, 500},
    {  52,  16,  0,  2,   0,  638,  0,   140, 420},
    {  52,  22,  0,  2,   0,  638,  0,   180, 340},
    {  52,  28,  0,  2,   0,  638,  0,   220, 260},
    {  52,  34,  0,  2,   0,  638,  0,   260, 180},
    {  52,  10,  4,  8,   4,    0,  0,   150,  60},
    // 53. Bouncer storm from the ceiling and the floor.
    {  53,  10,  2, 12,   1,  638,  0,    50,  55},
    {  53,  11,  2, 12,   1,  638,  0,   700, -55},
    // 54. Fast barrage from both ends of the screen.
    {  54,  10,  2, 14,   2,  638,  0,   150,  35},
    {  54,  11,  2, 14,   2,  638,  0,   600, -25},
    // 55. Bouncers and swoops fill every row.
    {  55,  10,  2, 14,   1,  638,  0,    60,  45},
    {  55,  14,  3,  8,   5,   10, 40,   -62,   0},
    {  55,  15,  3,  8,   5,   10, 40,   758,   0},
    // 56. Everything at once: swoops, straights, bouncers.
    {  56,  10,  4,  8,   5,   10, 40,   -62,   0},
    {  56,  10,  4,  8,   5,   10, 40,   758,   0},
    {  56,  20,  0,  5,   0,  638,  0,   138, 100},
    {  56,  24,  2, 12,   1,  638,  0,   100,  50},
    // 57. Swoop pincer around a fast spear.
    {  57,  10,  3,  6,   5,   10, 50,   -62,   0},
    {  57,  10,  3,  6,   5,   10, 50,   758,   0},
    {  57,  12,  2, 12,   2,  638,  0,   330,   0},
    // 58. Dashers behind a bouncer screen, left fliers from behind.
    {  58,  10,  6,  5,   3,  638,  0,   200,  60},
    {  58,  10,  2, 14,   1,  638,  0,    80,  40},
    {  58,  16,  4, 10,   4,    0,  0,   100,  50},
    // 59. Final push: left fliers sweep from behind, then two columns of straights as the walls close in.
    {  59,  10,  0,  5,   0,  638,  0,   138, 128},
    {  59,   9,  9,  7,   4,    0,  0,   100, 100},
    {  59,  63,  0,  5,   0,  638,  0,   202, 128},
};

static_assert(WavesAreSeparate(Stage0Plan), "stage 0 waves must not run together");
static_assert(EventCount(Stage0Plan) == 832, "stage 0 holds 832 events");
constexpr Script<832> Stage0Script = Expand<832>(Stage0Plan);

// Stage 1: open sky, canyon, comb, slalom, then the arena. A swarm stage:
// formations of straights and curtains of swoops, circlers hanging in the
// canyon's mouth and at the slalom, and a single chaser as the last spawn.
// One row per group; a wave is the rows sharing its number.
constexpr Group Stage1Plan[] = {
    // wave  t0  dt   n type    x  dx     y   dy
    // 1. Opening: straight pairs close in from the edges and open again.
    {   1,   5,  0,  1,   0,  638,  0,    10,   0},
    {   1,   5,  0,  1,   0,  638,  0,   778,   0},
    {   1,  10,  0,  1,   0,  638,  0,   138,   0},
    {   1,  10,  0,  1,   0,  638,  0,   650,   0},
    {   1,  15,  0,  1,   0,  638,  0,   266,   0},
    {   1,  15,  0,  1,   0,  638,  0,   522,   0},
    {   1,  20,  0,  1,   0,  638,  0,   394,   0},
    {   1,  20,  0,  1,   0,  638,  0,   650,   0},
    {   1,  25,  0,  1,   0,  638,  0,   266,   0},
    {   1,  25,  0,  1,   0,  638,  0,   522,   0},
    {   1,  30,  0,  1,   0,  638,  0,   138,   0},
    {   1,  30,  0,  1,   0,  638,  0,   650,   0},
    {   1,  35,  0,  1,   0,  638,  0,    10,   0},
    {   1,  35,  0,  1,   0,  638,  0,   778,   0},
    // 2. A swoop curtain falls from above.
    {   2,  10,  4,  8,   5,   10, 40,   -62,   0},
    {   2,  30,  0,  3,   0,  638,  0,   202, 128},
    // 3. Straights in a tight arrow.
    {   3,  10,  0,  1,   0,  638,  0,   330,   0},
    {   3,  13,  0,  2,   0,  638,  0,   290,  80},
    {   3,  16,  0,  2,   0,  638,  0,   250, 160},
    {   3,  19,  0,  2,   0,  638,  0,   210, 240},
    {   3,  22,  0,  2,   0,  638,  0,   170, 320},
    // 4. A straight grid: three columns of five.
    {   4,  10,  0,  5,   0,  638,  0,   100, 120},
    {   4,  22,  0,  5,   0,  638,  0,   160, 120},
    {   4,  34,  0,  5,   0,  638,  0,   100, 120},
    // 5. A swoop curtain rises from below.
    {   5,  10,  4,  8,   5,   10, 40,   758,   0},
    {   5,  30,  0,  3,   0,  638,  0,   202, 128},
    // 6. Bouncers thread the straights' lanes.
    {   6,  10,  6,  6,   1,  638,  0,   100, 110},
    {   6,  12,  0,  4,   0,  638,  0,   138, 128},
    {   6,  30,  0,  4,   0,  638,  0,   202, 128},
    // 7. Swoop pincer: above and below together.
    {   7,  10,  5,  6,   5,   10, 50,   -62,   0},
    {   7,  10,  5,  6,   5,   10, 50,   758,   0},
    {   7,  20,  4,  5,   0,  638,  0,   330,   0},
    // 8. A double line of straights.
    {   8,  10,  4,  8,   0,  638,  0,   200,   0},
    {   8,  12,  4,  8,   0,  638,  0,   460,   0},
    // 9. Bouncer pairs from the top and the bottom.
    {   9,  10,  4,  8,   1,  638,  0,   100,  80},
    {   9,  12,  4,  8,   1,  638,  0,   600, -60},
    // 10. Breather: a single dasher probes the ship.
    {  10,  10,  0,  1,   3,  638,  0,   300,   0},
    {  10,  52,  0,  2,   0,  638,  0,   266, 128},
    // 11. Straights pour into the canyon in three lanes.
    {  11,  10,  6,  6,   0,  638,  0,   200,   0},
    {  11,  12,  6,  6,   0,  638,  0,   330,   0},
    {  11,  14,  6,  6,   0,  638,  0,   460,   0},
    // 12. Straights in four lanes down the canyon.
    {  12,  10,  5,  7,   0,  638,  0,   150,   0},
    {  12,  11,  5,  7,   0,  638,  0,   280,   0},
    {  12,  12,  5,  7,   0,  638,  0,   410,   0},
    {  12,  13,  5,  7,   0,  638,  0,   540,   0},
    // 13. The first circlers hang in the canyon's mouth.
    {  13,  10,  0,  1,   8,  638,  0,   250,   0},
    {  13,  20,  0,  1,   8,  638,  0,   450,   0},
    {  13,  12,  5,  6,   1,  638,  0,   150, 100},
    // 14. Swoops dive between the growing pillars.
    {  14,  10,  4,  8,   5,   10, 40,   -62,   0},
    {  14,  12,  4,  8,   5,   10, 40,   758,   0},
    // 15. Straights in a staircase up the canyon.
    {  15,  10,  3, 12,   0,  638,  0,   560, -35},
    // 16. Bouncers fill the canyon.
    {  16,  10,  4, 10,   1,  638,  0,    80,  60},
    {  16,  30,  0,  4,   0,  638,  0,   202,  96},
    // 17. Fast fliers race along the canyon, bouncers across them.
    {  17,  10,  3,  8,   2,  638,  0,   330,   0},
    {  17,  12,  4,  8,   1,  638,  0,   100,  70},
    // 18. Swoops and straights in turn.
    {  18,  10,  6,  5,   5,   10, 60,   -62,   0},
    {  18,  13,  6,  5,   0,  638,  0,   300,   0},
    {  18,  16,  6,  5,   5,   10, 60,   758,   0},
    // 19. Dashers brake at the canyon's pillars.
    {  19,  10,  8,  4,   3,  638,  0,   200, 100},
    {  19,  20,  0,  4,   0,  638,  0,   170, 128},
    {  19,  36,  0,  4,   0,  638,  0,   234, 128},
    // 20. A lone circler behind a bouncer screen.
    {  20,  10,  0,  1,   8,  638,  0,   330,   0},
    {  20,  12,  3, 12,   1,  638,  0,    80,  50},
    // 21. Straight wall with a gap at the ship's row.
    {  21,  10,  0,  6,   0,  638,  0,    60,  64},
    {  21,  14,  0,  5,   0,  638,  0,   520,  64},
    // 22. Swoop pincer with bouncers.
    {  22,  10,  5,  6,   5,   10, 50,   -62,   0},
    {  22,  10,  5,  6,   5,   10, 50,   758,   0},
    {  22,  15,  5,  6,   1,  638,  0,   200,  60},
    // 23. Breather: two straights, a fast pair.
    {  23,  10,  0,  2,   0,  638,  0,   266, 256},
    {  23,  50,  0,  2,   2,  638,  0,   330,  64},
    // 24. A circler trio behind a swoop screen.
    {  24,  10,  0,  1,   8,  638,  0,   200,   0},
    {  24,  20,  0,  1,   8,  638,  0,   400,   0},
    {  24,  30,  0,  1,   8,  638,  0,   600,   0},
    {  24,  12,  6,  6,   5,   10, 50,   -62,   0},
    // 25. Straights comb through the shutters.
    {  25,  10,  4, 10,   0,  638,  0,   300,   0},
    {  25,  12,  4, 10,   0,  638,  0,   420,   0},
    {  25,  14,  4,  8,   0,  638,  0,   540,   0},
    // 26. Straights in a diamond.
    {  26,  10,  0,  1,   0,  638,  0,   330,   0},
    {  26,  14,  0,  2,   0,  638,  0,   266, 128},
    {  26,  18,  0,  3,   0,  638,  0,   202, 128},
    {  26,  22,  0,  4,   0,  638,  0,   138, 128},
    {  26,  26,  0,  3,   0,  638,  0,   202, 128},
    {  26,  30,  0,  2,   0,  638,  0,   266, 128},
    {  26,  34,  0,  1,   0,  638,  0,   330,   0},
    // 27. Swoops from below between the shutters.
    {  27,  10,  4,  8,   5,   10, 40,   758,   0},
    {  27,  16,  0,  4,   0,  638,  0,   300,  64},
    // 28. Bouncers and dashers.
    {  28,  10,  4, 10,   1,  638,  0,   100,  60},
    {  28,  14, 10,  4,   3,  638,  0,   260,  60},
    // 29. A swoop ladder from above and below.
    {  29,  10,  3,  8,   5,   10, 40,   -62,   0},
    {  29,  11,  3,  8,   5,   10, 40,   758,   0},
    {  29,  14,  3,  8,   0,  638,  0,   360,   0},
    // 30. A double swoop ladder.
    {  30,  10,  3, 10,   5,   10, 30,   -62,   0},
    {  30,  11,  3, 10,   5,   10, 30,   758,   0},
    // 31. Straight columns sweep the comb.
    {  31,  10,  0,  5,   0,  638,  0,   180, 100},
    {  31,  22,  0,  5,   0,  638,  0,   230, 100},
    {  31,  34,  0,  5,   0,  638,  0,   180, 100},
    // 32. Swoops and fast fliers.
    {  32,  10,  5,  6,   5,   10, 50,   -62,   0},
    {  32,  10,  5,  6,   5,   10, 50,   758,   0},
    {  32,  20,  3,  4,   2,  638,  0,   330,   0},
    // 33. Dashers in pairs.
    {  33,  10,  0,  2,   3,  638,  0,   200, 250},
    {  33,  24,  0,  2,   3,  638,  0,   300, 150},
    {  33,  14,  4,  8,   0,  638,  0,   400,  10},
    // 34. Dashers behind a straight staircase.
    {  34,  10,  6,  5,   3,  638,  0,   150, 100},
    {  34,  12,  3, 10,   0,  638,  0,   250,  30},
    // 35. Bouncer storm from the ceiling and the floor.
    {  35,  10,  2, 14,   1,  638,  0,    60,  50},
    {  35,  11,  2, 12,   1,  638,  0,   700, -50},
    // 36. Breather: a line of straights.
    {  36,  10, 13,  5,   0,  638,  0,   330,   0},
    // 37. Circlers guard the slalom.
    {  37,  10,  0,  1,   8,  638,  0,   200,   0},
    {  37,  20,  0,  1,   8,  638,  0,   560,   0},
    {  37,  30,  0,  1,   8,  638,  0,   380,   0},
    {  37,  12,  5,  6,   0,  638,  0,   200,  60},
    // 38. Straights slalom in two columns.
    {  38,  10,  0,  5,   0,  638,  0,   100, 100},
    {  38,  20,  0,  5,   0,  638,  0,   150, 100},
    {  38,  30,  0,  5,   0,  638,  0,   100, 100},
    {  38,  40,  0,  5,   0,  638,  0,   150, 100},
    {  38,  15,  0,  5,   0,  638,  0,   124, 100},
    {  38,  35,  0,  5,   0,  638,  0,   124, 100},
    // 39. A circler pair over a straight wall.
    {  39,  10,  0,  1,   8,  638,  0,   200,   0},
    {  39,  20,  0,  1,   8,  638,  0,   500,   0},
    {  39,  14,  0,  6,   0,  638,  0,    60, 128},
    {  39,  30,  0,  6,   0,  638,  0,   124, 128},
    // 40. Swoops from above and below at every gap.
    {  40,  10,  3, 10,   5,   10, 30,   -62,   0},
    {  40,  11,  3, 10,   5,   10, 30,   758,   0},
    // 41. Bouncers through the slalom.
    {  41,  10,  3, 12,   1,  638,  0,   100,  50},
    {  41,  11,  3, 10,   1,  638,  0,   650, -50},
    {  41,  14,  4,  6,   0,  638,  0,   330,   0},
    // 42. Dashers and straights.
    {  42,  10,  6,  6,   3,  638,  0,   150,  80},
    {  42,  12,  3, 10,   0,  638,  0,   250,  30},
    // 43. Swoop flood.
    {  43,  10,  2, 12,   5,   10, 25,   -62,   0},
    {  43,  11,  2, 12,   5,   10, 25,   758,   0},
    // 44. A river of straights in two streams.
    {  44,  10,  2, 16,   0,  638,  0,   300,   0},
    {  44,  11,  2, 16,   0,  638,  0,   460,   0},
    // 45. A bouncer cascade.
    {  45,  10,  2, 16,   1,  638,  0,    60,  40},
    // 46. Dashers and swoops.
    {  46,  10,  8,  4,   3,  638,  0,   200, 120},
    {  46,  12,  3, 10,   5,   10, 30,   -62,   0},
    {  46,  13,  3, 10,   5,   10, 30,   758,   0},
    // 47. Straight squadron.
    {  47,  10,  0,  6,   0,  638,  0,   100, 100},
    {  47,  20,  0,  6,   0,  638,  0,   150, 100},
    {  47,  25,  0,  6,   0,  638,  0,   124, 100},
    {  47,  30,  0,  6,   0,  638,  0,   100, 100},
    // 48. Bouncers and swoops together.
    {  48,  10,  3, 10,   1,  638,  0,   100,  60},
    {  48,  11,  3,  8,   1,  638,  0,   650, -60},
    {  48,  12,  4,  6,   5,   10, 50,   -62,   0},
    {  48,  14,  4,  6,   5,   10, 50,   758,   0},
    // 49. Last circlers before the arena.
    {  49,  10,  0,  1,   8,  638,  0,   150,   0},
    {  49,  20,  0,  1,   8,  638,  0,   350,   0},
    {  49,  30,  0,  1,   8,  638,  0,   550,   0},
    {  49,  40,  0,  1,   8,  638,  0,   450,   0},
    {  49,  12,  4,  8,   0,  638,  0,   250,  40},
    // 50. Straights everywhere.
    {  50,  10,  0,  6,   0,  638,  0,    60, 128},
    {  50,  20,  0,  6,   0,  638,  0,   124, 128},
    {  50,  30,  0,  6,   0,  638,  0,    60, 128},
    {  50,  40,  0,  6,   0,  638,  0,   124, 128},
    {  50,  12,  3, 10,   0,  638,  0,   330,   0},
    // 51. A straight phalanx.
    {  51,  10,  0,  6,   0,  638,  0,    60, 128},
    {  51,  17,  0,  6,   0,  638,  0,   124, 128},
    {  51,  24,  0,  6,   0,  638,  0,    60, 128},
    {  51,  31,  0,  6,   0,  638,  0,   124, 128},
    {  51,  38,  0,  6,   0,  638,  0,    60, 128},
    // 52. Bouncers and swoops from above.
    {  52,  10,  2, 14,   1,  638,  0,    60,  50},
    {  52,  12,  3, 10,   5,   10, 30,   -62,   0},
    // 53. Swoop storm.
    {  53,  10,  2, 14,   5,   10, 20,   -62,   0},
    {  53,  11,  2, 14,   5,   10, 20,   758,   0},
    // 54. Finale: straights and bouncers, then the lone hunter.
    {  54,  10,  4, 20,   0,  638,  0,   120,  25},
    {  54,  12,  4, 20,   1,  638,  0,   100,  30},
    {  54,  40,  4, 12,   5,   10, 30,   -62,   0},
    {  54,  42,  4, 12,   5,   10, 30,   758,   0},
    {  54, 100,  0,  1,   6,  638,  0,    10,   0},
};

static_assert(WavesAreSeparate(Stage1Plan), "stage 1 waves must not run together");
static_assert(EventCount(Stage1Plan) == 983, "stage 1 holds 983 events");
constexpr Script<983> Stage1Script = Expand<983>(Stage1Plan);

// Stage 2: three waves of eight circlers, then an event so late that the
// script holds back for the rest of the stage and the terrain does the work.
constexpr SpawnEvent Stage2Script[] = {
    {10, 638, 10, 8},  {10, 638, 266, 8}, {10, 638, 522, 8}, {10, 638, 778, 8},
    {20, 638, 10, 8},  {20, 638, 266, 8}, {20, 638, 522, 8}, {20, 638, 778, 8},
    {10, 638, 10, 8},  {10, 638, 266, 8}, {10, 638, 522, 8}, {10, 638, 778, 8},
    {20, 638, 10, 8},  {20, 638, 266, 8}, {20, 638, 522, 8}, {20, 638, 778, 8},
    {10, 638, 10, 8},  {10, 638, 266, 8}, {10, 638, 522, 8}, {10, 638, 778, 8},
    {20, 638, 10, 8},  {20, 638, 266, 8}, {20, 638, 522, 8}, {20, 638, 778, 8},
    {10000, 638, 10, 0},
    {ScriptEndTime, 0, 0, ScriptEndType},
};

}  // namespace

const SpawnEvent* const SpawnScripts[3] = {Stage0Script.events, Stage1Script.events, Stage2Script};
