// The exit question in the window: opened by the close button, answered by
// the key or button pressed for it, never by what the event queue still
// held when it opened (the quit SDL sends after a close, a pad's fire).
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <atomic>
#include <vector>

#include "game/shell/sdl2/native_window.h"
#include "game/shell/sdl2/program/native_program.h"
#include "game/shell/shared_state.h"

extern std::atomic<int32_t> GameThreadEnded;

namespace {
SDL_Event WindowClose() {
  SDL_Event e{};
  e.type = SDL_WINDOWEVENT;
  e.window.event = SDL_WINDOWEVENT_CLOSE;
  e.window.windowID = GameWindowId();
  return e;
}

SDL_Event Key(SDL_Scancode scancode, SDL_Keycode keycode) {
  SDL_Event e{};
  e.type = SDL_KEYDOWN;
  e.key.state = SDL_PRESSED;
  e.key.keysym.scancode = scancode;
  e.key.keysym.sym = keycode;
  return e;
}

SDL_Event Quit() {
  SDL_Event e{};
  e.type = SDL_QUIT;
  return e;
}

struct Window {
  Window() {
    EXPECT_EQ(0, SDL_Init(SDL_INIT_VIDEO | SDL_INIT_GAMECONTROLLER | SDL_INIT_EVENTS)) << SDL_GetError();
    EXPECT_EQ(1, OpenGameWindow(1, false)) << SDL_GetError();
    std::vector<uint32_t> black(640 * 480, 0xFF000000u);
    PresentPixels(black.data());
    GameThreadEnded.store(0);
    SDL_Event e;
    while (SDL_PollEvent(&e)) DispatchNativeEvent(e);  // the window's own arrival
  }
  ~Window() {
    CloseGameWindow();
    SDL_Quit();
  }
};

// The events queued go to the window as its loop would give them, up to the
// close button's; the box that one opens reads the rest. An Escape queued last keeps a box that took
// nothing from waiting for ever (it answers Cancel); it should be left
// unread. The events left unread are counted.
int32_t DispatchFirst() {
  SDL_Event e = Key(SDL_SCANCODE_ESCAPE, SDLK_ESCAPE);
  SDL_PushEvent(&e);
  while (SDL_PollEvent(&e)) {
    DispatchNativeEvent(e);
    if (e.type == SDL_WINDOWEVENT && e.window.event == SDL_WINDOWEVENT_CLOSE) break;
  }
  int32_t left = 0;
  while (SDL_PollEvent(&e)) left += e.type == SDL_KEYDOWN;
  return left;
}

struct CloseCase {
  const char* what;
  std::vector<SDL_Event> after;  // queued behind the close button's event
  int32_t quits;                 // QuitConfirmed afterwards
};

TEST(NativeBoxes, TheCloseButtonAsksAndOnlyTheKeyPressedAnswers) {
  Window window;
  const CloseCase cases[] = {
      // Before, the quit read as the box's own close button: Cancel, and the
      // window minimised (or a frozen picture without a window manager).
      {"close, quit, Y", {Quit(), Key(SDL_SCANCODE_Y, SDLK_y)}, 1},
      {"close, quit, N", {Quit(), Key(SDL_SCANCODE_N, SDLK_n)}, 0},
      {"close, Y on a German keyboard", {Key(SDL_SCANCODE_Z, SDLK_y)}, 1},
      {"close, QWERTY's Y place on a German keyboard, then N",
       {Key(SDL_SCANCODE_Y, SDLK_z), Key(SDL_SCANCODE_N, SDLK_n)}, 0},
  };
  for (const CloseCase& c : cases) {
    QuitConfirmed.store(0);
    int64_t presents = PresentCosts().count;
    SDL_Event close = WindowClose();
    SDL_PushEvent(&close);
    for (SDL_Event e : c.after) SDL_PushEvent(&e);
    EXPECT_EQ(1, DispatchFirst()) << c.what << ": the box did not answer with the key meant for it";
    EXPECT_EQ(c.quits, QuitConfirmed.load()) << c.what;
    EXPECT_GE(PresentCosts().count - presents, 2) << c.what << ": the question was not shown";
  }
}

// A pad's fire still held as the box opens (its press still queued) does
// not press the box's focused button, Yes; a new press does.
TEST(NativeBoxes, APadButtonHeldAsTheBoxOpensPressesNothing) {
  // The window of these tests never has the focus; SDL would drop the pad's
  // presses.
  SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
  Window window;
  SDL_VirtualJoystickDesc desc{};
  desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
  desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
  desc.naxes = SDL_CONTROLLER_AXIS_MAX;
  desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
  int index = SDL_JoystickAttachVirtualEx(&desc);
  ASSERT_GE(index, 0) << SDL_GetError();
  SDL_Event e;
  while (SDL_PollEvent(&e)) DispatchNativeEvent(e);  // the pad arrives and is opened
  SDL_Joystick* stick = SDL_JoystickFromInstanceID(SDL_JoystickGetDeviceInstanceID(index));
  ASSERT_NE(nullptr, stick);
  auto press = [&](int down) {
    SDL_JoystickSetVirtualButton(stick, SDL_CONTROLLER_BUTTON_A, Uint8(down));
    SDL_JoystickUpdate();
  };

  QuitConfirmed.store(0);
  SDL_Event close = WindowClose();
  SDL_PushEvent(&close);
  press(1);  // fire, pressed as the question comes up
  ASSERT_EQ(1, SDL_JoystickGetButton(stick, SDL_CONTROLLER_BUTTON_A));
  SDL_Event no = Key(SDL_SCANCODE_N, SDLK_n);
  SDL_PushEvent(&no);
  EXPECT_EQ(1, DispatchFirst());
  EXPECT_EQ(0, QuitConfirmed.load()) << "the held fire answered Yes";

  SDL_PushEvent(&close);
  press(0), press(1);  // let go and pressed again: Yes, the focused button
  EXPECT_EQ(1, DispatchFirst());
  EXPECT_EQ(1, QuitConfirmed.load()) << "a new press of the south button did not answer";
  QuitConfirmed.store(0);
  SDL_JoystickDetachVirtual(index);
}
}  // namespace
