#pragma once
#include <cstdint>
#include <string>
#include <vector>

// One line of a key script: from `frame` on, exactly `held` is held.
struct KeyChange {
  int64_t frame;
  int32_t held;      // InputState bits
  bool holdM;        // the M key (invulnerable stage when held at its set-up)
  bool weapon;       // one press of Change arms at this frame
  bool pause;        // one press of the pause key at this frame
  bool quit;         // the exit confirmed at this frame
};

// Parses "FRAME KEY..." lines; '#' starts a comment. Frames must rise.
// Returns 1, or 0 with a one-line message in `error`.
int ParseKeyScript(const std::string& text, std::vector<KeyChange>& script, std::string& error);
