#pragma once
#include <cstdint>

// What the main window does with keys, joystick and command line, kept apart
// from the window procedure so it can be checked without Windows.

// Virtual keys as Windows numbers them.
enum VirtualKey : int32_t {
  VkReturn = 0x0D, VkShift = 0x10, VkControl = 0x11, VkPause = 0x13, VkEscape = 0x1B,
  VkSpace = 0x20, VkLeft = 0x25, VkUp = 0x26, VkRight = 0x27, VkDown = 0x28,
  VkNumpad2 = 0x62, VkNumpad4 = 0x64, VkNumpad6 = 0x66, VkNumpad8 = 0x68,
  VkF1 = 0x70, VkF12 = 0x7B,
};

enum KeyAction : int32_t {
  KeyStoreOnly = 0,   // only the (unchanged) bits are stored
  KeySetBits = 1,
  KeyCycleWeapon = 2,
  KeyTogglePause = 3,
  KeyClose = 4,       // post WM_CLOSE
  KeyShowScores = 5,  // the score list
};

// The keyboard bit of a key (0 for a key without one).
int32_t KeyBit(int32_t virtualKey);
KeyAction KeyDownAction(int32_t virtualKey);
// InputState after a key-down / key-up of the key.
int32_t KeyDownInput(int32_t input, int32_t virtualKey);
int32_t KeyUpInput(int32_t input, int32_t virtualKey);

// A key-down as the main window takes it: the action's flags (weapon,
// pause), then the key's held bit. The window's own part of the action
// (close, the score list) is left to the caller.
KeyAction TakeKeyDown(int32_t virtualKey);
void TakeKeyUp(int32_t virtualKey);

// One frame of a key script through the same rules: the keyboard bits of
// `held` that were not held go down (arrows, Z, C), those no longer held
// come up, then Change arms (X) and Pause (P) are pressed once when asked.
// The simulator calls it at a frame wait; a front end replaying the same
// script at the same waits plays the same game.
void ApplyKeyFrame(int32_t held, bool weaponPress, bool pausePress);

// SelectedWeapon 0 1 2 3 4 0 ...
void CycleWeapon();
// Paused flips; the music request follows it.
void TogglePause();
// WM_ACTIVATEAPP's flags: AppActive, no held keys, the music request.
void ActivateApp(int32_t active);

// Joystick: the movement threshold and the centre from the stick's ranges.
uint32_t JoystickThreshold(uint32_t xMin, uint32_t xMax, uint32_t yMin, uint32_t yMax);
int32_t JoystickCentre(uint32_t minimum, uint32_t maximum);
constexpr int32_t JoystickDeadZone = 14336;
constexpr uint32_t JoyButton1 = 0x1, JoyButton3 = 0x4, JoyButton2Changed = 0x200;
// InputState after a joystick message: the six joystick bits from the
// position (lParam) and the buttons (wParam); the keyboard half is kept.
int32_t JoystickInput(int32_t input, uint32_t position, uint32_t buttons, int32_t centreX,
                      int32_t centreY);

// The start stage chosen by the command line's second character (a, b, c);
// anything else keeps `current`.
int32_t StageFromCommandLine(const char* commandLine, int32_t current);

// The global generator's seed from the local time.
uint32_t SeedFromLocalTime(uint32_t year, uint32_t month, uint32_t dayOfWeek, uint32_t day,
                           uint32_t minute, uint32_t second, uint32_t milliseconds);
