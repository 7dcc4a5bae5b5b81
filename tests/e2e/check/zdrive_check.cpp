// The driver's own check: a dialog with what the programs under test show
// (an edit box, a check box, buttons, a nested modal dialog, a message box),
// driven by zdrive_check.sh. The exit code tells what the dialog held when
// OK was pressed: length of the edit text (Shift-JIS bytes) * 10 + check.
#include <windows.h>
#include <shellapi.h>
#include <string.h>
#include <string>

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

// What the program was started with, for the check of zdrive's quoting and
// working folder: the arguments joined by '|', and the current folder.
static void show_start(HWND h) {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  std::wstring args;
  for (int i = 1; argv && i < argc; ++i) args += (i > 1 ? L"|" : L"") + std::wstring(argv[i]);
  SetDlgItemTextW(h, 107, args.c_str());
  wchar_t cwd[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, cwd);
  SetDlgItemTextW(h, 108, cwd);
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

int WINAPI WinMain(HINSTANCE inst, HINSTANCE, LPSTR, int) {
  return (int)DialogBoxParamA(inst, MAKEINTRESOURCEA(100), nullptr, main_proc, 0);
}
