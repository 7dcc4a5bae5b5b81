// The copy engine's files, log, shell folders, programs and registry on
// Windows, one call each.
#include <windows.h>
#include <shlobj.h>

#include <cstring>

#include "setup/install/install_port.h"
#include "setup/install/path_chars.h"
#include "setup/install/win32/setup_windows.h"

namespace {

HANDLE logFile = INVALID_HANDLE_VALUE;
HKEY baseKey = nullptr;
HKEY openKey = nullptr;

constexpr const char* UninstallBase = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";

}  // namespace

uint32_t PortEntryAttributes(const char* path) { return GetFileAttributesA(path); }

bool PortMakeFolder(const char* path) { return CreateDirectoryA(path, nullptr) != 0; }

bool PortCopyFile(const char* source, const char* dest, bool failIfExists) {
  return CopyFileA(source, dest, failIfExists ? TRUE : FALSE) != 0;
}

bool PortLastWriteTime(const char* path, uint64_t* time) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data)) return false;
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
  return SetCurrentDirectoryA(folder) != 0;
}

bool PortLogCreate(const char* name) {
  logFile = CreateFileA(name, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
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
  LPITEMIDLIST list = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(MainWindow, csidl, &list)) || !list) return false;
  bool ok = SHGetPathFromIDListA(list, path) != 0;
  CoTaskMemFree(list);
  // Folders are held without a trailing backslash, so joining adds one.
  size_t n = ok ? std::strlen(path) : 0;
  if (n > 0 && EndsWithPathChar(path, '\\')) path[n - 1] = '\0';
  return ok && path[0];
}

void PortStartProgram(const char* commandLine) { WinExec(commandLine, SW_SHOWNORMAL); }

bool PortUninstallBaseOpen() {
  return RegOpenKeyExA(HKEY_LOCAL_MACHINE, UninstallBase, 0,
                       KEY_READ | KEY_SET_VALUE | KEY_CREATE_SUB_KEY, &baseKey) == ERROR_SUCCESS;
}

void PortUninstallBaseClose() {
  if (baseKey) RegCloseKey(baseKey);
  baseKey = nullptr;
}

KeyOutcome PortUninstallKeyCreate(const char* subKey) {
  DWORD disposition = 0;
  char emptyClass[] = "";
  if (RegCreateKeyExA(baseKey, subKey, 0, emptyClass, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                      nullptr, &openKey, &disposition) != ERROR_SUCCESS) {
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
  return RegDeleteKeyA(baseKey, subKey) == ERROR_SUCCESS;
}

void PortUninstallSetString(const char* name, const char* value) {
  // Stored with its NUL, as the list of programs reads it.
  RegSetValueExA(openKey, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                 static_cast<DWORD>(std::strlen(value) + 1));
}

void PortUninstallSetNumber(const char* name, uint32_t value) {
  DWORD number = value;
  RegSetValueExA(openKey, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
}
