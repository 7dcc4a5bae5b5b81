// setup.exe -u LOGPATH: read the install log, then dialog 105 does the rest.
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "common/win32/cp932_text.h"
#include "setup/install/text_file.h"
#include "setup/resources/setup_resource.h"
#include "setup/uninstall/uninstaller.h"
#include "setup/uninstall/win32/uninstall_win32.h"

namespace {

const char Caption[] = "アンインストール";
const char LogPathRefused[] =
    "アンインストールの記録の場所に、扱えない文字が含まれています。\n"
    "何も削除しません。";

// A log path typed by hand into a shortcut may come in quotes; no file name
// holds a '"', so they can only be quotes.
void Unquote(const char* path, char* out, size_t size) {
  if (path[0] == '"') ++path;
  std::strncpy(out, path, size - 1);
  out[size - 1] = '\0';
  char* quote = out;
  while (*quote && *quote != '"') ++quote;
  *quote = '\0';
}

// What the system makes of the path (its full or long form) in code page
// 932, or empty: a log the uninstaller cannot name it does not trust.
using PathCall = DWORD(WINAPI*)(LPCWSTR path, DWORD size, LPWSTR buffer);

DWORD WINAPI FullPath(LPCWSTR path, DWORD size, LPWSTR buffer) {
  return GetFullPathNameW(path, size, buffer, nullptr);
}

DWORD WINAPI LongPath(LPCWSTR path, DWORD size, LPWSTR buffer) {
  return GetLongPathNameW(path, buffer, size);
}

void SystemForm(PathCall call, const char* path, char* out) {
  out[0] = '\0';
  std::wstring wide;
  wchar_t form[MAX_PATH];
  if (!WidePath(path, &wide)) return;
  const DWORD n = call(wide.c_str(), MAX_PATH, form);
  if (n > 0 && n < MAX_PATH) Cp932Into(form, out, MAX_PATH);
}

}  // namespace

int RefuseUninstallLog(const wchar_t* commandLine) {
  MessageBoxNaming932(nullptr, LogPathRefused, commandLine, Caption, MB_OK | MB_ICONERROR);
  return 3;
}

int RunUninstaller(const char* logPath) {
  // A longer path cut short could name some other file, read as a log.
  if (std::strlen(logPath) >= MAX_PATH) return 3;
  char path[MAX_PATH];
  Unquote(logPath, path, sizeof path);
  char* text = nullptr;
  const LoadResult loaded = ReadTextFile(path, &text, nullptr);
  if (loaded == LoadNoMemory) MessageBox932(nullptr, "メモリー確保失敗", Caption, MB_OK | MB_ICONERROR);
  if (loaded != LoadOk) return 3;  // missing, locked or 4 GiB and more: no message
  UninstallLogText = text;
  // The log is trusted only where it names itself: the system's full
  // spelling of the file opened, or its long form.
  SystemForm(FullPath, path, UninstallLogPath);
  SystemForm(LongPath, UninstallLogPath, UninstallLogLongPath);
  const INT_PTR shown = DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_UNINSTALL),
                                        nullptr, UninstallDialogProc, 0);
  UninstallLogText = "";
  FreeText(text);
  std::free(UninstallRecordText);
  UninstallRecordText = nullptr;
  return shown == -1 ? 3 : 0;
}
