#pragma once
// The fixed scene that both display adaptors draw, for comparing them pixel
// for pixel: opaque and colour-keyed blits from every sheet, clipped at every
// edge of the screen, text, numbers, a fill and one refused blit.
#include <cstdint>
#include <vector>

#include "game/media/bitmap_surface.h"
#include "game/media/display.h"
#include "game/media/font.h"
#include "game/media/stage_sheets.h"

// The display from scratch, as start-up and the first stage leave it.
inline int32_t SetUpSceneDisplay(uintptr_t window) {
  ReleaseDisplay();
  if (InitDisplay(window) != DdOk || !LoadStartUpSheets()) return 0;
  ReplaceStageSheets(0);
  for (SurfaceHandle s : SheetSurfaces)
    if (!s) return 0;
  return 1;
}

// Returns the result of the refused blit.
inline int32_t DrawDisplayScene() {
  FillBackBuffer(37);
  BlitClipped(-50, -30, Rect{0, 0, 256, 128}, BlitOpaque, BackSheet);   // top left
  BlitClipped(500, 400, Rect{0, 0, 256, 128}, BlitOpaque, BackSheet);   // bottom right
  BlitClipped(200, 100, Rect{0, 0, 128, 128}, BlitOpaque, BlockSheet);
  BlitClipped(-20, 200, Rect{0, 0, 64, 64}, BlitColourKey, EnemySheet);  // left
  BlitClipped(600, 210, Rect{64, 0, 128, 64}, BlitColourKey, EnemySheet);  // right
  BlitClipped(300, -20, Rect{0, 64, 64, 128}, BlitColourKey, EnemySheet);  // top
  BlitClipped(330, 450, Rect{128, 0, 192, 64}, BlitColourKey, EnemySheet);  // bottom
  BlitClipped(400, 150, Rect{0, 0, 168, 120}, BlitColourKey, BossSheet);
  BlitClipped(10, 10, Rect{0, 0, 128, 160}, BlitColourKey, CommonSheet);
  BlitClipped(630, 470, Rect{0, 0, 32, 32}, BlitColourKey, CommonSheet);  // corner
  DrawFontText(-6, 300, "ZARVEL 0123 !?~ score");
  DrawFontNumber(100, 470, 1234, 1000000000);
  FillBackBuffer(0);  // a fill in the middle of the frame, then more on top
  BlitClipped(0, 0, Rect{0, 0, 256, 128}, BlitOpaque, BackSheet);
  BlitClipped(100, 60, Rect{0, 0, 64, 64}, BlitColourKey, EnemySheet);
  DrawFontText(20, 20, "ZARVEL");
  BlitClipped(0, 0, Rect{500, 0, 530, 16}, BlitColourKey, FontSheet);  // past the font's side
  return LastDisplayResult;
}

// The back buffer's palette indices, 640 x 480, top row first.
inline std::vector<uint8_t> ReadBackBuffer() {
  std::vector<uint8_t> frame;
  SurfaceLock lock = {};
  if (LockSurface(BackBuffer, &lock) != DdOk) return frame;
  frame.resize(size_t(ScreenWidth) * ScreenHeight);
  for (int32_t y = 0; y < ScreenHeight; ++y)
    for (int32_t x = 0; x < ScreenWidth; ++x)
      frame[size_t(y) * ScreenWidth + x] = lock.bits[int64_t(y) * lock.pitch + x];
  PortUnlock(BackBuffer);
  return frame;
}
