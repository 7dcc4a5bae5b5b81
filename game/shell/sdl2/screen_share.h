#pragma once
#include <cstdint>
#include <vector>

#include "game/media/display_port.h"

// The picture handed from the game thread to the window: the front buffer's
// 640 x 480 indices and the palette it is shown in, taken after each flip or
// palette change. The window converts it when it next presents.

// Game thread: takes the screen when a flip or the palette changed since
// the last time; wakes the window through `wake` (may be null).
void ShareScreenIfChanged();
void SetScreenWake(void (*wake)());
// Window: the newest picture as 0xAARRGGBB pixels; 0 when none came since
// `sequence` (which it moves on).
int32_t TakeSharedScreen(uint32_t& sequence, std::vector<uint32_t>& pixels);
// The picture's pixels: each index in its palette colour, opaque.
void ConvertScreen(const uint8_t* indices, const PaletteEntry* colours, int32_t count,
                   uint32_t* pixels);
