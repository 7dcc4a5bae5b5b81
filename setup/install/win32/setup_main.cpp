// setup.exe's entry point: '-u' goes to the uninstaller; otherwise one
// instance, setup.ini, the installer's folders, the backdrop and its loop.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "common/win32/cp932_text.h"
#include "setup/install/command_line.h"
#include "setup/install/folder_rules.h"
#include "setup/install/ini_text.h"
#include "setup/install/setup_state.h"
#include "setup/install/text_file.h"
#include "setup/install/uninstall_setting.h"
#include "setup/install/win32/setup_windows.h"
#include "setup/uninstall/uninstaller.h"

namespace {

// Exit code when a folder the installer works from has a name it cannot
// hold in code page 932 (its paths and its log are Shift-JIS).
constexpr int FolderRefusedExit = 4;

const char FolderRefusedText[] =
    "このフォルダは、名前にセットアップの扱えない文字が含まれているか、\n"
    "パスが長すぎます。英数字か日本語の短い名前のフォルダに置いてから、\n"
    "もう一度起動してください。";

// Title of the backdrop; BigTitle is cut to 127 bytes.
char BigTitle[128];

// One of the system's folders into `folder` (SetupPathSize bytes); says so
// and fails when code page 932 cannot hold its name, or it is too long.
using FolderCall = UINT(WINAPI*)(LPWSTR buffer, UINT size);

bool TakeFolder(FolderCall call, char* folder) {
  wchar_t wide[MAX_PATH] = L"";
  const UINT n = call(wide, MAX_PATH);
  if (n >= MAX_PATH) wide[0] = L'\0';
  if (Cp932Into(wide, folder, SetupPathSize)) return true;
  MessageBoxNaming932(nullptr, FolderRefusedText, wide, SetupCaption, MB_OK | MB_ICONERROR);
  return false;
}

UINT WINAPI CurrentFolder(LPWSTR buffer, UINT size) { return GetCurrentDirectoryW(size, buffer); }

// The system's folders; a drive root is held without its backslash.
bool TakeFolders() {
  if (!TakeFolder(CurrentFolder, SourceFolder) || !TakeFolder(GetWindowsDirectoryW, WindowsFolder) ||
      !TakeFolder(GetSystemDirectoryW, SystemFolder))
    return false;
  StripRootBackslash(SourceFolder);
  InstallFolder[0] = WindowsFolder[0];
  InstallFolder[1] = ':';
  InstallFolder[2] = '\\';
  InstallFolder[3] = 0;
  StripRootBackslash(WindowsFolder);
  char program[IniValueSize] = "";
  GetValue(IniText, "UninstallSetting", "UninstallProgramName", program, sizeof program, true);
  CopyPath(UninstallerPath, SetupPathSize, WindowsFolder);
  AppendPath(UninstallerPath, SetupPathSize, "\\");
  AppendPath(UninstallerPath, SetupPathSize, program);
  StripRootBackslash(SystemFolder);
  return true;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR commandLine, int) {
  SetupInstance = instance;
  InitCommonControls();

  // A '?' stands in for what code page 932 cannot hold: enough to tell the
  // uninstaller's '-u', which then refuses a log path it cannot name.
  std::string arguments;
  const bool held = Cp932Text(commandLine, &arguments);
  if (const char* logPath = UninstallLogPath(arguments.c_str()))
    return held ? RunUninstaller(logPath) : RefuseUninstallLog(commandLine);

  if (FindWindowW(SetupWindowClass, nullptr)) return 0;

  LoadResult loaded = ReadTextFile("setup.ini", &IniText, nullptr);
  if (loaded != LoadOk) {
    if (const char* message = LoadFailureMessage(loaded))
      MessageBox932(nullptr, message, SetupCaption, MB_OK | MB_ICONERROR);
    return loaded;
  }

  if (GetValue(IniText, "init", "BigTitle", BigTitle, sizeof BigTitle, false) == 0)
    CopyPath(BigTitle, sizeof BigTitle, "Setup Program");
  if (!TakeFolders()) {
    FreeText(IniText);
    IniText = nullptr;
    return FolderRefusedExit;
  }
  UninstallerEnabled = UninstallerAsked(IniText) && !MissingUninstallKey(IniText);

  if (!CreateBackdropWindow(BigTitle)) {
    FreeText(IniText);
    IniText = nullptr;
    return 0;
  }
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}
