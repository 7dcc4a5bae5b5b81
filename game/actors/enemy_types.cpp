#include "game/actors/enemy_types.h"

#include "game/actors/enemy_behaviours.h"

// All frames are on the enemy sheet.

// The common fighter's three poses; types 0, 2 and 5 share the sequence.
constexpr Rect E0{0, 0, 64, 64};
constexpr Rect E1{0, 74, 64, 118};
constexpr Rect E2{0, 138, 64, 183};
constexpr Rect FighterFrames[15] = {E0, E0, E1, E1, E2, E2, E0, E0, E0, E2, E1, E0, E2, E1, E0};

constexpr Rect BouncerFrames[1] = {{128, 4, 192, 60}};
constexpr Rect DasherFrames[1] = {{64, 0, 119, 37}};
constexpr Rect LeftEntryFrames[2] = {{64, 38, 124, 81}, {64, 81, 124, 124}};

// A shape that grows from 15 x 15 to 79 x 63 and back.
constexpr Rect F0{128, 64, 143, 79};
constexpr Rect F1{128, 80, 149, 101};
constexpr Rect F2{160, 64, 192, 95};
constexpr Rect F3{144, 102, 191, 149};
constexpr Rect F4{64, 128, 143, 191};
constexpr Rect PulseFrames[10] = {F0, F1, F2, F3, F4, F3, F4, F3, F2, F1};

constexpr Rect BigChaserFrames[1] = {{202, 1, 439, 103}};
constexpr Rect CirclerFrames[1] = {{193, 156, 222, 185}};

const EnemyType EnemyTypeTable[EnemyTypeCount] = {
    // frames          count hold  hp  score anchor behaviour
    {FighterFrames,    15,   1,    2,  80,   1,     0},  // 0 straight
    {BouncerFrames,    1,    10,   1,  30,   0,     1},  // 1 bouncer
    {FighterFrames,    15,   1,    2,  80,   1,     2},  // 2 fast
    {DasherFrames,     1,    5,    1,  20,   0,     3},  // 3 dash
    {LeftEntryFrames,  2,    2,    2,  40,   0,     4},  // 4 from the left
    {FighterFrames,    15,   1,    2,  80,   1,     5},  // 5 swoop
    {PulseFrames,      10,   5,    10, 10,   1,     6},  // 6 chaser
    {BigChaserFrames,  1,    10,   100, 800, 1,     6},  // 7 big chaser
    {CirclerFrames,    1,    10,   1,  100,  1,     7},  // 8 circler
};

const EnemyType* const StageEnemyTypes[3] = {EnemyTypeTable, EnemyTypeTable, EnemyTypeTable};
const Behaviour* const StageBehaviours[3] = {BehaviourTable, BehaviourTable, BehaviourTable};
