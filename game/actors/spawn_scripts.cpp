#include "game/actors/spawn_plan.h"

// Stages 0 and 1 are planned as tables of waves in spawn_script_0.cpp and
// spawn_script_1.cpp; stage 2 is short enough to write out.

namespace {

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

const SpawnEvent* const SpawnScripts[3] = {Stage0Events, Stage1Events, Stage2Script};
