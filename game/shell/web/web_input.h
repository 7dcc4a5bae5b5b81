#pragma once
#include <cstdint>

// The page's keys and gamepads into the game's shared state, by the Windows
// program's rules (input_rules.h): a key becomes the virtual key Windows
// would send, a gamepad the joystick the main window reads.

// What the page has to do after an input.
enum WebRequest : int32_t {
  WebRequestNone = 0,
  WebRequestClose = 1,   // the exit question (Esc, F12, a pad's Back)
  WebRequestScores = 2,  // the score list (F1)
};

// The virtual key of a KeyboardEvent.code ("KeyZ", "ArrowUp", ...), 0 for
// a key the game never reads.
int32_t VirtualKeyOfCode(const char* code);
// A key-down (auto-repeat included, as WM_KEYDOWN) and a key-up. A key
// pressed with Alt, and F10, is a system key: it moves no game input.
WebRequest WebKeyDown(int32_t virtualKey, bool altHeld);
void WebKeyUp(int32_t virtualKey);
// GetAsyncKeyState's view: the virtual key is held now.
bool WebKeyHeld(int32_t virtualKey);
void WebSetKeyHeld(int32_t virtualKey, bool held);
// Every key let go (the page lost the focus: it sees no key-ups meanwhile).
void WebReleaseAllKeys();

// A gamepad of the Gamepad API's standard layout: its buttons by index
// (0 south, 1 east, 2 west, 8 back, 9 start, 12 to 15 the d-pad) and its
// left stick (-32768..32767). The stick and the d-pad fly, south fires,
// east bombs, west changes arms, Start pauses, Back asks to quit.
enum PadButton : int32_t {
  PadSouth = 0, PadEast = 1, PadWest = 2, PadBack = 8, PadStart = 9,
  PadUp = 12, PadDown = 13, PadLeft = 14, PadRight = 15,
};
WebRequest WebPadButton(int32_t button, bool down);
void WebPadStick(int32_t x, int32_t y);
void WebPadGone();
// The joystick message's position (x low, y high; 0..65535, centre 32767)
// for the stick and the d-pad's buttons held (bits 1 << PadUp ...); the
// d-pad wins over the stick.
uint32_t PadPosition(int32_t x, int32_t y, uint32_t held);
