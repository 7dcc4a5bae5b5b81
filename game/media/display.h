#pragma once
#include <cstdint>

#include "game/media/display_port.h"
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

// The display objects, created at start-up and released once at shutdown.
extern int32_t DisplayCreated;  // 1 while the DirectDraw object exists
extern SurfaceHandle PrimarySurface;
extern SurfaceHandle BackBuffer;
extern PaletteHandle GamePalette;
extern SurfaceHandle SheetSurfaces[SheetCount];

// Outcome of the last display call (an HRESULT, 0 for success).
extern int32_t LastDisplayResult;

// Sees every BlitClipped call as it was asked, before any clipping; the
// host display keeps a record of them for tests. Null in the game.
extern void (*OnBlitRequest)(int32_t x, int32_t y, const Rect& rect, int32_t flags, int32_t sheet);

// DirectDraw up to the back buffer; 0, or the first failing call's result.
int32_t InitDisplay(uintptr_t window);
void BlitClipped(int32_t x, int32_t y, Rect rect, int32_t flags, int32_t sheet);
void PresentFrame();
void FillBackBuffer(int32_t index);
// Restores every surface and reloads the sheets; 0 when all came back.
int32_t RestoreSurfaces();
// Primary (with its back buffer), sheets 0..5, palette, DirectDraw object.
void ReleaseDisplay();
// 1 once the display is up and has a primary surface.
int32_t PrimaryExists();
