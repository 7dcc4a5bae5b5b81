#include "game/actors/stage_maps.h"

// The three maps live in stage_map_0.cpp to stage_map_2.cpp, one text row a line.
const StageMap StageMaps[3] = {
    {Stage0Rows, Stage0RowCount},
    {Stage1Rows, Stage1RowCount},
    {Stage2Rows, Stage2RowCount},
};
