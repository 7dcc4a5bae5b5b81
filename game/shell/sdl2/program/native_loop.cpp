// The window's thread: SDL's events into the game's input, the picture onto
// the window, and the boxes the Windows program shows as dialogs.
#include <SDL2/SDL.h>

#include <atomic>
#include <string>
#include <vector>

#include "game/media/display.h"
#include "game/media/host/host_display.h"
#include "game/media/sdl2/native_fonts.h"
#include "game/scores/score_table.h"
#include "game/shell/box_texts.h"
#include "game/shell/input_rules.h"
#include "game/shell/sdl2/dialog_draw.h"
#include "game/shell/sdl2/key_map.h"
#include "game/shell/sdl2/native_input.h"
#include "game/shell/sdl2/native_messages.h"
#include "game/shell/sdl2/native_window.h"
#include "game/shell/sdl2/program/native_program.h"
#include "game/shell/sdl2/screen_share.h"
#include "game/shell/shared_state.h"

extern std::atomic<int32_t> GameThreadEnded;
extern std::atomic<int32_t> Terminated;

namespace {
uint32_t WakeEvent = 0;
std::atomic<int32_t> WakePending{0};
uint32_t ScreenSequence = 0;
std::vector<uint32_t> Picture;  // the last picture shown
bool Scripted = false;
bool Asking = false;

void Wake() {
  if (WakePending.exchange(1)) return;
  SDL_Event e{};
  e.type = WakeEvent;
  SDL_PushEvent(&e);
}

void ShowNewScreen() {
  if (TakeSharedScreen(ScreenSequence, Picture)) PresentPixels(Picture.data());
}

// WM_ACTIVATEAPP's part; the script keeps the game active throughout.
void Activate(bool active) {
  if (Scripted) return;
  if (!active) ReleaseAllKeys(), NativeGamepadGone();
  ActivateApp(active ? 1 : 0);
}

// After a box: the box took the keys, so the window has them again unless
// it was minimised meanwhile (a window manager may not say so again).
bool WindowShown() {
  SDL_Window* w = SDL_GetWindowFromID(GameWindowId());
  return w && !(SDL_GetWindowFlags(w) & SDL_WINDOW_MINIMIZED);
}

bool WindowActive() {
  SDL_Window* w = SDL_GetWindowFromID(GameWindowId());
  uint32_t flags = w ? SDL_GetWindowFlags(w) : 0;
  return (flags & SDL_WINDOW_INPUT_FOCUS) && !(flags & SDL_WINDOW_MINIMIZED);
}

void GamepadPlugged(const SDL_Event& e) {
  if (e.type == SDL_CONTROLLERDEVICEADDED) {
    SDL_GameControllerOpen(e.cdevice.which);
  } else if (SDL_GameController* pad = SDL_GameControllerFromInstanceID(e.cdevice.which)) {
    SDL_GameControllerClose(pad);
    NativeGamepadGone();
  }
}

// Y and N by their labels, as the layout prints them; the rest by place.
DialogInput KeyInput(const SDL_Keysym& key) {
  int32_t vk = VirtualKeyOfKey(key.scancode, key.sym);
  if (vk == 'Y') return PressKeyY;
  if (vk == 'N') return PressKeyN;
  switch (key.scancode) {
    case SDL_SCANCODE_ESCAPE: return PressEscape;
    case SDL_SCANCODE_RETURN: case SDL_SCANCODE_KP_ENTER: return PressEnter;
    case SDL_SCANCODE_SPACE: return PressSpace;
    case SDL_SCANCODE_LEFT: return PressLeft;
    case SDL_SCANCODE_RIGHT: return PressRight;
    case SDL_SCANCODE_TAB: return PressTab;
    case SDL_SCANCODE_BACKSPACE: return PressBackspace;
    default: return PressOther;
  }
}

DialogInput PadInput(int32_t button) {
  switch (button) {
    case SDL_CONTROLLER_BUTTON_A: return PressPadSouth;
    case SDL_CONTROLLER_BUTTON_B: return PressPadEast;
    case SDL_CONTROLLER_BUTTON_DPAD_UP: return PressPadUp;
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN: return PressPadDown;
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT: return PressPadLeft;
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT: return PressPadRight;
    default: return PressOther;
  }
}

DialogInput EventInput(const SDL_Event& e) {
  switch (e.type) {
    case SDL_KEYDOWN: return KeyInput(e.key.keysym);
    case SDL_CONTROLLERBUTTONDOWN: return PadInput(e.cbutton.button);
    // SDL_QUIT is no press: it follows the close button's own event, which
    // opened this very box.
    case SDL_WINDOWEVENT: return e.window.event == SDL_WINDOWEVENT_CLOSE ? PressWindowClose : PressOther;
    default: return PressOther;
  }
}

// Once per press: held, the key's auto-repeat would flip full screen on and
// off.
bool AltEnter(const SDL_Event& e) {
  return e.type == SDL_KEYDOWN && !e.key.repeat && (e.key.keysym.mod & KMOD_ALT) &&
         (e.key.keysym.scancode == SDL_SCANCODE_RETURN || e.key.keysym.scancode == SDL_SCANCODE_KP_ENTER);
}

// The gamepad buttons held now (bit n: SDL_CONTROLLER_BUTTON n), on any pad.
uint32_t HeldPadButtons() {
  uint32_t held = 0;
  for (int32_t i = 0; i < SDL_NumJoysticks(); ++i) {
    SDL_GameController* pad = SDL_GameControllerFromInstanceID(SDL_JoystickGetDeviceInstanceID(i));
    for (int32_t b = 0; pad && b < SDL_CONTROLLER_BUTTON_MAX && b < 32; ++b)
      if (SDL_GameControllerGetButton(pad, SDL_GameControllerButton(b))) held |= 1u << b;
  }
  return held;
}

// A pad button held as the box opens (fire, at game over) presses nothing
// in it until it is let go: its press, still queued, belongs to the game.
bool StalePadPress(const SDL_Event& e, uint32_t& held) {
  if (e.type != SDL_CONTROLLERBUTTONDOWN && e.type != SDL_CONTROLLERBUTTONUP) return false;
  uint32_t bit = e.cbutton.button < 32 ? 1u << e.cbutton.button : 0;
  if (e.type == SDL_CONTROLLERBUTTONUP) held &= ~bit;
  return (held & bit) != 0;
}

// The box, modal on this thread, as DialogBox and MessageBox are.
DialogAnswer RunDialog(DialogState& state, const DialogTexts& texts) {
  std::vector<uint32_t> shown;
  uint32_t padHeld = HeldPadButtons();
  if (state.kind == EnterName) SDL_StartTextInput();  // an input method only here
  DialogAnswer answer = AnswerNone;
  bool redraw = true;
  // A key still held from the game (fire, say) types nothing: text counts
  // from the first key pressed while the box is up.
  bool fresh = false;
  while (answer == AnswerNone) {
    if (redraw) DrawDialog(state, texts, Picture, shown), PresentPixels(shown.data());
    redraw = true;
    SDL_Event e;
    if (Terminated.load()) break;
    if (!SDL_WaitEventTimeout(&e, 200)) {
      redraw = false;
      continue;
    }
    if (e.type == WakeEvent) WakePending.exchange(0), redraw = false;
    if (AltEnter(e)) {
      ToggleFullScreen();
      continue;
    }
    if (e.type == SDL_KEYDOWN && !e.key.repeat) fresh = true;
    if (e.type == SDL_TEXTINPUT && fresh) DialogType(state, ShiftJisFromUtf8(e.text.text).c_str());
    if (e.type == SDL_CONTROLLERDEVICEADDED || e.type == SDL_CONTROLLERDEVICEREMOVED) GamepadPlugged(e);
    if (StalePadPress(e, padHeld)) continue;
    DialogInput input = EventInput(e);
    if (input == PressOther) continue;
    bool escapeHeld = SDL_GetKeyboardState(nullptr)[SDL_SCANCODE_ESCAPE] != 0;
    answer = DialogPress(state, input, escapeHeld);
  }
  if (state.kind == EnterName) SDL_StopTextInput();
  PresentPixels(Picture.data());
  return answer;
}

DialogAnswer Ask(DialogKind kind, const std::string& caption, const std::string& message) {
  DialogState state;
  StartDialog(state, kind);
  return RunDialog(state, DialogTexts{caption, message, 0, 0});
}

void ShowScoreList() {
  Ask(ListScores, ScoreListCaption, "");
}

// The Windows close sequence: the question over a still game; Yes ends it,
// No plays on, Cancel leaves the window minimised.
void CloseSequence() {
  // A game thread that ended by itself (a fatal error) leaves nothing to
  // go back to: the program just ends.
  if (Asking || QuitConfirmed.load() || Scripted || GameThreadEnded.load()) return;
  Activate(false);
  Asking = true;
  DialogAnswer answer = Ask(AskExit, BoxCaption, ExitQuestion);
  Asking = false;
  if (answer == AnswerYes) {
    QuitConfirmed.exchange(1);
    return;
  }
  SDL_Window* w = SDL_GetWindowFromID(GameWindowId());
  if (answer == AnswerCancel && w) SDL_MinimizeWindow(w);
  else Activate(WindowShown());
}

void EnterHighScore(int32_t score) {
  int32_t rank = FindRank(score);
  if (rank == NotPlaced || Scripted) return;
  PendingScore = score;
  PendingRank = rank;
  Activate(false);
  DialogState state;
  StartDialog(state, EnterName);
  RunDialog(state, DialogTexts{ScoreEntryCaption, ScoreEntryText, rank, score});
  InsertScore(state.name, PendingScore);  // Cancel keeps the name too, as the Windows box does
  ShowScoreList();
  Activate(WindowShown());
}

void Serve(NativeRequest request) {
  if (request == RequestClose) CloseSequence();
  if (request == RequestScores && !Scripted) Activate(false), ShowScoreList(), Activate(WindowShown());
}

void TakeMessages() {
  NativeMessage m;
  while (TakeNativeMessage(m)) {
    if (m.message == ShotMessage) AnswerShot(*reinterpret_cast<const std::string*>(m.lParam));
    else if (m.message == WmClose) CloseSequence();
    else if (m.message == WmCommand && m.wParam == uintptr_t(CommandEnterHighScore))
      EnterHighScore(int32_t(m.lParam));
  }
}

void WindowEvent(const SDL_WindowEvent& w) {
  switch (w.event) {
    case SDL_WINDOWEVENT_FOCUS_GAINED: case SDL_WINDOWEVENT_RESTORED:
      if (WindowActive()) Activate(true);
      break;
    case SDL_WINDOWEVENT_FOCUS_LOST: case SDL_WINDOWEVENT_MINIMIZED: Activate(false); break;
    case SDL_WINDOWEVENT_CLOSE: CloseSequence(); break;
    default: PresentPixels(nullptr); break;  // resized, exposed: drawn again to the new size
  }
}

}  // namespace

