#pragma once
#include <cstdint>

// The screen between games: 1 starts a game, 0 means quitting was confirmed.
int32_t TitleScreen();

extern const char* const LevelLabels[5];
extern const char TitleText[];
extern const char HelpText[];
// Where the level marker and the centred label lie.
int32_t LevelMarkerX(int32_t level);
int32_t LevelLabelX(const char* label);
// GameLevel after a frame: one step for each new press of right or left
// (keyboard or joystick), wrapping round.
int32_t NextLevel(int32_t level, int32_t input, int32_t previous);
