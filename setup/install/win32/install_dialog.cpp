// Dialog 102: texts and picture from setup.ini, the four shortcut options,
// the install folder with its check, and the hand-over to the copy phase.
#include <windows.h>

#include <string>

#include "common/win32/cp932_text.h"
#include "common/win32/japanese_font.h"
#include "setup/install/folder_rules.h"
#include "setup/install/ini_text.h"
#include "setup/install/setup_state.h"
#include "setup/install/uninstall_setting.h"
#include "setup/install/win32/setup_windows.h"
#include "setup/resources/setup_resource.h"

namespace {

constexpr int MessageLabelIds[7] = {IDC_MSG_A, IDC_MSG_B, IDC_MSG_C, IDC_MSG_D,
                                    IDC_MSG_E, IDC_MSG_F, IDC_MSG_G};
constexpr const char* MessageKeys[7] = {"msgA", "msgB", "msgC", "msgD", "msgE", "msgF", "msgG"};

// The shortcut options: check box, the key that ticks it, the list without
// which it is disabled, and the flag it sets.
struct ShortcutOption {
  int checkBox;
  const char* defaultKey;
  const char* list;
  bool* flag;
};
const ShortcutOption ShortcutOptions[4] = {
    {IDC_START_MENU, "DefaultRegistStartMenu", "StarMenuSet", &RegisterStartMenu},
    {IDC_START_UP, "DefaultRegistStartUp", "StartUpSet", &RegisterStartUp},
    {IDC_DESKTOP, "DefaultRegistDesktop", "DeskTopSet", &RegisterDesktop},
    {IDC_SEND_TO, "DefaultRegistSendTo", "SendToSet", &RegisterSendTo},
};

HBITMAP Picture = nullptr;

void Disable(HWND dialog, int id) { EnableWindow(GetDlgItem(dialog, id), FALSE); }

void ShowPicture(HWND dialog) {
  char file[IniValueSize] = "setup.bmp";
  GetValue(IniText, "init", "Img", file, sizeof file, true);
  std::wstring wide;
  if (WidePath(file, &wide))
    Picture = static_cast<HBITMAP>(LoadImageW(nullptr, wide.c_str(), IMAGE_BITMAP, 0, 0,
                                              LR_LOADFROMFILE | LR_CREATEDIBSECTION));
  if (!Picture) {
    ShowWindow(GetDlgItem(dialog, IDC_INSTALL_PICTURE), SW_HIDE);
    return;
  }
  HGDIOBJ old = reinterpret_cast<HGDIOBJ>(SendDlgItemMessageW(
      dialog, IDC_INSTALL_PICTURE, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(Picture)));
  if (old) DeleteObject(old);
}

void InitDialog(HWND dialog) {
  if (IniText) {
    char text[IniValueSize];
    if (GetValue(IniText, "init", "Title", text, sizeof text, false)) SetWindowText932(dialog, text);
    for (int k = 0; k < 7; ++k)
      if (GetValue(IniText, "init", MessageKeys[k], text, sizeof text, false))
        SetItemText932(dialog, MessageLabelIds[k], text);
    ShowPicture(dialog);
    for (const ShortcutOption& option : ShortcutOptions) {
      if (IniFlagContainsOne(IniText, "init", option.defaultKey))
        CheckDlgButton(dialog, option.checkBox, BST_CHECKED);
      if (!IniHasEntries(IniText, option.list)) Disable(dialog, option.checkBox);
    }
    char copyDir[IniValueSize] = "Mipa-Lu";
    GetValue(IniText, "init", "CopyDir", copyDir, sizeof copyDir, true);
    AppendPath(InstallFolder, SetupPathSize, copyDir);
    SetItemText932(dialog, IDC_FOLDER, InstallFolder);
    if (!IniHasEntries(IniText, "Install")) {
      Disable(dialog, IDC_FOLDER_LABEL);
      Disable(dialog, IDC_FOLDER);
      SetItemText932(dialog, IDC_FOLDER, "");
      Disable(dialog, IDC_BROWSE);
      InPlaceInstall = true;
      Disable(dialog, IDC_DEFAULT_FOLDER);
    } else if (IniFlagContainsOne(IniText, "init", "DisableDefalutInstallButton")) {
      Disable(dialog, IDC_DEFAULT_FOLDER);
    }
  }
  // Characters here; the bytes are counted when the field is read.
  SendDlgItemMessageW(dialog, IDC_FOLDER, EM_LIMITTEXT, SetupPathSize - 1, 0);
  SendMessageW(dialog, WM_SETICON, ICON_BIG,
               reinterpret_cast<LPARAM>(LoadIconW(SetupInstance, MAKEINTRESOURCEW(IDI_SETUP))));
}

void RefuseFolderField(HWND dialog, const char* message) {
  MessageBox932(dialog, message, SetupCaption, MB_OK | MB_ICONERROR);
  SetItemText932(dialog, IDC_FOLDER, InstallFolder);
}

// The folder field's text in code page 932: a character it cannot hold, or
// a path longer than the installer's 259 bytes, is refused, never cut or
// replaced (either would install somewhere else than the field says).
bool ReadFolderField(HWND dialog, char* field) {
  std::string text;
  if (!ItemText932(dialog, IDC_FOLDER, &text)) {
    RefuseFolderField(dialog, FolderNameRefusedText);
    return false;
  }
  if (text.size() >= SetupPathSize) {
    RefuseFolderField(dialog, FolderPathTooLongText);
    return false;
  }
  CopyPath(field, SetupPathSize, text.c_str());
  return true;
}

// The folder field's text accepted as InstallFolder, or refused with its
// message and the field put back to InstallFolder.
bool CheckFolderField(HWND dialog) {
  char field[SetupPathSize] = "";
  if (!ReadFolderField(dialog, field)) return false;
  char accepted[SetupPathSize];
  FolderCheckResult result = CheckInstallFolder(field, accepted);
  if (result != FolderAccepted) {
    RefuseFolderField(dialog, FolderCheckMessage(result));
    return false;
  }
  CopyPath(InstallFolder, SetupPathSize, InPlaceInstall ? SourceFolder : accepted);
  return true;
}

// Said once, when the installation starts: UseUninstaller is on but a key
// the uninstaller needs is missing, so it is left out.
void WarnMissingUninstallKey(HWND dialog) {
  if (!UninstallerAsked(IniText)) return;
  const char* key = MissingUninstallKey(IniText);
  if (!key) return;
  char message[512];
  MissingUninstallKeyMessage(key, message, sizeof message);
  MessageBox932(dialog, message, SetupCaption, MB_OK | MB_ICONWARNING);
}

void StartInstallation(HWND dialog) {
  if (!CheckFolderField(dialog)) return;
  for (const ShortcutOption& option : ShortcutOptions)
    if (IsDlgButtonChecked(dialog, option.checkBox) == BST_CHECKED) *option.flag = true;
  WarnMissingUninstallKey(dialog);
  PostMessageW(MainWindow, WM_SETUP_STEP, 0, 0);
  EndDialog(dialog, IDOK);
}

INT_PTR CALLBACK InstallDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      GiveDialogJapaneseFont(dialog);
      InitDialog(dialog);
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK:
          StartInstallation(dialog);
          return TRUE;
        case IDCANCEL:
        case IDABORT:
        case IDCLOSE:
          PostMessageW(MainWindow, WM_CLOSE, 0, 0);
          EndDialog(dialog, IDCANCEL);
          return TRUE;
        case IDC_BROWSE:
          BrowseForInstallFolder(dialog, IDC_FOLDER);
          return TRUE;
        case IDC_DEFAULT_FOLDER:
          SetItemText932(dialog, IDC_FOLDER, InstallFolder);
          return TRUE;
      }
      return FALSE;
    case WM_DESTROY:
      EndDialog(dialog, 0);
      return TRUE;
  }
  return FALSE;
}

}  // namespace

INT_PTR RunInstallDialog(HWND owner) {
  INT_PTR result =
      DialogBoxParamW(SetupInstance, MAKEINTRESOURCEW(IDD_INSTALL), owner, InstallDialogProc, 0);
  // The picture control does not own the bitmap it was given.
  if (Picture) DeleteObject(Picture);
  Picture = nullptr;
  return result;
}
