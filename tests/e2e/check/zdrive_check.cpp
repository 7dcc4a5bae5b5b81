// The driver's own check: a dialog with what the programs under test show
// (an edit box, a check box, buttons, a nested modal dialog, a message box),
// driven by zdrive_check.sh. The exit code tells what the dialog held when
// OK was pressed: length of the edit text (Shift-JIS bytes) * 10 + check.
#include <windows.h>
#include <shellapi.h>
#include <string.h>
#include <algorithm>
#include <string>
#include <vector>

static INT_PTR CALLBACK detail_proc(HWND h, UINT m, WPARAM wp, LPARAM) {
  if (m == WM_COMMAND && (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL)) {
    EndDialog(h, LOWORD(wp));
    return TRUE;
  }
  return m == WM_INITDIALOG;
}

static void show_answer(HWND h, int answer) {
  char buf[32];
  wsprintfA(buf, "answer %d", answer);
  SetDlgItemTextA(h, 104, buf);
}

// Its ZARVEL_* variables, sorted, joined by '|'.
static std::wstring zarvel_environment() {
  std::vector<std::wstring> found;
  wchar_t* env = GetEnvironmentStringsW();
  for (const wchar_t* p = env; p && *p; p += wcslen(p) + 1)
    if (wcsncmp(p, L"ZARVEL_", 7) == 0) found.push_back(p);
  if (env) FreeEnvironmentStringsW(env);
  std::sort(found.begin(), found.end());
  std::wstring joined;
  for (const std::wstring& f : found) joined += (joined.empty() ? L"" : L"|") + f;
  return joined;
}

// What the program was started with, for the check of zdrive's quoting,
// working folder and environment: the arguments joined by '|', the current
// folder, the ZARVEL_* variables.
static void show_start(HWND h) {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  std::wstring args;
  for (int i = 1; argv && i < argc; ++i) args += (i > 1 ? L"|" : L"") + std::wstring(argv[i]);
  SetDlgItemTextW(h, 107, args.c_str());
  wchar_t cwd[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, cwd);
  SetDlgItemTextW(h, 108, cwd);
  SetDlgItemTextW(h, 109, zarvel_environment().c_str());
}

static INT_PTR CALLBACK main_proc(HWND h, UINT m, WPARAM wp, LPARAM) {
  if (m == WM_INITDIALOG) {
    show_start(h);
    return TRUE;
  }
  if (m != WM_COMMAND) return FALSE;
  switch (LOWORD(wp)) {
    case 103:
      show_answer(h, MessageBoxA(h, "終了しますか？\nExit? ", "ZARVEL",
                                 MB_YESNOCANCEL | MB_ICONQUESTION));
      return TRUE;
    case 106:
      show_answer(h, (int)DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(200), h,
                                          detail_proc, 0));
      return TRUE;
    case IDOK: {
      char buf[256];
      GetDlgItemTextA(h, 101, buf, sizeof buf);
      EndDialog(h, (INT_PTR)(strlen(buf) * 10 + IsDlgButtonChecked(h, 102)));
      return TRUE;
    }
    case IDCANCEL:
      EndDialog(h, 7);
      return TRUE;
  }
  return FALSE;
}

// "keys": a plain window, as the game's, that writes every key message it
// gets into its title ("d25e": key-down of virtual key 0x25, extended) and
// counts the timer ticks during which GetAsyncKeyState saw Z held.
static int held_ticks = 0;

static LRESULT CALLBACK key_proc(HWND h, UINT m, WPARAM wp, LPARAM lp) {
  char buf[512];
  if (m == WM_KEYDOWN || m == WM_SYSKEYDOWN) {
    GetWindowTextA(h, buf, 400);
    wsprintfA(buf + lstrlenA(buf), " %s%02x%s", m == WM_KEYDOWN ? "d" : "s", (unsigned)wp,
              (lp & (1 << 24)) ? "e" : "");
    SetWindowTextA(h, buf);
    return 0;
  }
  if (m == WM_TIMER && (GetAsyncKeyState('Z') & 0x8000)) {
    wsprintfA(buf, "held %d", ++held_ticks);
    SetDlgItemTextA(h, 5, buf);
  }
  if (m == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcA(h, m, wp, lp);
}

static int key_window(HINSTANCE inst) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = key_proc;
  wc.hInstance = inst;
  wc.lpszClassName = "zdrive_keys";
  RegisterClassA(&wc);
  HWND h = CreateWindowA("zdrive_keys", "keys:", WS_POPUP | WS_VISIBLE, 0, 0, 320, 240, nullptr,
                         nullptr, inst, nullptr);
  CreateWindowA("STATIC", "held 0", WS_CHILD | WS_VISIBLE, 8, 8, 200, 20, h, (HMENU)5, inst,
                nullptr);
  SetTimer(h, 1, 10, nullptr);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
  return 0;
}

int WINAPI WinMain(HINSTANCE inst, HINSTANCE, LPSTR cmd, int) {
  if (lstrcmpA(cmd, "keys") == 0) return key_window(inst);
  return (int)DialogBoxParamA(inst, MAKEINTRESOURCEA(100), nullptr, main_proc, 0);
}
