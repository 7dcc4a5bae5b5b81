#pragma once
#include <cstdint>

#include "game/media/display_port.h"

// "font_.bmp" for FontSheet and "comm_.bmp" for CommonSheet; none otherwise.
const char* StartUpSheetName(int32_t slot);
// The file of a stage sheet slot (BackSheet..BossSheet) for a stage; none
// for other slots and stages.
const char* StageSheetName(int32_t slot, int32_t stage);

// GamePalette from "font_.bmp" on the primary, then FontSheet and
// CommonSheet keyed on the transparent colour; 0 when a sheet is missing.
int32_t LoadStartUpSheets();
// Releases what the slot holds and loads the named file into it; a failed
// load leaves the slot empty.
void ReplaceSheet(int32_t slot, const char* name);
// The four stage sheets, without the wait.
void ReplaceStageSheets(int32_t stage);
// Loads the stage's four sheets and holds the introduction on screen.
void LoadStageSheets(int32_t stage);
