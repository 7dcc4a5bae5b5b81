// setup.exe's entry point: '-u' goes to the uninstaller; otherwise one
// instance, setup.ini, the installer's folders, the backdrop and its loop.
#include <windows.h>
#include <commctrl.h>

#include "setup/install/command_line.h"
#include "setup/install/folder_rules.h"
#include "setup/install/ini_text.h"
#include "setup/install/path_chars.h"
#include "setup/install/setup_state.h"
#include "setup/install/text_file.h"
#include "setup/install/uninstall_setting.h"
#include "setup/install/win32/setup_windows.h"
#include "setup/uninstall/uninstaller.h"

namespace {

// Title of the backdrop; BigTitle is cut to 127 bytes.
char BigTitle[128];

// The system's folders; a drive root is held without its backslash.
void TakeFolders() {
  GetCurrentDirectoryA(SetupPathSize, SourceFolder);
  StripRootBackslash(SourceFolder);
  GetWindowsDirectoryA(WindowsFolder, SetupPathSize);
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
  GetSystemDirectoryA(SystemFolder, SetupPathSize);
  StripRootBackslash(SystemFolder);
}

int32_t SystemLeadByte(unsigned char c) { return IsDBCSLeadByte(c) ? 1 : 0; }

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR arguments, int) {
  SetupInstance = instance;
  // Paths are split by the code page they are written in.
  IsPathLeadByte = SystemLeadByte;
  InitCommonControls();

  if (const char* logPath = UninstallLogPath(arguments)) return RunUninstaller(logPath);

  if (FindWindowA(SetupWindowClass, nullptr)) return 0;

  LoadResult loaded = ReadTextFile("setup.ini", &IniText, nullptr);
  if (loaded != LoadOk) {
    if (const char* message = LoadFailureMessage(loaded))
      MessageBoxA(nullptr, message, SetupCaption, MB_OK | MB_ICONERROR);
    return loaded;
  }

  if (GetValue(IniText, "init", "BigTitle", BigTitle, sizeof BigTitle, false) == 0)
    CopyPath(BigTitle, sizeof BigTitle, "Setup Program");
  TakeFolders();
  UninstallerEnabled = UninstallerAsked(IniText) && !MissingUninstallKey(IniText);

  if (!CreateBackdropWindow(BigTitle)) {
    FreeText(IniText);
    IniText = nullptr;
    return 0;
  }
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}
