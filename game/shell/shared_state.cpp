#include "game/shell/shared_state.h"

#include <cstring>

std::atomic<int32_t> InputState{0};
std::atomic<int32_t> Paused{0};
std::atomic<int32_t> MusicWanted{0};
std::atomic<int32_t> AppActive{0};
std::atomic<int32_t> SelectedWeapon{0};
std::atomic<int32_t> QuitConfirmed{0};
std::atomic<int32_t> ShuttingDown{0};
std::atomic<int32_t> FatalErrorCode{0};
int32_t MusicPlaying = 0;

int8_t StageNumber = 0;
int32_t GameLevel = 2;
int32_t TotalScore = 0;
int32_t FrameCount = 0;

char CaptionText[59] = "";
int32_t CaptionLength = 0;

void SetCaptionText(const char* text) {
  std::strncpy(CaptionText, text, sizeof CaptionText - 1);
  CaptionText[sizeof CaptionText - 1] = 0;
  CaptionLength = static_cast<int32_t>(std::strlen(CaptionText));
}
