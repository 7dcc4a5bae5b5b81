// The uninstaller's port on the real system. Paths come in Shift-JIS and go
// to the W functions; one that is no Shift-JIS names nothing to delete.
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "common/win32/cp932_text.h"
#include "setup/install/path_chars.h"
#include "setup/install/win32/system_folders.h"
#include "setup/uninstall/uninstall_port.h"

namespace {

DWORD Attributes(const char* path) {
  WidePathOf wide(path);
  return wide.ok ? GetFileAttributesW(wide.c_str()) : INVALID_FILE_ATTRIBUTES;
}

// Offset of the last component of a path (after its last real separator).
size_t LastComponent(const char* path) {
  const char* last = FindLastPathChar(path, '\\');
  return last ? static_cast<size_t>(last - path) + 1 : 0;
}

bool HasAttribute(const char* path, DWORD flag) {
  const DWORD attributes = Attributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & flag);
}

}  // namespace

int32_t FsDeleteFile(const char* path) {
  WidePathOf wide(path);
  return wide.ok && DeleteFileW(wide.c_str()) ? 1 : 0;
}

int32_t FsIsFolder(const char* path) { return HasAttribute(path, FILE_ATTRIBUTE_DIRECTORY) ? 1 : 0; }

int32_t FsRemoveFolder(const char* path) {
  WidePathOf wide(path);
  return wide.ok && RemoveDirectoryW(wide.c_str()) ? 1 : 0;
}

int32_t FsIsLink(const char* path) { return HasAttribute(path, FILE_ATTRIBUTE_REPARSE_POINT) ? 1 : 0; }

int32_t FsLongPath(const char* path, char* buffer, int32_t size) { return LongPathOf(path, buffer, size); }

int32_t FsFindShortName(const char* path, char* alias, int32_t size) {
  // The path is the long one up to this component, so the system's short
  // form of it ends with this component's alias.
  WidePathOf wide(path);
  wchar_t shortWide[MAX_PATH * 2];
  if (!wide.ok) return 0;
  const DWORD n = GetShortPathNameW(wide.c_str(), shortWide, MAX_PATH * 2);
  if (n == 0 || n >= MAX_PATH * 2) return 0;
  std::string shortPath;
  if (!Cp932Text(shortWide, &shortPath)) return 0;
  const char* mine = path + LastComponent(path);
  const char* theirs = shortPath.c_str() + LastComponent(shortPath.c_str());
  if (size > 0) alias[0] = '\0';
  if (std::strcmp(mine, theirs) != 0 && static_cast<int32_t>(std::strlen(theirs)) < size)
    std::strcpy(alias, theirs);
  return 1;
}

int32_t SysDeleteAtReboot(const char* path) {
  // For the tests: behave like a system that has no delayed deletion, so
  // the WININIT.INI way can be seen to work.
  const char* forced = std::getenv("ZARVEL_UNINSTALL_NO_DELAYED_DELETE");
  if (forced && forced[0] == '1') return 0;
  WidePathOf wide(path);
  return wide.ok && MoveFileExW(wide.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT) ? 1 : 0;
}

int32_t SysWindowsFolder(char* buffer, int32_t size) {
  wchar_t wide[MAX_PATH];
  const UINT n = GetWindowsDirectoryW(wide, MAX_PATH);
  return n > 0 && n < MAX_PATH && Cp932Into(wide, buffer, static_cast<size_t>(size)) ? 1 : 0;
}

// The profile functions keep the file in the system's own code page, as the
// system that reads WININIT.INI at its start expects; the section comes and
// goes here in 932, and one with a line 932 cannot hold (another program's,
// in another language) is left alone.
int32_t SysReadProfileSection(const char* file, const char* section, char* buffer, int32_t size) {
  WidePathOf wideFile(file);
  if (!wideFile.ok || size < 2) return -1;
  std::wstring lines(static_cast<size_t>(size), L'\0');
  const DWORD n = GetPrivateProfileSectionW(WideText(section).c_str(), &lines[0],
                                            static_cast<DWORD>(size), wideFile.c_str());
  std::string text;
  if (!Cp932Bytes(lines.c_str(), n, &text) || text.size() + 2 > static_cast<size_t>(size)) return -1;
  std::memcpy(buffer, text.data(), text.size());
  buffer[text.size()] = buffer[text.size() + 1] = '\0';
  return static_cast<int32_t>(text.size());
}

int32_t SysWriteProfileSection(const char* file, const char* section, const char* lines) {
  // The list ends at its first empty line: two NULs.
  size_t length = 0;
  while (lines[length] || lines[length + 1]) ++length;
  WidePathOf wideFile(file);
  std::wstring wideLines;
  if (!wideFile.ok || !WideBytes(lines, length + 2, &wideLines)) return 0;
  return WritePrivateProfileSectionW(WideText(section).c_str(), wideLines.c_str(),
                                     wideFile.c_str())
             ? 1
             : 0;
}
