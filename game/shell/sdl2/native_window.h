#pragma once
#include <cstdint>
#include <initializer_list>
#include <vector>

// The game's window: the 640 x 480 picture on the window's surface,
// scaled by a whole number with its aspect kept and black borders round it.

struct ScreenPlace {
  int32_t scale;
  int32_t x, y, width, height;  // in the window's pixels
};
// Where the picture goes in a drawing area of this size: the largest whole
// scale that fits (at least 1, then cut at the edges), centred.
ScreenPlace PlaceScreen(int32_t areaWidth, int32_t areaHeight);
// The window's first scale: the largest that fits the usable screen, 1..3.
int32_t DefaultWindowScale(int32_t usableWidth, int32_t usableHeight);

// SDL's video driver (started) is one of these ("x11", "wayland", ...).
bool VideoDriverIn(std::initializer_list<const char*> names);
// 1 when the window and its surface are up. Scale 0: the default one.
int32_t OpenGameWindow(int32_t scale, bool fullscreen);
void CloseGameWindow();
uint32_t GameWindowId();
// Full screen on the desktop's resolution (no mode change), and back.
void ToggleFullScreen();
bool IsFullScreen();
// Shows 640 x 480 pixels (0xAARRGGBB), scaled; null shows the last again.
void PresentPixels(const uint32_t* pixels);
// The window as it was last presented, read back from its surface.
int32_t ReadWindowPixels(std::vector<uint32_t>& pixels, int32_t& width, int32_t& height);
// What the presents cost so far: the scaled copy and the window's update.
struct PresentCost {
  int64_t count;
  int64_t totalMicroseconds;
  int64_t longestMicroseconds;
  int32_t scale;  // of the last one
};
PresentCost PresentCosts();
