// Window, joystick, sound, display and the rest of the start-up.
#include <windows.h>
#include <mmsystem.h>

#include "common/win32/cp932_text.h"

#include "game/media/display.h"
#include "game/media/random.h"
#include "game/media/screen_effect.h"
#include "game/media/sound_bank.h"
#include "game/media/stage_sheets.h"
#include "game/resources/resource_ids.h"
#include "game/scores/score_file.h"
#include "game/shell/game_thread.h"
#include "game/shell/input_rules.h"
#include "game/shell/shared_state.h"
#include "game/shell/shutdown.h"
#include "game/shell/win32/main_window.h"
#include "game/shell/win32/program/tzk_program.h"

HINSTANCE InstanceHandle = nullptr;

// Wine's own taskbar reads 415 as "open the start menu", which then takes
// the focus from the game; there the commands are not sent.
static bool UnderWine() {
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

void TellTaskbar(WPARAM command) {
  if (UnderWine()) return;
  if (HWND taskbar = FindWindowW(L"Shell_TrayWnd", nullptr))
    PostMessageW(taskbar, WM_COMMAND, command, 0);
}

static void CaptureJoystick() {
  JOYCAPSW caps;
  if (joyGetNumDevs() < 1 || joyGetDevCapsW(JOYSTICKID1, &caps, sizeof caps) != JOYERR_NOERROR) {
    JoyCentreX = 0;
    return;
  }
  joySetThreshold(JOYSTICKID1, JoystickThreshold(caps.wXmin, caps.wXmax, caps.wYmin, caps.wYmax));
  JoyCentreX = JoystickCentre(caps.wXmin, caps.wXmax);
  JoyCentreY = JoystickCentre(caps.wYmin, caps.wYmax);
  joySetCapture(MainWindow, JOYSTICKID1, 50, TRUE);
}

static void SeedRandom() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  GlobalRandom.SetSeed(SeedFromLocalTime(t.wYear, t.wMonth, t.wDayOfWeek, t.wDay, t.wMinute,
                                         t.wSecond, t.wMilliseconds));
}

int32_t ShowInitFailure() {
  Shutdown();
  MessageBox932(MainWindow, "DirectX Init FAILED\n\nDirectX等のの初期化処理を失敗しました。(T_T)",
                "ZARVEL", MB_OK);
  if (MainWindow) DestroyWindow(MainWindow);
  MainWindow = nullptr;
  TellTaskbar(416);
  return 0;
}

int32_t InitApplication(HINSTANCE instance, int) {
  // A Unicode window: what it is told and shows is UTF-16.
  WNDCLASSW c = {};
  c.style = CS_HREDRAW | CS_VREDRAW;
  c.lpfnWndProc = MainWindowProc;
  c.hInstance = instance;
  c.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_TZK));
  c.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  c.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  c.lpszClassName = L"tzk";
  RegisterClassW(&c);
  HWND window = CreateWindowExW(WS_EX_TOPMOST, L"tzk", L"ZARVEL", WS_POPUP | WS_SYSMENU, 0, 0,
                                GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                nullptr, nullptr, instance, nullptr);
  if (!window) return 0;
  ShowCursor(FALSE);
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
  MusicWanted.exchange(0);
  MusicPlaying = 0;
  CaptureJoystick();
  if (!InitSound(MainWindow)) return ShowInitFailure();
  LastDisplayResult = InitDisplay(reinterpret_cast<uintptr_t>(MainWindow));
  if (LastDisplayResult != 0) return ShowInitFailure();
  if (!LoadStartUpSheets()) return ShowInitFailure();
  LoadScores();
  ResetGame();
  ScreenEffectInit(10, GamePalette);
  ScreenEffectSetDuration(5);
  SeedRandom();
  return 1;
}
