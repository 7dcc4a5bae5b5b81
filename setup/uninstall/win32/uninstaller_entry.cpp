// setup.exe -u LOGPATH: read the install log, then dialog 105 does the rest.
#include <windows.h>

#include "setup/install/text_file.h"
#include "setup/resources/setup_resource.h"
#include "setup/uninstall/uninstaller.h"
#include "setup/uninstall/win32/uninstall_win32.h"

namespace {

// A log path typed by hand into a shortcut may come in quotes; no file name
// holds a '"', so they can only be quotes.
void Unquote(const char* path, char* out, size_t size) {
  if (path[0] == '"') ++path;
  lstrcpynA(out, path, static_cast<int>(size));
  char* quote = out;
  while (*quote && *quote != '"') ++quote;
  *quote = '\0';
}

}  // namespace

int RunUninstaller(const char* logPath) {
  // A longer path cut short could name some other file, read as a log.
  if (lstrlenA(logPath) >= MAX_PATH) return 3;
  char path[MAX_PATH];
  Unquote(logPath, path, sizeof path);
  char* text = nullptr;
  const LoadResult loaded = ReadTextFile(path, &text, nullptr);
  if (loaded == LoadNoMemory)
    MessageBoxA(nullptr, "メモリー確保失敗", "アンインストール", MB_OK | MB_ICONERROR);
  if (loaded != LoadOk) return 3;  // missing, locked or 4 GiB and more: no message
  UninstallLogText = text;
  // The log is trusted only where it names itself: the system's full
  // spelling of the file opened, or its long form.
  const DWORD n = GetFullPathNameA(path, MAX_PATH, UninstallLogPath, nullptr);
  if (n == 0 || n >= MAX_PATH) UninstallLogPath[0] = '\0';
  const DWORD m = GetLongPathNameA(UninstallLogPath, UninstallLogLongPath, MAX_PATH);
  if (m == 0 || m >= MAX_PATH) UninstallLogLongPath[0] = '\0';
  const INT_PTR shown = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_UNINSTALL),
                                        nullptr, UninstallDialogProc, 0);
  UninstallLogText = "";
  FreeText(text);
  return shown == -1 ? 3 : 0;
}
