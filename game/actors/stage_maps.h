#pragma once
#include <cstdint>

// A map row: 24 cells, cell i standing for world rows i * 32 to i * 32 + 31,
// and a terminating zero. 'A' to 'I' lay a block; a row starting with '+'
// clears the stage; every other character is filler.
constexpr int32_t MapCells = 24;
using MapRow = char[MapCells + 1];

struct StageMap {
  const MapRow* rows;  // contiguous, 25 bytes a row
  int32_t rowCount;    // the clearing row included
};

// Per stage (StageNumber 0-2).
extern const StageMap StageMaps[3];
