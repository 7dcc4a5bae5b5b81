#pragma once
#include <cstdint>

#include "game/media/rect.h"

// Display operations, mirrored from DirectDraw. Results are HRESULTs.
int32_t PortBltFast(int32_t x, int32_t y, int32_t sheet, const Rect& source, int32_t flags);
int32_t PortFlip();
int32_t PortFillBackBuffer(int32_t index);
int32_t PortHasPrimary();
