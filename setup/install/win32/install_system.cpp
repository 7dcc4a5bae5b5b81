// The copy engine's files, log, shell folders, programs and registry on
// Windows, one call each. A path that is no Shift-JIS names nothing the
// installer means: every call on it fails, as on a missing file.
#include <windows.h>
#include <shlobj.h>

#include <cstring>
#include <string>

#include "common/win32/cp932_text.h"
#include "setup/install/ini_text.h"
#include "setup/install/install_paths.h"
#include "setup/install/install_port.h"
#include "setup/install/path_chars.h"
#include "setup/install/setup_state.h"
#include "setup/install/win32/system_folders.h"
#include "setup/install/win32/setup_windows.h"

namespace {

HANDLE logFile = INVALID_HANDLE_VALUE;
HKEY baseKey = nullptr;
HKEY openKey = nullptr;

constexpr const wchar_t* UninstallBase = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion";

const char ShortcutFolderRefused[] =
    "ショートカットを登録するフォルダの名前に、\n"
    "このセットアップでは扱えない文字が含まれています。\n"
    "ここにはショートカットを登録しません。";

}  // namespace

uint32_t PortEntryAttributes(const char* path) {
  WidePathOf wide(path);
  return wide.ok ? GetFileAttributesW(wide.c_str()) : NoSuchEntry;
}

bool PortMakeFolder(const char* path) {
  WidePathOf wide(path);
  return wide.ok && CreateDirectoryW(wide.c_str(), nullptr) != 0;
}

bool PortCopyFile(const char* source, const char* dest, bool failIfExists) {
  WidePathOf from(source), to(dest);
  return from.ok && to.ok && CopyFileW(from.c_str(), to.c_str(), failIfExists ? TRUE : FALSE) != 0;
}

bool PortLastWriteTime(const char* path, uint64_t* time) {
  WidePathOf wide(path);
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!wide.ok || !GetFileAttributesExW(wide.c_str(), GetFileExInfoStandard, &data)) return false;
  *time = (static_cast<uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
          data.ftLastWriteTime.dwLowDateTime;
  return true;
}

bool PortSetCurrentFolder(const char* path) {
  // 'C:' alone would mean the current folder on C:, not its root.
  char folder[MAX_PATH + 2];
  size_t n = std::strlen(path);
  if (n >= MAX_PATH) return false;
  std::memcpy(folder, path, n + 1);
  if (n == 2 && folder[1] == ':') std::strcpy(folder + 2, "\\");
  WidePathOf wide(folder);
  return wide.ok && SetCurrentDirectoryW(wide.c_str()) != 0;
}

bool PortLogCreate(const char* name) {
  WidePathOf wide(name);
  if (!wide.ok) return false;
  logFile = CreateFileW(wide.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                        CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  return logFile != INVALID_HANDLE_VALUE;
}

void PortLogWrite(const char* bytes, int32_t count) {
  DWORD written;
  if (logFile != INVALID_HANDLE_VALUE) WriteFile(logFile, bytes, static_cast<DWORD>(count), &written, nullptr);
}

void PortLogClose() {
  if (logFile != INVALID_HANDLE_VALUE) CloseHandle(logFile);
  logFile = INVALID_HANDLE_VALUE;
}

bool PortShellFolder(int32_t csidl, char* path) {
  path[0] = '\0';
  LPITEMIDLIST list = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(MainWindow, csidl, &list)) || !list) return false;
  wchar_t wide[MAX_PATH] = L"";
  bool ok = SHGetPathFromIDListW(list, wide) != 0;
  CoTaskMemFree(list);
  if (!ok || !wide[0]) return false;
  // A user named in Korean, say: the shortcuts cannot be recorded in the
  // log, so none are made there, and the user is told.
  if (!Cp932Into(wide, path, PathBufferSize)) {
    MessageBoxNaming932(MainWindow, ShortcutFolderRefused, wide, SetupCaption,
                        MB_OK | MB_ICONWARNING);
    return false;
  }
  // Folders are held without a trailing backslash, so joining adds one.
  size_t n = std::strlen(path);
  if (n > 0 && EndsWithPathChar(path, '\\')) path[n - 1] = '\0';
  return path[0] != '\0';
}

