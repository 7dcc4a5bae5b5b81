#include "game/media/display.h"

#include "game/media/bitmap_surface.h"
#include "game/media/screen_effect.h"
#include "game/media/stage_sheets.h"
#include "game/shell/shared_state.h"

int32_t DisplayCreated = 0;
SurfaceHandle PrimarySurface = 0;
SurfaceHandle BackBuffer = 0;
PaletteHandle GamePalette = 0;
SurfaceHandle SheetSurfaces[SheetCount] = {};
int32_t LastDisplayResult = 0;
void (*OnBlitRequest)(int32_t, int32_t, const Rect&, int32_t, int32_t) = nullptr;

// Each step only after the one before succeeded; what was made stays for
// the shutdown to release.
int32_t InitDisplay(uintptr_t window) {
  int32_t r = PortDirectDrawCreate();
  LastDisplayResult = r;
  if (r != DdOk) return r;
  DisplayCreated = 1;
  if ((r = PortSetCooperativeLevel(window)) != DdOk) return LastDisplayResult = r;
  if ((r = PortSetDisplayMode(ScreenWidth, ScreenHeight, 8)) != DdOk) return LastDisplayResult = r;
  if ((r = PortCreatePrimary(&PrimarySurface)) != DdOk) return LastDisplayResult = r;
  r = PortGetBackBuffer(PrimarySurface, &BackBuffer);
  return LastDisplayResult = r;
}

// The clipping is our own arithmetic: BltFast has no clipper, and a source
// rectangle that leaves the screen would be refused whole. Sizes are compared
// in 64 bits and edges moved with 32-bit wrap-around, so absurd rectangles
// cannot overflow; the display refuses what they come to.
static int32_t Moved(int32_t edge, int64_t by) { return int32_t(uint32_t(edge) + uint32_t(by)); }

static int32_t ClipToScreen(int32_t& x, int32_t& y, Rect& r) {
  if (int64_t(r.right) - r.left <= 0 || int64_t(r.bottom) - r.top <= 0) return 0;
  if (x < 0) r.left = Moved(r.left, -int64_t(x)), x = 0;
  if (y < 0) r.top = Moved(r.top, -int64_t(y)), y = 0;
  if (x + (int64_t(r.right) - r.left) > ScreenWidth) r.right = Moved(r.left, ScreenWidth - x);
  if (y + (int64_t(r.bottom) - r.top) > ScreenHeight) r.bottom = Moved(r.top, ScreenHeight - y);
  return int64_t(r.right) > r.left && int64_t(r.bottom) > r.top;
}

// 0 done or dropped, 1 to try the same call again (the blitter was busy).
static int32_t AfterDisplayCall(int32_t result) {
  if (result == DderrSurfaceLost) {
    LastDisplayResult = RestoreSurfaces();  // this frame goes without the picture
    return 0;
  }
  return result == DderrWasStillDrawing;
}

void BlitClipped(int32_t x, int32_t y, Rect rect, int32_t flags, int32_t sheet) {
  if (OnBlitRequest) OnBlitRequest(x, y, rect, flags, sheet);
  if (!ClipToScreen(x, y, rect)) return;
  if (sheet < 0 || sheet >= SheetCount) return;
  SurfaceHandle source = SheetSurfaces[sheet];
  if (!BackBuffer || !source || QuitConfirmed.load()) return;
  do {
    LastDisplayResult = PortBltFast(BackBuffer, x, y, source, rect, flags);
  } while (AfterDisplayCall(LastDisplayResult));
}

void PresentFrame() {
  if (!PrimarySurface || QuitConfirmed.load()) return;
  do {
    LastDisplayResult = PortFlip(PrimarySurface);
  } while (AfterDisplayCall(LastDisplayResult));
}

// No drawing once quitting is confirmed: the surfaces are about to go.
void FillBackBuffer(int32_t index) {
  if (!BackBuffer || QuitConfirmed.load()) return;
  PortColourFill(BackBuffer, index);
}

// Font and common sheets: a failed restore or reload is passed over. Stage
// sheets: a failed restore is fatal, and the rest are left alone.
int32_t RestoreSurfaces() {
  if (FatalErrorCode.load() != 0 || ShuttingDown.load()) return 0;
  if (!PrimarySurface) return 0;
  int32_t r = PortRestore(PrimarySurface);
  if (r != DdOk) return r;
  if (ShuttingDown.load()) return 0;
  for (int32_t slot : {FontSheet, CommonSheet}) {
    if (!SheetSurfaces[slot]) continue;
    r = PortRestore(SheetSurfaces[slot]);
    if (r == DdOk) ReloadBitmap(SheetSurfaces[slot], StartUpSheetName(slot), nullptr, nullptr, 1);
  }
  if (ShuttingDown.load()) return r;
  for (int32_t slot : {BackSheet, BlockSheet, EnemySheet, BossSheet}) {
    if (!SheetSurfaces[slot]) continue;
    r = PortRestore(SheetSurfaces[slot]);
    if (r != DdOk) {
      FatalErrorCode.exchange(6);
      return r;
    }
    ReloadBitmap(SheetSurfaces[slot], StageSheetName(slot, StageNumber), nullptr, nullptr, 1);
  }
  return r;
}

// Dependants first: the surfaces and the palette belong to the DirectDraw object.
void ReleaseDisplay() {
  if (PrimarySurface) PortReleaseSurface(PrimarySurface);
  PrimarySurface = 0;
  BackBuffer = 0;
  for (SurfaceHandle& sheet : SheetSurfaces) {
    if (sheet) PortReleaseSurface(sheet);
    sheet = 0;
  }
  ScreenEffectDetach();  // no fade step may write the palette released here
  if (GamePalette) PortReleasePalette(GamePalette);
  GamePalette = 0;
  if (DisplayCreated) PortReleaseDirectDraw();
  DisplayCreated = 0;
}

int32_t PrimaryExists() { return PrimarySurface != 0; }
