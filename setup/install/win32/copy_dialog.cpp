// Dialog 104, the copy phase: one step per timer tick. The timer is stopped
// while a step runs, so a message box inside a step (a failed copy, the
// insert-disk prompt) cannot start another; cancel ends it all at any time.
#include "setup/install/win32/copy_dialog.h"

#include "common/win32/cp932_text.h"
#include "common/win32/japanese_font.h"
#include "setup/install/copy_engine.h"
#include "setup/install/ini_text.h"
#include "setup/install/install_log.h"
#include "setup/install/install_port.h"
#include "setup/install/setup_state.h"
#include "setup/install/win32/setup_windows.h"
#include "setup/resources/setup_resource.h"

namespace {

constexpr UINT_PTR StepTimer = 1;
HWND copyDialog = nullptr;
bool copyEnded = false;

void EndCopy(HWND dialog) {
  copyEnded = true;
  KillTimer(dialog, StepTimer);
  CloseInstallLog();
  PostMessageW(MainWindow, WM_CLOSE, 0, 0);
  EndDialog(dialog, 0);
}

void RunStep(HWND dialog, WPARAM list, LPARAM entry) {
  if (copyEnded) return;
  switch (RunCopyStep(static_cast<int32_t>(list), static_cast<int32_t>(entry))) {
    case StepNext:
      // The user may have cancelled inside a message box of this step.
      if (!copyEnded) SetTimer(dialog, StepTimer, 10, nullptr);
      break;
    case StepStop:
      if (!copyEnded) EndCopy(dialog);
      break;
    case StepFinished:
      break;
  }
}

INT_PTR CALLBACK CopyDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      GiveDialogJapaneseFont(dialog);
      copyDialog = dialog;
      copyEnded = false;
      ResetCopyState();
      SetTimer(dialog, StepTimer, 50, nullptr);
      return TRUE;
    case WM_TIMER:
      if (wParam != StepTimer) return FALSE;
      KillTimer(dialog, StepTimer);
      PostMessageW(dialog, WM_SETUP_STEP, static_cast<WPARAM>(Copy.list),
                   static_cast<LPARAM>(Copy.entry));
      return TRUE;
    case WM_SETUP_STEP:
      RunStep(dialog, wParam, lParam);
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDCANCEL:
        case IDABORT:
        case IDCLOSE:
          if (!copyEnded) EndCopy(dialog);
          return TRUE;
      }
      return FALSE;
    case WM_DESTROY:
      copyDialog = nullptr;
      copyEnded = true;
      return FALSE;
  }
  return FALSE;
}

struct MessageStyle {
  UINT flags;
  bool mainOwner;
  bool noOwner;
};
// By InstallMessage.
constexpr MessageStyle MessageStyles[] = {
    {MB_OK | MB_ICONERROR, false, false},              // MessageFolderFailed
    {MB_OK | MB_ICONWARNING, false, true},             // MessageLogFailed
    {MB_OK | MB_ICONWARNING, false, false},            // MessageCopyFailed
    {MB_OKCANCEL | MB_ICONINFORMATION, false, false},  // MessageInsertMedium
    {MB_OK | MB_ICONWARNING, true, false},             // MessageGroupFailed
};

}  // namespace

INT_PTR RunCopyDialog(HWND owner) {
  return DialogBoxParamW(SetupInstance, MAKEINTRESOURCEW(IDD_COPY), owner, CopyDialogProc, 0);
}

bool PortShowMessage(InstallMessage kind, const char* text) {
  const MessageStyle& style = MessageStyles[kind];
  HWND owner = style.noOwner ? nullptr : style.mainOwner ? MainWindow : copyDialog;
  return MessageBox932(owner, text, SetupCaption, style.flags) == IDOK;
}

void PortShowCopyPaths(const char* source, const char* dest) {
  SetItemText932(copyDialog, IDC_COPY_FROM, source);
  SetItemText932(copyDialog, IDC_COPY_TO, dest);
}

void PortHideCopyFields() {
  const int fields[] = {IDC_COPY_FROM_LABEL, IDC_COPY_TO_LABEL, IDC_COPY_FROM, IDC_COPY_TO};
  for (int id : fields) ShowWindow(GetDlgItem(copyDialog, id), SW_HIDE);
}

void PortShowInstallComplete() {
  ShowWindow(GetDlgItem(copyDialog, IDC_COPY_DONE), SW_SHOW);
  SetWindowText932(copyDialog, SetupCaption);
  SetItemText932(copyDialog, IDCANCEL, "終了(&E)");
  MessageBeep(MB_ICONASTERISK);
}