namespace {

// The system's own folders, gathered once: the installer's four shell
// folders, the Windows and system folders and every known folder.
constexpr int SystemFolderLimit = 256;
char SystemFolders[SystemFolderLimit][MAX_PATH];
int SystemFolderCount = -1;

void AddSystemFolder(const char* folder, void*) {
  if (SystemFolderCount < SystemFolderLimit && folder[0] && std::strlen(folder) < MAX_PATH)
    std::strcpy(SystemFolders[SystemFolderCount++], folder);
}

void GatherSystemFolders() {
  SystemFolderCount = 0;
  char path[MAX_PATH];
  constexpr int32_t ShellFolders[] = {CsidlDesktop, CsidlPrograms, CsidlStartup, CsidlSendTo};
  for (int32_t csidl : ShellFolders)
    if (PortShellFolder(csidl, path)) AddSystemFolder(path, nullptr);
  AddSystemFolder(WindowsFolder, nullptr);
  AddSystemFolder(SystemFolder, nullptr);
  ForEachKnownFolder(AddSystemFolder, nullptr);
}

bool Listed(const char* folder) {
  for (int k = 0; k < SystemFolderCount; ++k)
    if (SamePath(folder, SystemFolders[k])) return true;
  return false;
}

}  // namespace

bool PortIsSystemFolder(const char* folder) {
  if (SystemFolderCount < 0) GatherSystemFolders();
  char longForm[MAX_PATH];
  // Only an 8.3 alias (made with a '~') has a long form of another spelling.
  return Listed(folder) || (FindPathChar(folder, '~') && LongPathOf(folder, longForm, sizeof longForm) &&
                            Listed(longForm));
}

// As WinExec did: the program found as the command line's first word, shown
// normally; the result is not looked at.
void PortStartProgram(const char* commandLine) {
  WidePathOf wide(commandLine);
  if (!wide.ok) return;
  STARTUPINFOW start = {};
  start.cb = sizeof start;
  start.dwFlags = STARTF_USESHOWWINDOW;
  start.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process = {};
  if (CreateProcessW(nullptr, &wide.text[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &start,
                     &process)) {
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
}

bool PortUninstallBaseOpen() {
  return RegOpenKeyExW(HKEY_LOCAL_MACHINE, UninstallBase, 0,
                       KEY_READ | KEY_SET_VALUE | KEY_CREATE_SUB_KEY, &baseKey) == ERROR_SUCCESS;
}

void PortUninstallBaseClose() {
  if (baseKey) RegCloseKey(baseKey);
  baseKey = nullptr;
}

KeyOutcome PortUninstallKeyCreate(const char* subKey) {
  DWORD disposition = 0;
  wchar_t emptyClass[] = L"";
  WidePathOf wide(subKey);
  if (!wide.ok || RegCreateKeyExW(baseKey, wide.c_str(), 0, emptyClass, REG_OPTION_NON_VOLATILE,
                                  KEY_ALL_ACCESS, nullptr, &openKey, &disposition) != ERROR_SUCCESS) {
    openKey = nullptr;
    return KeyFailed;
  }
  return disposition == REG_CREATED_NEW_KEY ? KeyCreated : KeyOpened;
}

void PortUninstallKeyClose() {
  if (openKey) RegCloseKey(openKey);
  openKey = nullptr;
}

bool PortUninstallKeyDelete(const char* subKey) {
  WidePathOf wide(subKey);
  return wide.ok && RegDeleteKeyW(baseKey, wide.c_str()) == ERROR_SUCCESS;
}

void PortUninstallSetString(const char* name, const char* value) {
  // Stored with its NUL, as the list of programs reads it.
  const std::wstring text = WideText(value);
  RegSetValueExW(openKey, WideText(name).c_str(), 0, REG_SZ,
                 reinterpret_cast<const BYTE*>(text.c_str()),
                 static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

void PortUninstallSetRecord(const char* bytes, int32_t count) {
  RegSetValueExW(openKey, L"InstallRecord", 0, REG_BINARY, reinterpret_cast<const BYTE*>(bytes),
                 static_cast<DWORD>(count));
}

void PortUninstallSetNumber(const char* name, uint32_t value) {
  DWORD number = value;
  RegSetValueExW(openKey, WideText(name).c_str(), 0, REG_DWORD,
                 reinterpret_cast<const BYTE*>(&number), sizeof number);
}
