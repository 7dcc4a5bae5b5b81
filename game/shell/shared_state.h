#pragma once
#include <atomic>
#include <cstdint>

// State shared by the game shell. The flags the main thread writes are
// atomics: their exchange is the interlocked exchange, and the game thread
// reads them plainly once per use.

// InputState bits: keyboard in the low half, joystick in the high half.
constexpr int32_t InputUp = 0x10001;
constexpr int32_t InputDown = 0x20002;
constexpr int32_t InputRight = 0x40004;
constexpr int32_t InputLeft = 0x80008;
constexpr int32_t InputFire = 0x100010;
constexpr int32_t InputBomb = 0x200020;

enum StageResult : int32_t {
  GameOver = 0,
  StageCleared = 1,
  Quit = 2,
  AllStagesCleared = 3,
};

constexpr uint32_t WmClose = 0x0010;
constexpr uint32_t WmCommand = 0x0111;
constexpr int32_t CommandEnterHighScore = 142;

extern std::atomic<int32_t> InputState;
extern std::atomic<int32_t> Paused;
extern std::atomic<int32_t> MusicWanted;
extern std::atomic<int32_t> AppActive;
extern std::atomic<int32_t> SelectedWeapon;
extern std::atomic<int32_t> QuitConfirmed;
extern std::atomic<int32_t> ShuttingDown;
extern std::atomic<int32_t> FatalErrorCode;
extern int32_t MusicPlaying;

extern int8_t StageNumber;
extern int32_t GameLevel;
extern int32_t TotalScore;
extern int32_t FrameCount;

// The long caption (string resource 1): shown by the stage introduction and
// the status line.
extern char CaptionText[59];
extern int32_t CaptionLength;
void SetCaptionText(const char* text);
