// What the page hands the game: its key, gamepad, text, click and
// visibility events (zarvel_page.js calls these), to the open box or,
// without one, through the main window's rules into the game.
#include <emscripten.h>

#include "game/shell/web/program/web_program.h"
#include "game/shell/web/web_input.h"
#include "game/shell/web/web_system.h"

namespace {
uint32_t PadButtons = 0;
int32_t PadX = 0, PadY = 0;

void Serve(WebRequest request) {
  if (request == WebRequestClose) CloseSequence();
  if (request == WebRequestScores) ShowScoreList();
}
}  // namespace

extern "C" {
// A key (KeyboardEvent.code) went down or up; 1 when the game reads it.
// A replay plays its script alone.
EMSCRIPTEN_KEEPALIVE int32_t ZarvelKey(const char* code, int32_t down, int32_t alt, int32_t repeat) {
  if (PageScripted()) return 0;
  int32_t vk = VirtualKeyOfCode(code);
  if (!down) {
    WebKeyUp(vk);
    return vk != 0;
  }
  WebSetKeyHeld(vk, true);  // the boxes' Escape rule asks the keyboard too
  if (BoxOpen()) {
    BoxKey(code, repeat != 0);
    return 1;
  }
  Serve(WebKeyDown(vk, alt != 0));
  return vk != 0;
}

// The first gamepad's buttons (bit N: standard button N) and left stick,
// at every poll; the page sends connected 0 once it is gone.
EMSCRIPTEN_KEEPALIVE void ZarvelPad(int32_t connected, uint32_t buttons, int32_t x, int32_t y) {
  if (PageScripted()) return;
  if (!connected) buttons = 0, x = 0, y = 0;
  uint32_t changed = buttons ^ PadButtons;
  PadButtons = buttons;
  for (int32_t b = 0; b < 16; ++b) {
    if (!(changed & (1u << b))) continue;
    bool down = buttons & (1u << b);
    if (!BoxOpen()) Serve(WebPadButton(b, down));
    else if (down) BoxPadButton(b);
  }
  if (!connected) return WebPadGone();
  if ((x != PadX || y != PadY) && !BoxOpen()) WebPadStick(x, y);
  PadX = x, PadY = y;
}

// Text typed (or composed) into the name box, as Shift-JIS.
EMSCRIPTEN_KEEPALIVE void ZarvelText(const char* shiftJis) { BoxText(shiftJis); }
// A click on the open box's button.
EMSCRIPTEN_KEEPALIVE void ZarvelBoxButton(int32_t index) { BoxButton(index); }
// The page shown and focused, or hidden or left.
EMSCRIPTEN_KEEPALIVE void ZarvelPageShown(int32_t shown) { PageActivity(shown != 0); }
// The time the game has slept so far, handing the page's thread to the
// browser: what an inactive game does.
EMSCRIPTEN_KEEPALIVE double ZarvelSleptMilliseconds() { return double(WebGivenMicroseconds()) / 1000; }
}
