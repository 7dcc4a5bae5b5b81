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

// Each stage's rows, the clearing row included.
extern const MapRow Stage0Rows[];
extern const MapRow Stage1Rows[];
extern const MapRow Stage2Rows[];
extern const int32_t Stage0RowCount;
extern const int32_t Stage1RowCount;
extern const int32_t Stage2RowCount;