void DispatchNativeEvent(const SDL_Event& e) {
  if (AltEnter(e)) return ToggleFullScreen();
  switch (e.type) {
    case SDL_QUIT: CloseSequence(); break;
    case SDL_WINDOWEVENT: WindowEvent(e.window); break;
    case SDL_KEYDOWN:
      Serve(NativeKeyDown(e.key.keysym.scancode, e.key.keysym.sym, (e.key.keysym.mod & KMOD_ALT) != 0));
      break;
    case SDL_KEYUP: NativeKeyUp(e.key.keysym.scancode, e.key.keysym.sym); break;
    case SDL_CONTROLLERDEVICEADDED: case SDL_CONTROLLERDEVICEREMOVED: GamepadPlugged(e); break;
    case SDL_CONTROLLERBUTTONDOWN: case SDL_CONTROLLERBUTTONUP:
      Serve(NativeGamepadButton(e.cbutton.button, e.type == SDL_CONTROLLERBUTTONDOWN));
      break;
    case SDL_CONTROLLERAXISMOTION: NativeGamepadAxis(e.caxis.axis, e.caxis.value); break;
    default: break;
  }
}

int32_t RunWindowLoop(bool scripted) {
  Scripted = scripted;
  WakeEvent = SDL_RegisterEvents(1);
  SetScreenWake(Wake);
  SetMessageWake(Wake);
  // SDL starts with text input on; an input method in kana mode would take
  // the game's keys. The name entry turns it on for itself.
  SDL_StopTextInput();
  while (!GameThreadEnded.load()) {
    if (Terminated.load()) QuitConfirmed.exchange(1);  // no question: the system asked
    SDL_Event e;
    if (SDL_WaitEventTimeout(&e, 100)) {
      if (e.type == WakeEvent) WakePending.exchange(0);
      else DispatchNativeEvent(e);
    }
    TakeMessages();
    ShowNewScreen();
  }
  TakeMessages();
  SetScreenWake(nullptr);
  SetMessageWake(nullptr);
  return 0;
}

