#pragma once
#include <cstdint>

extern const char* const StageMusicFiles[3];

// The game thread's procedure: title, stages and results until the end.
void GameThread(void* unused);
void ResetGame();
// The stage set-up between the title (or the last stage) and StageLoop.
void SetUpStage();
void TearDownStage();
