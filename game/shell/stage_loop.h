#pragma once
#include <cstdint>

// Frame clock of the running stage.
extern uint32_t FrameTime;    // ms gathered since the stage loop last cleared it
extern uint32_t LastTick;     // tick count at the previous pass of FrameWait
extern uint32_t FrameElapsed; // ms between the last two passes

constexpr uint32_t FrameMilliseconds = 60;  // a frame ends once more than this has passed
constexpr uint32_t IdleSleepMilliseconds = 500;
constexpr int32_t ClearingFrames = 120;
constexpr uint32_t StageStarSeed = 0x9778182B;

// 0: go on with the next frame; 2: quitting was confirmed.
int32_t FrameWait();
int32_t StageLoop();
void StageIntro();
void DrawBackground();
void DrawStarField(uint32_t seed, int32_t count, int32_t leastSpeed, int32_t spread,
                   int32_t counter);
void DrawStageStars();
