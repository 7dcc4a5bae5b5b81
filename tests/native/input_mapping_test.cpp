// The native keyboard and gamepad read as the Windows program's keys and
// joystick.
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include "game/shell/input_rules.h"
#include "game/shell/sdl2/key_map.h"
#include "game/shell/sdl2/native_input.h"
#include "game/shell/shared_state.h"

namespace {
struct KeyCase {
  SDL_Scancode scancode;
  int32_t virtualKey;
};

TEST(NativeKeys, EachKeyTheGameReadsIsItsWindowsVirtualKey) {
  const KeyCase cases[] = {
      {SDL_SCANCODE_UP, VkUp},         {SDL_SCANCODE_KP_8, VkNumpad8},  {SDL_SCANCODE_DOWN, VkDown},
      {SDL_SCANCODE_KP_2, VkNumpad2},  {SDL_SCANCODE_LEFT, VkLeft},     {SDL_SCANCODE_KP_4, VkNumpad4},
      {SDL_SCANCODE_RIGHT, VkRight},   {SDL_SCANCODE_KP_6, VkNumpad6},  {SDL_SCANCODE_Z, 'Z'},
      {SDL_SCANCODE_SPACE, VkSpace},   {SDL_SCANCODE_LCTRL, VkControl}, {SDL_SCANCODE_RCTRL, VkControl},
      {SDL_SCANCODE_C, 'C'},           {SDL_SCANCODE_F, 'F'},           {SDL_SCANCODE_0, '0'},
      {SDL_SCANCODE_LSHIFT, VkShift},  {SDL_SCANCODE_RSHIFT, VkShift},  {SDL_SCANCODE_X, 'X'},
      {SDL_SCANCODE_P, 'P'},           {SDL_SCANCODE_PAUSE, VkPause},   {SDL_SCANCODE_RETURN, VkReturn},
      {SDL_SCANCODE_KP_ENTER, VkReturn}, {SDL_SCANCODE_ESCAPE, VkEscape}, {SDL_SCANCODE_F12, VkF12},
      {SDL_SCANCODE_F1, VkF1},         {SDL_SCANCODE_M, 'M'},           {SDL_SCANCODE_T, 'T'},
      {SDL_SCANCODE_9, '9'},           {SDL_SCANCODE_KP_0, 0x60},       {SDL_SCANCODE_F5, 0},
  };
  for (const KeyCase& c : cases)
    EXPECT_EQ(c.virtualKey, VirtualKeyOfScancode(c.scancode)) << SDL_GetScancodeName(c.scancode);
}

struct PressCase {
  SDL_Scancode scancode;
  bool alt;
  int32_t inputAfter;  // InputState after the key-down, from 0
  int32_t weaponAfter; // from weapon 0
  int32_t pausedAfter;
  NativeRequest request;
};

TEST(NativeKeys, KeyDownsFollowTheWindowsRules) {
  const PressCase cases[] = {
      {SDL_SCANCODE_Z, false, InputFire & 0xFFFF, 0, 0, RequestNone},
      {SDL_SCANCODE_KP_8, false, InputUp & 0xFFFF, 0, 0, RequestNone},
      {SDL_SCANCODE_0, false, InputBomb & 0xFFFF, 0, 0, RequestNone},
      {SDL_SCANCODE_X, false, 0, 1, 0, RequestNone},
      {SDL_SCANCODE_RSHIFT, false, 0, 1, 0, RequestNone},
      {SDL_SCANCODE_P, false, 0, 0, 1, RequestNone},
      {SDL_SCANCODE_RETURN, false, 0, 0, 1, RequestNone},
      {SDL_SCANCODE_ESCAPE, false, 0, 0, 0, RequestClose},
      {SDL_SCANCODE_F12, false, 0, 0, 0, RequestClose},
      {SDL_SCANCODE_F1, false, 0, 0, 0, RequestScores},
      // With Alt held Windows sends a system key: nothing moves.
      {SDL_SCANCODE_X, true, 0, 0, 0, RequestNone},
      {SDL_SCANCODE_Z, true, 0, 0, 0, RequestNone},
      {SDL_SCANCODE_F10, false, 0, 0, 0, RequestNone},
  };
  for (const PressCase& c : cases) {
    InputState.store(0), SelectedWeapon.store(0), Paused.store(0);
    EXPECT_EQ(c.request, NativeKeyDown(c.scancode, c.alt)) << SDL_GetScancodeName(c.scancode);
    EXPECT_EQ(c.inputAfter, InputState.load()) << SDL_GetScancodeName(c.scancode);
    EXPECT_EQ(c.weaponAfter, SelectedWeapon.load()) << SDL_GetScancodeName(c.scancode);
    EXPECT_EQ(c.pausedAfter, Paused.load()) << SDL_GetScancodeName(c.scancode);
    EXPECT_TRUE(NativeKeyHeld(VirtualKeyOfScancode(c.scancode)));
    NativeKeyUp(c.scancode);
    EXPECT_FALSE(NativeKeyHeld(VirtualKeyOfScancode(c.scancode)));
    EXPECT_EQ(0, InputState.load() & 0xFFFF);
  }
}

struct PadCase {
  const char* name;
  GamepadState pad;
  int32_t input;  // InputState from a keyboard that holds fire
};

TEST(NativeGamepad, StickDpadAndButtonsBecomeTheJoystickHalf) {
  constexpr int32_t Key = InputFire & 0xFFFF;
  const int32_t J = ~0xFFFF;
  const PadCase cases[] = {
      {"at rest", {0, 0, 0, 0}, Key},
      {"inside the dead zone", {14000, -14000, 0, 0}, Key},
      {"stick right", {20000, 0, 0, 0}, Key | (InputRight & J)},
      {"stick left", {-20000, 0, 0, 0}, Key | (InputLeft & J)},
      {"stick up", {0, -32768, 0, 0}, Key | (InputUp & J)},
      {"stick down", {0, 32767, 0, 0}, Key | (InputDown & J)},
      {"d-pad beats the stick", {20000, 0, GamepadLeft | GamepadDown, 0}, Key | ((InputLeft | InputDown) & J)},
      {"south fires", {0, 0, 0, GamepadSouth}, Key | (InputFire & J)},
      {"east bombs", {0, 0, 0, GamepadEast}, Key | (InputBomb & J)},
      {"west is no joystick bit", {0, 0, 0, GamepadWest}, Key},
  };
  for (const PadCase& c : cases) {
    int32_t got = JoystickInput(Key, GamepadPosition(c.pad), GamepadButtons(c.pad), GamepadCentre, GamepadCentre);
    EXPECT_EQ(c.input, got) << c.name;
  }
}

TEST(NativeGamepad, ButtonsChangeArmsPauseAndAskToQuitAndAnUnplugLetsGo) {
  InputState.store(0), SelectedWeapon.store(4), Paused.store(0);
  EXPECT_EQ(RequestNone, NativeGamepadButton(SDL_CONTROLLER_BUTTON_X, true));
  EXPECT_EQ(0, SelectedWeapon.load());
  EXPECT_EQ(RequestNone, NativeGamepadButton(SDL_CONTROLLER_BUTTON_START, true));
  EXPECT_EQ(1, Paused.load());
  EXPECT_EQ(RequestClose, NativeGamepadButton(SDL_CONTROLLER_BUTTON_BACK, true));
  NativeGamepadButton(SDL_CONTROLLER_BUTTON_A, true);
  NativeGamepadAxis(SDL_CONTROLLER_AXIS_LEFTX, 30000);
  EXPECT_EQ(int32_t((InputFire | InputRight) & ~0xFFFF), InputState.load());
  NativeGamepadGone();
  EXPECT_EQ(0, InputState.load());
}
}  // namespace
