#pragma once
#include <cstdint>

#include "game/media/rect.h"

// The six sprite sheets, by slot.
enum SheetSlot : int32_t {
  FontSheet = 0,
  CommonSheet = 1,
  BackSheet = 2,
  BlockSheet = 3,
  EnemySheet = 4,
  BossSheet = 5,
  SheetCount = 6,
};

constexpr int32_t ScreenWidth = 640;
constexpr int32_t ScreenHeight = 480;
constexpr int32_t BlitOpaque = 0;
constexpr int32_t BlitColourKey = 1;  // DDBLTFAST_SRCCOLORKEY

// Outcome of the last display call (an HRESULT, 0 for success).
extern int32_t LastDisplayResult;

void BlitClipped(int32_t x, int32_t y, Rect rect, int32_t flags, int32_t sheet);
void PresentFrame();
void FillBackBuffer(int32_t index);
// 1 once the display is up and has a primary surface.
int32_t PrimaryExists();
