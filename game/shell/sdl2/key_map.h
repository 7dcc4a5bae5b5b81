#pragma once
#include <cstdint>

// SDL's keys and game controllers onto the Windows program's inputs: a key
// becomes the virtual key Windows would send, a gamepad becomes the joystick
// the main window reads (position and buttons as joyGetPos gives them).

// The virtual key of a key: letters by the layout's key code (SDL_Keycode),
// as Windows' virtual keys follow the layout (Z fires where it is printed
// on a German keyboard); the rest (arrows, digits, Enter, ...) by position.
// 0 for a key the game never reads.
int32_t VirtualKeyOfKey(int32_t scancode, int32_t keycode);
// The virtual key of a key's position (an SDL scancode) on a US keyboard.
int32_t VirtualKeyOfScancode(int32_t scancode);
// Windows sends a key pressed with Alt, and F10, as a system key: it moves
// no game input (Alt+Enter is the full-screen switch here).
bool IsSystemKey(int32_t scancode, bool altHeld);

// A game controller as the events leave it.
struct GamepadState {
  int32_t axisX, axisY;  // left stick, -32768..32767
  uint32_t dpad;         // GamepadUp | ...
  uint32_t buttons;      // GamepadSouth | ...
};
constexpr uint32_t GamepadUp = 1, GamepadDown = 2, GamepadLeft = 4, GamepadRight = 8;
constexpr uint32_t GamepadSouth = 1, GamepadEast = 2, GamepadWest = 4, GamepadStart = 8,
                   GamepadBack = 16;
// SDL_CONTROLLER_BUTTON_* to the bits above (0 for none).
uint32_t GamepadButtonBit(int32_t sdlButton);
uint32_t GamepadDpadBit(int32_t sdlButton);

// The joystick message's position (x low, y high; 0..65535, centre 32767)
// and buttons (1: fire, 3: bomb) of a gamepad state; the d-pad wins over
// the stick.
uint32_t GamepadPosition(const GamepadState& pad);
uint32_t GamepadButtons(const GamepadState& pad);
constexpr int32_t GamepadCentre = 32767;
