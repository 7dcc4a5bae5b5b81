#pragma once
#include <windows.h>

#include <cstdint>

// The name entry (dialog 142), then the list (dialog 141); the window is
// minimised meanwhile.
void EnterHighScore(HWND window, int32_t score, int32_t rank);
// The list alone (F1).
void ShowHighScores(HWND window);
