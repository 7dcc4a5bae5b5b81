// The main window: keys and joystick into InputState, the close question,
// the high-score requests of the game thread. It never draws.
#include <windows.h>
#include <mmsystem.h>

#include "common/win32/cp932_text.h"

#include "game/scores/score_table.h"
#include "game/scores/win32/score_dialogs.h"
#include "game/shell/input_rules.h"
#include "game/shell/shared_state.h"
#include "game/shell/shutdown.h"
#include "game/shell/win32/main_window.h"
#include "game/shell/win32/program/tzk_program.h"

int32_t JoyCentreX = 0;
int32_t JoyCentreY = 0;

void ReleaseJoystick() {
  if (JoyCentreX == 0) return;
  joyReleaseCapture(JOYSTICKID1);
  joySetThreshold(JOYSTICKID1, 0);
  JoyCentreX = 0;
}

static bool Asking = false;  // the close question is on screen

static LRESULT CloseSequence(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // A second request while the question is open (the game thread ending
  // meanwhile) or after the answer changes nothing.
  if (Asking || QuitConfirmed.load()) return 0;
  ShowWindow(window, SW_MINIMIZE);
  ShowCursor(TRUE);
  Asking = true;
  int answer = MessageBox932(window, "終了しますか？\nExit? ", "ZARVEL",
                             MB_YESNOCANCEL | MB_ICONQUESTION);
  Asking = false;
  if (answer == IDCANCEL) return 0;
  if (answer != IDYES) {
    ShowWindow(window, SW_RESTORE);
    ShowCursor(FALSE);
    return 0;
  }
  QuitConfirmed.exchange(1);
  EndGameThread();
  ReleaseJoystick();
  Shutdown();
  MainWindow = nullptr;
  PostQuitMessage(0);
  return DefWindowProcW(window, message, wParam, lParam);
}

// A minimised game does not run: the close question and the score dialogs
// are shown over a still screen. Under Wine the primary surface is the
// desktop itself, and a running game would paint over them.
constexpr DWORD SettleMilliseconds = 120;  // the frame in hand reaches its wait

static void Minimised() {
  ActivateApp(0);
  Sleep(SettleMilliseconds);
}

static void Restored(HWND window) {
  if (GetActiveWindow() == window && !AppActive.load()) ActivateApp(1);
}

static void ActivateWindow(HWND window, WPARAM active) {
  ActivateApp(active && !IsIconic(window) ? 1 : 0);
  // After a fatal error or a failed start the display is already released
  // (or being released by the game thread): no palette, no cursor change.
  if (!RestorePaletteOnActivation()) return;
  ShowCursor(active ? FALSE : TRUE);
}

static void KeyDown(HWND window, int32_t key) {
  switch (TakeKeyDown(key)) {
    case KeyClose: PostMessageW(window, WM_CLOSE, 0, 0); break;
    case KeyShowScores: ShowHighScores(window); break;
    default: break;
  }
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      MainWindow = window;  // known before CreateWindowExW returns
      break;
    case WM_CLOSE:
      return CloseSequence(window, message, wParam, lParam);
    case WM_ACTIVATEAPP:
      ActivateWindow(window, wParam);
      break;
    case WM_SIZE:
      if (wParam == SIZE_MINIMIZED) Minimised();
      else Restored(window);
      break;
    case WM_SETCURSOR:
      if (AppActive.load()) SetCursor(nullptr);
      break;
    case WM_COMMAND:
      if (LOWORD(wParam) == CommandEnterHighScore) {
        int32_t score = static_cast<int32_t>(lParam);
        int32_t rank = FindRank(score);
        if (rank != NotPlaced) EnterHighScore(window, score, rank);
      }
      break;
    case WM_KEYDOWN:
      KeyDown(window, static_cast<int32_t>(wParam));
      break;
    case WM_KEYUP:
      TakeKeyUp(static_cast<int32_t>(wParam));
      break;
    case MM_JOY1BUTTONDOWN:
      if (wParam & JOY_BUTTON2CHG) CycleWeapon();
      [[fallthrough]];
    case MM_JOY1MOVE:
    case MM_JOY1BUTTONUP:
      InputState.exchange(JoystickInput(InputState.load(), static_cast<uint32_t>(lParam),
                                        static_cast<uint32_t>(wParam), JoyCentreX, JoyCentreY));
      return 1;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}
