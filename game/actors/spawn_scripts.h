#pragma once
#include <cstdint>

// One timed spawn of a stage's script. Times are relative: an event whose time
// is smaller than the one before it starts a new wave, counted from the frame
// after the previous wave's last spawn.
struct SpawnEvent {
  int16_t time;
  int16_t x;
  int16_t y;
  int16_t type;  // index into EnemyTypeTable; -1 ends the script
};
static_assert(sizeof(SpawnEvent) == 8, "scripts are arrays of 8-byte records");

constexpr int16_t ScriptEndType = -1;
constexpr int16_t ScriptEndTime = 32767;

// Per stage (StageNumber 0-2); every script ends with (32767, 0, 0, -1).
extern const SpawnEvent* const SpawnScripts[3];

// The planned scripts of stages 0 and 1.
extern const SpawnEvent* const Stage0Events;
extern const SpawnEvent* const Stage1Events;
