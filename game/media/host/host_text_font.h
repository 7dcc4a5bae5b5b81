#pragma once
#include <cstdint>

extern const uint8_t HostTextGlyphs[95][7];
