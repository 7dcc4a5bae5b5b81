// A gamepad plugged in while the game runs plays at once, and pulling it
// out lets go of what it held (SDL's virtual game controller stands in).
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include "game/shell/sdl2/program/native_program.h"
#include "game/shell/shared_state.h"

namespace {
void DispatchPending() {
  SDL_Event e;
  while (SDL_PollEvent(&e)) DispatchNativeEvent(e);
}

TEST(NativeGamepad, APadPluggedInPlaysAndUnpluggedLetsGo) {
  ASSERT_EQ(0, SDL_Init(SDL_INIT_GAMECONTROLLER | SDL_INIT_EVENTS)) << SDL_GetError();
  InputState.store(InputFire & 0xFFFF);  // the keyboard holds fire
  SDL_VirtualJoystickDesc desc{};
  desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
  desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
  desc.naxes = SDL_CONTROLLER_AXIS_MAX;
  desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
  int index = SDL_JoystickAttachVirtualEx(&desc);
  ASSERT_GE(index, 0) << SDL_GetError();
  DispatchPending();  // the device arrives and is opened
  SDL_Joystick* stick = SDL_JoystickFromInstanceID(SDL_JoystickGetDeviceInstanceID(index));
  ASSERT_NE(nullptr, stick) << "the plugged-in pad was not opened";
  SDL_JoystickSetVirtualButton(stick, SDL_CONTROLLER_BUTTON_B, 1);
  SDL_JoystickSetVirtualAxis(stick, SDL_CONTROLLER_AXIS_LEFTY, -32768);
  SDL_JoystickUpdate();
  DispatchPending();
  EXPECT_EQ((InputFire & 0xFFFF) | ((InputBomb | InputUp) & ~0xFFFF), InputState.load());
  SDL_JoystickDetachVirtual(index);
  DispatchPending();
  EXPECT_EQ(InputFire & 0xFFFF, InputState.load());  // the keyboard's half stays
  SDL_Quit();
}
}  // namespace
