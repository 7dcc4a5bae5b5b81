#include "game/shell/sdl2/native_input.h"

#include <SDL2/SDL.h>

#include <atomic>

#include "game/shell/input_rules.h"
#include "game/shell/sdl2/key_map.h"
#include "game/shell/shared_state.h"

namespace {
std::atomic<uint8_t> Held[256];
GamepadState Pad{};

void SetHeld(int32_t vk, bool held) {
  if (vk > 0 && vk < 256) Held[vk].store(held ? 1 : 0);
}

void ApplyPad() {
  InputState.exchange(JoystickInput(InputState.load(), GamepadPosition(Pad), GamepadButtons(Pad),
                                    GamepadCentre, GamepadCentre));
}
}  // namespace

NativeRequest NativeKeyDown(int32_t scancode, int32_t keycode, bool altHeld) {
  int32_t vk = VirtualKeyOfKey(scancode, keycode);
  SetHeld(vk, true);
  if (vk == 0 || IsSystemKey(scancode, altHeld)) return RequestNone;
  switch (TakeKeyDown(vk)) {  // the main window's own rules
    case KeyClose: return RequestClose;
    case KeyShowScores: return RequestScores;
    default: return RequestNone;
  }
}

void NativeKeyUp(int32_t scancode, int32_t keycode) {
  int32_t vk = VirtualKeyOfKey(scancode, keycode);
  SetHeld(vk, false);
  if (vk) TakeKeyUp(vk);
}

bool NativeKeyHeld(int32_t vk) { return vk > 0 && vk < 256 && Held[vk].load() != 0; }

void ReleaseAllKeys() {
  for (std::atomic<uint8_t>& h : Held) h.store(0);
}

NativeRequest NativeGamepadButton(int32_t sdlButton, bool down) {
  uint32_t bit = GamepadButtonBit(sdlButton), dpad = GamepadDpadBit(sdlButton);
  uint32_t& field = dpad ? Pad.dpad : Pad.buttons;
  uint32_t which = dpad ? dpad : bit;
  if (!which) return RequestNone;
  field = down ? field | which : field & ~which;
  NativeRequest request = RequestNone;
  if (down && which == GamepadWest && !dpad) CycleWeapon();
  if (down && which == GamepadStart && !dpad) TogglePause();
  if (down && which == GamepadBack && !dpad) request = RequestClose;
  ApplyPad();
  return request;
}

void NativeGamepadAxis(int32_t sdlAxis, int32_t value) {
  if (sdlAxis == SDL_CONTROLLER_AXIS_LEFTX) Pad.axisX = value;
  else if (sdlAxis == SDL_CONTROLLER_AXIS_LEFTY) Pad.axisY = value;
  else return;
  ApplyPad();
}

void NativeGamepadGone() {
  Pad = GamepadState{};
  ApplyPad();
}
