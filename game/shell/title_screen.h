#pragma once
#include <cstdint>

// The screen between games: 1 starts a game, 0 means quitting was confirmed.
int32_t TitleScreen();