void ShowFarewell() {
  if (const char* error = FatalErrorText(FatalErrorCode.load())) Ask(TellMessage, BoxCaption, error);
  Ask(TellMessage, BoxCaption, FarewellText);
}

void ShowScoresUnsaved(const std::string& folder) {
  Ask(TellMessage, "ZARVEL", "The high scores could not be saved in\n" + folder + "\n(is it read-only, or full?)");
}

void ShowInitFailure() {
  Ask(TellMessage, BoxCaption, InitFailureText);
}

int32_t WriteShot(const std::string& prefix) {
  ShowNewScreen();
  std::vector<uint32_t> window;
  int32_t w = 0, h = 0;
  if (!ReadWindowPixels(window, w, h)) return 0;
  auto save = [](std::vector<uint32_t>& pixels, int32_t width, int32_t height, const std::string& file) {
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormatFrom(pixels.data(), width, height, 32, width * 4,
                                                        SDL_PIXELFORMAT_ARGB8888);
    int ok = s && SDL_SaveBMP(s, file.c_str()) == 0;
    SDL_FreeSurface(s);
    return ok;
  };
  std::vector<uint8_t> indices;
  PaletteEntry colours[PaletteSize];
  if (!HostScreenImage(indices, colours)) return 0;
  std::vector<uint32_t> screen(indices.size());
  ConvertScreen(indices.data(), colours, int32_t(indices.size()), screen.data());
  return save(window, w, h, prefix + ".window.bmp") && save(screen, ScreenWidth, ScreenHeight, prefix + ".screen.bmp");
}
