// The shell's folder browser for the install folder, with a read-only line
// under its title that shows the folder really used (the chosen one with the
// product's folder name added).
#include <windows.h>
#include <shlobj.h>

#include <string>

#include "common/win32/cp932_text.h"
#include "common/win32/japanese_font.h"
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
  TEXTMETRICW metrics = {};
  GetTextMetricsW(dc, &metrics);
  ReleaseDC(browser, dc);
  int w = metrics.tmAveCharWidth, h = metrics.tmHeight;
  HFONT font = reinterpret_cast<HFONT>(SendMessageW(browser, WM_GETFONT, 0, 0));
  int frame = GetSystemMetrics(SM_CXDLGFRAME);
  RECT client;
  GetClientRect(browser, &client);
  ChosenFolderLine = CreateWindowExW(
      WS_EX_CLIENTEDGE | WS_EX_CONTROLPARENT, L"EDIT", L"",
      WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_READONLY | ES_AUTOHSCROLL,
      client.left + w + frame, client.top + static_cast<int>(h * 2.5),
      client.right - client.left - 2 * (w + frame), h + 2, browser, nullptr, SetupInstance,
      nullptr);
  SendMessageW(ChosenFolderLine, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  ShowWindow(ChosenFolderLine, SW_SHOW);
}

// The folder the installer would use for a chosen one: its path in code
// page 932 with the product's folder name. Empty for a folder with no path;
// *unheld for one with a character 932 cannot hold.
FolderNameResult FolderFor(LPCITEMIDLIST chosen, char* path, bool* unheld) {
  wchar_t wide[MAX_PATH] = L"";
  std::string text;
  *unheld = false;
  path[0] = '\0';
  if (!SHGetPathFromIDListW(chosen, wide) || !wide[0]) return FolderNameNone;
  if (!Cp932Text(wide, &text)) {
    *unheld = true;
    return FolderNameNone;
  }
  if (text.size() >= SetupPathSize) return FolderNameTooLong;
  CopyPath(path, SetupPathSize, text.c_str());
  return AppendFolderName(path, SetupPathSize, InstallFolder);
}

int CALLBACK BrowseCallback(HWND browser, UINT message, LPARAM lParam, LPARAM) {
  if (message == BFFM_INITIALIZED) {
    GiveDialogJapaneseFont(browser);  // its title is ours
    AddChosenFolderLine(browser);
  } else if (message == BFFM_SELCHANGED) {
    char path[SetupPathSize];
    bool unheld;
    // A folder the name does not fit onto, or one the installer cannot
    // name, is shown as nothing: it would not be used.
    if (FolderFor(reinterpret_cast<LPCITEMIDLIST>(lParam), path, &unheld) == FolderNameTooLong)
      path[0] = '\0';
    if (ChosenFolderLine) SetWindowText932(ChosenFolderLine, path);
  }
  return 0;
}

}  // namespace

void BrowseForInstallFolder(HWND dialog, int fieldId) {
  const std::wstring title = WideText(BrowseTitle);
  wchar_t displayName[MAX_PATH] = L"";
  BROWSEINFOW info = {};
  info.hwndOwner = dialog;
  info.pidlRoot = nullptr;
  info.pszDisplayName = displayName;
  info.lpszTitle = title.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT;
  info.lpfn = BrowseCallback;
  info.lParam = 1;
  LPITEMIDLIST chosen = SHBrowseForFolderW(&info);
  ChosenFolderLine = nullptr;
  if (!chosen) return;
  char path[SetupPathSize];
  bool unheld;
  const FolderNameResult result = FolderFor(chosen, path, &unheld);
  if (unheld) {
    wchar_t wide[MAX_PATH] = L"";
    SHGetPathFromIDListW(chosen, wide);
    MessageBoxNaming932(dialog, FolderNameRefusedText, wide, SetupCaption, MB_OK | MB_ICONERROR);
  } else if (result == FolderNameTooLong) {
    MessageBox932(dialog, FolderNameTooLongText, SetupCaption, MB_OK | MB_ICONERROR);
  } else if (path[0]) {
    SetItemText932(dialog, fieldId, path);
  }
  CoTaskMemFree(chosen);
}
