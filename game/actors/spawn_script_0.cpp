#include "game/actors/spawn_plan.h"

namespace {

using namespace spawn_plan;

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

}  // namespace

const SpawnEvent* const Stage0Events = Stage0Script.events;
