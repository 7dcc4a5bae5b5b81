#pragma once
#include <cstdint>

// A source rectangle on a sheet; right and bottom are exclusive.
struct Rect {
  int32_t left;
  int32_t top;
  int32_t right;
  int32_t bottom;
};

constexpr int32_t RectWidth(const Rect& r) { return r.right - r.left; }
constexpr int32_t RectHeight(const Rect& r) { return r.bottom - r.top; }
