#pragma once
#include <cstdint>

#include "game/media/rect.h"

// A terrain block kind of the stage maps, cells 'A' to 'I'; all frames are on
// BlockSheet and 64 pixels wide.
struct BlockKindInfo {
  const Rect* frames;
  int32_t frameCount;
  int32_t frameHold;  // a frame is shown frameHold + 1 updates
  int32_t anchor;     // 0 top-left corner kept, 2 bottom-right corner kept
};

constexpr int32_t BlockKindCount = 9;
extern const BlockKindInfo BlockKinds[BlockKindCount];

// The kind a map cell stands for, or null for every character that lays no block.
const BlockKindInfo* FindBlockKind(char cell);
