// The shell's folder browser for the install folder, with a read-only line
// under its title that shows the folder really used (the chosen one with the
// product's folder name added).
#include <windows.h>
#include <shlobj.h>

#include "setup/install/folder_rules.h"
#include "setup/install/ini_text.h"
#include "setup/install/setup_state.h"
#include "setup/install/win32/setup_windows.h"

namespace {

const char BrowseTitle[] =
    "インストールのフォルダを指定してください。\n※自動的にフォルダ名が付きます。";

HWND ChosenFolderLine = nullptr;

void AddChosenFolderLine(HWND browser) {
  HDC dc = GetDC(browser);
  TEXTMETRICA metrics = {};
  GetTextMetricsA(dc, &metrics);
  ReleaseDC(browser, dc);
  int w = metrics.tmAveCharWidth, h = metrics.tmHeight;
  HFONT font = reinterpret_cast<HFONT>(SendMessageA(browser, WM_GETFONT, 0, 0));
  int frame = GetSystemMetrics(SM_CXDLGFRAME);
  RECT client;
  GetClientRect(browser, &client);
  ChosenFolderLine = CreateWindowExA(
      WS_EX_CLIENTEDGE | WS_EX_CONTROLPARENT, "EDIT", "",
      WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_READONLY | ES_AUTOHSCROLL,
      client.left + w + frame, client.top + static_cast<int>(h * 2.5),
      client.right - client.left - 2 * (w + frame), h + 2, browser, nullptr, SetupInstance,
      nullptr);
  SendMessageA(ChosenFolderLine, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  ShowWindow(ChosenFolderLine, SW_SHOW);
}

int CALLBACK BrowseCallback(HWND browser, UINT message, LPARAM lParam, LPARAM) {
  if (message == BFFM_INITIALIZED) {
    AddChosenFolderLine(browser);
  } else if (message == BFFM_SELCHANGED) {
    char path[SetupPathSize] = "";
    if (!SHGetPathFromIDListA(reinterpret_cast<LPCITEMIDLIST>(lParam), path)) path[0] = 0;
    // A folder the name does not fit onto is shown as nothing: it would not be used.
    if (path[0] && AppendFolderName(path, sizeof path, InstallFolder) == FolderNameTooLong) path[0] = 0;
    if (ChosenFolderLine) SetWindowTextA(ChosenFolderLine, path);
  }
  return 0;
}

}  // namespace

void BrowseForInstallFolder(HWND dialog, int fieldId) {
  char displayName[MAX_PATH] = "";
  BROWSEINFOA info = {};
  info.hwndOwner = dialog;
  info.pidlRoot = nullptr;
  info.pszDisplayName = displayName;
  info.lpszTitle = BrowseTitle;
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT;
  info.lpfn = BrowseCallback;
  info.lParam = 1;
  LPITEMIDLIST chosen = SHBrowseForFolderA(&info);
  ChosenFolderLine = nullptr;
  if (!chosen) return;
  char path[SetupPathSize] = "";
  if (SHGetPathFromIDListA(chosen, path)) {
    if (AppendFolderName(path, sizeof path, InstallFolder) == FolderNameTooLong)
      MessageBoxA(dialog, FolderNameTooLongText, SetupCaption, MB_OK | MB_ICONERROR);
    else
      SetDlgItemTextA(dialog, fieldId, path);
  }
  CoTaskMemFree(chosen);
}
