#include "game/shell/sdl2/key_map.h"

#include <SDL2/SDL.h>

#include "game/shell/input_rules.h"

namespace {
struct KeyPair {
  SDL_Scancode scancode;
  int32_t virtualKey;
};
constexpr KeyPair NamedKeys[] = {
    {SDL_SCANCODE_RETURN, VkReturn},    {SDL_SCANCODE_KP_ENTER, VkReturn},
    {SDL_SCANCODE_LSHIFT, VkShift},     {SDL_SCANCODE_RSHIFT, VkShift},
    {SDL_SCANCODE_LCTRL, VkControl},    {SDL_SCANCODE_RCTRL, VkControl},
    {SDL_SCANCODE_PAUSE, VkPause},      {SDL_SCANCODE_ESCAPE, VkEscape},
    {SDL_SCANCODE_SPACE, VkSpace},      {SDL_SCANCODE_LEFT, VkLeft},
    {SDL_SCANCODE_UP, VkUp},            {SDL_SCANCODE_RIGHT, VkRight},
    {SDL_SCANCODE_DOWN, VkDown},        {SDL_SCANCODE_KP_2, VkNumpad2},
    {SDL_SCANCODE_KP_4, VkNumpad4},     {SDL_SCANCODE_KP_6, VkNumpad6},
    {SDL_SCANCODE_KP_8, VkNumpad8},     {SDL_SCANCODE_F1, VkF1},
    {SDL_SCANCODE_F12, VkF12},          {SDL_SCANCODE_BACKSPACE, 0x08},
    {SDL_SCANCODE_KP_0, 0x60},          {SDL_SCANCODE_F10, 0x79},
};
}  // namespace

int32_t VirtualKeyOfScancode(int32_t scancode) {
  // Letters and the digits of the main block are their own characters.
  if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z) return 'A' + scancode - SDL_SCANCODE_A;
  if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9) return '1' + scancode - SDL_SCANCODE_1;
  if (scancode == SDL_SCANCODE_0) return '0';
  for (const KeyPair& k : NamedKeys)
    if (k.scancode == scancode) return k.virtualKey;
  return 0;
}

int32_t VirtualKeyOfKey(int32_t scancode, int32_t keycode) {
  if (keycode >= 'a' && keycode <= 'z') return 'A' + keycode - 'a';
  bool letterPlace = scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z;
  // A letter's place that carries punctuation here (AZERTY's comma where
  // QWERTY has M) is no letter; a layout of other letters (Cyrillic, Greek)
  // keeps the places, as Windows gives them Latin virtual keys.
  if (letterPlace && keycode >= 0x20 && keycode < 0x7F) return 0;
  return VirtualKeyOfScancode(scancode);
}

bool IsSystemKey(int32_t scancode, bool altHeld) { return altHeld || scancode == SDL_SCANCODE_F10; }

uint32_t GamepadButtonBit(int32_t b) {
  switch (b) {
    case SDL_CONTROLLER_BUTTON_A: return GamepadSouth;
    case SDL_CONTROLLER_BUTTON_B: return GamepadEast;
    case SDL_CONTROLLER_BUTTON_X: return GamepadWest;
    case SDL_CONTROLLER_BUTTON_START: return GamepadStart;
    case SDL_CONTROLLER_BUTTON_BACK: return GamepadBack;
    default: return 0;
  }
}

uint32_t GamepadDpadBit(int32_t b) {
  switch (b) {
    case SDL_CONTROLLER_BUTTON_DPAD_UP: return GamepadUp;
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN: return GamepadDown;
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT: return GamepadLeft;
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT: return GamepadRight;
    default: return 0;
  }
}

static uint32_t AxisPosition(int32_t axis, bool low, bool high) {
  if (low != high) return low ? 0 : 65535;
  int32_t p = axis + 32768;
  return uint32_t(p < 0 ? 0 : p > 65535 ? 65535 : p);
}

uint32_t GamepadPosition(const GamepadState& pad) {
  uint32_t x = AxisPosition(pad.axisX, pad.dpad & GamepadLeft, pad.dpad & GamepadRight);
  uint32_t y = AxisPosition(pad.axisY, pad.dpad & GamepadUp, pad.dpad & GamepadDown);
  return x | y << 16;
}

uint32_t GamepadButtons(const GamepadState& pad) {
  uint32_t buttons = 0;
  if (pad.buttons & GamepadSouth) buttons |= JoyButton1;
  if (pad.buttons & GamepadEast) buttons |= JoyButton3;
  return buttons;
}
