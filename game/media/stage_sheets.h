#pragma once
#include <cstdint>

// Loads the stage's four sheets and holds the introduction on screen.
void LoadStageSheets(int32_t stage);
