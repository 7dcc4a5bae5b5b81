#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "game/shell/sdl2/dialog_rules.h"

// A box drawn over the still game picture, in the game's colours: a dark
// blue panel with a light frame, its caption on a bar, the texts in the
// TrueType font (or the built-in one), the focused button lit.
struct DialogTexts {
  std::string caption;  // UTF-8
  std::string message;  // UTF-8, lines split by line feeds
  int32_t rank;         // name entry
  int32_t score;
};

// `under`: the picture (640 x 480, 0xAARRGGBB); `out` gets it dimmed with
// the box on top.
void DrawDialog(const DialogState& state, const DialogTexts& texts,
                const std::vector<uint32_t>& under, std::vector<uint32_t>& out);
