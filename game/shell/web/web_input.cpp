#include "game/shell/web/web_input.h"

#include <cstring>

#include "game/shell/input_rules.h"
#include "game/shell/shared_state.h"

namespace {
struct KeyPair {
  const char* code;
  int32_t virtualKey;
};
constexpr KeyPair NamedKeys[] = {
    {"Enter", VkReturn},        {"NumpadEnter", VkReturn},  {"ShiftLeft", VkShift},
    {"ShiftRight", VkShift},    {"ControlLeft", VkControl}, {"ControlRight", VkControl},
    {"Pause", VkPause},         {"Escape", VkEscape},       {"Space", VkSpace},
    {"ArrowLeft", VkLeft},      {"ArrowUp", VkUp},          {"ArrowRight", VkRight},
    {"ArrowDown", VkDown},      {"Numpad2", VkNumpad2},     {"Numpad4", VkNumpad4},
    {"Numpad6", VkNumpad6},     {"Numpad8", VkNumpad8},     {"F1", VkF1},
    {"F12", VkF12},             {"Backspace", 0x08},        {"Numpad0", 0x60},
    {"F10", 0x79},
};
constexpr int32_t VkF10 = 0x79;

uint8_t Held[256];
struct Pad {
  int32_t x, y;
  uint32_t held;  // 1 << button
};
Pad Gamepad{};

void SetHeld(int32_t vk, bool held) {
  if (vk > 0 && vk < 256) Held[vk] = held ? 1 : 0;
}

uint32_t Bit(int32_t button) { return 1u << button; }

uint32_t Axis(int32_t value, bool low, bool high) {
  if (low != high) return low ? 0 : 65535;
  int32_t p = value + 32768;
  return uint32_t(p < 0 ? 0 : p > 65535 ? 65535 : p);
}

void ApplyPad() {
  uint32_t buttons = 0;
  if (Gamepad.held & Bit(PadSouth)) buttons |= JoyButton1;
  if (Gamepad.held & Bit(PadEast)) buttons |= JoyButton3;
  InputState.exchange(JoystickInput(InputState.load(), PadPosition(Gamepad.x, Gamepad.y, Gamepad.held),
                                    buttons, 32767, 32767));
}
}  // namespace

int32_t VirtualKeyOfCode(const char* code) {
  size_t n = std::strlen(code);
  // Letters and the digits of the main block are their own characters.
  if (n == 4 && std::strncmp(code, "Key", 3) == 0 && code[3] >= 'A' && code[3] <= 'Z') return code[3];
  if (n == 6 && std::strncmp(code, "Digit", 5) == 0 && code[5] >= '0' && code[5] <= '9') return code[5];
  for (const KeyPair& k : NamedKeys)
    if (std::strcmp(k.code, code) == 0) return k.virtualKey;
  return 0;
}

WebRequest WebKeyDown(int32_t vk, bool altHeld) {
  SetHeld(vk, true);
  if (vk == 0 || altHeld || vk == VkF10) return WebRequestNone;
  switch (TakeKeyDown(vk)) {  // the main window's own rules
    case KeyClose: return WebRequestClose;
    case KeyShowScores: return WebRequestScores;
    default: return WebRequestNone;
  }
}

void WebKeyUp(int32_t vk) {
  SetHeld(vk, false);
  if (vk) TakeKeyUp(vk);
}

bool WebKeyHeld(int32_t vk) { return vk > 0 && vk < 256 && Held[vk] != 0; }
void WebSetKeyHeld(int32_t vk, bool held) { SetHeld(vk, held); }
void WebReleaseAllKeys() { std::memset(Held, 0, sizeof Held); }

uint32_t PadPosition(int32_t x, int32_t y, uint32_t held) {
  return Axis(x, held & Bit(PadLeft), held & Bit(PadRight)) |
         Axis(y, held & Bit(PadUp), held & Bit(PadDown)) << 16;
}

WebRequest WebPadButton(int32_t button, bool down) {
  if (button < 0 || button > 15) return WebRequestNone;
  bool was = Gamepad.held & Bit(button);
  Gamepad.held = down ? Gamepad.held | Bit(button) : Gamepad.held & ~Bit(button);
  WebRequest request = WebRequestNone;
  if (down && !was) {
    if (button == PadWest) CycleWeapon();
    if (button == PadStart) TogglePause();
    if (button == PadBack) request = WebRequestClose;
  }
  ApplyPad();
  return request;
}

void WebPadStick(int32_t x, int32_t y) {
  Gamepad.x = x;
  Gamepad.y = y;
  ApplyPad();
}

void WebPadGone() {
  Gamepad = Pad{};
  ApplyPad();
}
