#pragma once
#include <cstdint>

// The picture on the page's canvas: the front buffer's 640 x 480 indices in
// the colours of the primary's palette, put on the canvas after each flip
// or palette change (a fade changes the colours without a flip). The
// canvas stays 640 x 480; the page scales it by a whole number.

// Called right after each present and at each wait: 1 when a new picture
// went onto the canvas.
int32_t PresentScreenIfChanged();
// From now on the canvas keeps the picture it shows (a replay's end).
void FreezeScreen();

// What putting the pictures on the canvas cost so far.
struct ScreenCost {
  int64_t count;
  int64_t totalMicroseconds;
  int64_t longestMicroseconds;
};
ScreenCost ScreenCosts();
