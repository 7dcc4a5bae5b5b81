// setup.exe -u LOGPATH: read the install log, then dialog 105 does the rest.
#include <windows.h>

#include "setup/install/text_file.h"
#include "setup/resources/setup_resource.h"
#include "setup/uninstall/uninstaller.h"
#include "setup/uninstall/win32/uninstall_win32.h"

int RunUninstaller(const char* logPath) {
  char* text = nullptr;
  const LoadResult loaded = ReadTextFile(logPath, &text, nullptr);
  if (loaded == LoadNoMemory)
    MessageBoxA(nullptr, "メモリー確保失敗", "アンインストール", MB_OK | MB_ICONERROR);
  if (loaded != LoadOk) return 3;  // missing, locked or 4 GiB and more: no message
  UninstallLogText = text;
  const INT_PTR shown = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_UNINSTALL),
                                        nullptr, UninstallDialogProc, 0);
  UninstallLogText = "";
  FreeText(text);
  return shown == -1 ? 3 : 0;
}
