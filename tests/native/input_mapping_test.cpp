// The native keyboard and gamepad read as the Windows program's keys and
// joystick.
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include "game/shell/input_rules.h"
#include "game/shell/sdl2/key_map.h"
#include "game/shell/sdl2/native_input.h"
#include "game/shell/sdl2/program/native_program.h"
#include "game/shell/shared_state.h"

namespace {
// The key code a US layout gives the key at this place.
int32_t UsKey(SDL_Scancode scancode) {
  if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z) return 'a' + (scancode - SDL_SCANCODE_A);
  return SDL_SCANCODE_TO_KEYCODE(scancode);
}

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
    EXPECT_EQ(c.request, NativeKeyDown(c.scancode, UsKey(c.scancode), c.alt)) << SDL_GetScancodeName(c.scancode);
    EXPECT_EQ(c.inputAfter, InputState.load()) << SDL_GetScancodeName(c.scancode);
    EXPECT_EQ(c.weaponAfter, SelectedWeapon.load()) << SDL_GetScancodeName(c.scancode);
    EXPECT_EQ(c.pausedAfter, Paused.load()) << SDL_GetScancodeName(c.scancode);
    EXPECT_TRUE(NativeKeyHeld(VirtualKeyOfScancode(c.scancode)));
    NativeKeyUp(c.scancode, UsKey(c.scancode));
    EXPECT_FALSE(NativeKeyHeld(VirtualKeyOfScancode(c.scancode)));
    EXPECT_EQ(0, InputState.load() & 0xFFFF);
  }
}

struct LayoutCase {
  const char* what;
  SDL_Scancode scancode;  // the key's place
  int32_t keycode;        // what the layout prints on it
  int32_t inputAfter;     // InputState after the key-down, from 0
  int32_t weaponAfter;
  int32_t heldKey;        // a virtual key held now, or 0
};

// Windows' virtual keys follow the layout for letters, the places for the
// rest; the window's events carry both.
TEST(NativeKeys, LettersFollowTheLayoutAndTheRestTheirPlace) {
  const int32_t Fire = InputFire & 0xFFFF, Bomb = InputBomb & 0xFFFF;
  const LayoutCase cases[] = {
      {"German Z (QWERTY's Y place) fires", SDL_SCANCODE_Y, 'z', Fire, 0, 'Z'},
      {"German Y (QWERTY's Z place) does not", SDL_SCANCODE_Z, 'y', 0, 0, 'Y'},
      {"AZERTY Z (QWERTY's W place) fires", SDL_SCANCODE_W, 'z', Fire, 0, 'Z'},
      {"AZERTY M (QWERTY's ; place) is M", SDL_SCANCODE_SEMICOLON, 'm', 0, 0, 'M'},
      {"AZERTY comma (QWERTY's M place) is no M", SDL_SCANCODE_M, ',', 0, 0, 0},
      {"AZERTY digit row (a) is still 0: bomb", SDL_SCANCODE_0, 0xE0, Bomb, 0, '0'},
      {"Russian (ya) on the Z place fires", SDL_SCANCODE_Z, 0x44F, Fire, 0, 'Z'},
      {"Russian (che) on the X place changes arms", SDL_SCANCODE_X, 0x447, 0, 1, 'X'},
      {"Dvorak C (QWERTY's I place) bombs", SDL_SCANCODE_I, 'c', Bomb, 0, 'C'},
      {"the up arrow is the up arrow", SDL_SCANCODE_UP, SDLK_UP, InputUp & 0xFFFF, 0, VkUp},
  };
  for (const LayoutCase& c : cases) {
    InputState.store(0), SelectedWeapon.store(0), Paused.store(0);
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.keysym.scancode = c.scancode;
    e.key.keysym.sym = c.keycode;
    DispatchNativeEvent(e);
    EXPECT_EQ(c.inputAfter, InputState.load()) << c.what;
    EXPECT_EQ(c.weaponAfter, SelectedWeapon.load()) << c.what;
    EXPECT_TRUE(!c.heldKey || NativeKeyHeld(c.heldKey)) << c.what;
    e.type = SDL_KEYUP;
    DispatchNativeEvent(e);
    EXPECT_EQ(0, InputState.load()) << c.what;
    EXPECT_FALSE(c.heldKey && NativeKeyHeld(c.heldKey)) << c.what;
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
