#pragma once
#include <cstdint>

// Keys and gamepads into the game's shared state, by the Windows program's
// rules (input_rules.h). Called from the window's thread, and from the game
// thread in a scripted run.

// What the window has to do after an input.
enum NativeRequest : int32_t {
  RequestNone = 0,
  RequestClose = 1,   // the exit question (Esc, F12)
  RequestScores = 2,  // the score list (F1)
};

// A key-down (auto-repeat included, as WM_KEYDOWN) and a key-up: its
// position (SDL_Scancode) and the layout's key code (SDL_Keycode).
NativeRequest NativeKeyDown(int32_t scancode, int32_t keycode, bool altHeld);
void NativeKeyUp(int32_t scancode, int32_t keycode);
// GetAsyncKeyState's view: the virtual key is held now.
bool NativeKeyHeld(int32_t virtualKey);
// Every key let go (focus lost: the window sees no key-ups meanwhile).
void ReleaseAllKeys();

// Gamepads: a button, a stick axis (SDL_CONTROLLER_AXIS_LEFTX/Y), a
// controller unplugged. Fire and bomb and the stick become the joystick
// half of InputState; the west button changes arms as joystick button 2;
// Start pauses, Back asks to quit.
NativeRequest NativeGamepadButton(int32_t sdlButton, bool down);
void NativeGamepadAxis(int32_t sdlAxis, int32_t value);
void NativeGamepadGone();
