// Dialog 104 without its copy engine yet: it opens, and its cancel ends the
// program like the finished installer's exit button.
#include "setup/install/win32/copy_dialog.h"

#include "setup/install/win32/setup_windows.h"
#include "setup/resources/setup_resource.h"

namespace {

INT_PTR CALLBACK CopyDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDCANCEL:
        case IDABORT:
        case IDCLOSE:
          PostMessageA(MainWindow, WM_CLOSE, 0, 0);
          EndDialog(dialog, 0);
          return TRUE;
      }
      return FALSE;
  }
  return FALSE;
}

}  // namespace

INT_PTR RunCopyDialog(HWND owner) {
  return DialogBoxParamA(SetupInstance, MAKEINTRESOURCEA(IDD_COPY), owner, CopyDialogProc, 0);
}
