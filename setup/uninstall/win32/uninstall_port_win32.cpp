// The uninstaller's port on the real system.
#include <windows.h>

#include <cstdlib>
#include <cstring>

#include "setup/uninstall/uninstall_port.h"

int32_t FsDeleteFile(const char* path) { return DeleteFileA(path) ? 1 : 0; }

int32_t FsIsFolder(const char* path) {
  const DWORD attributes = GetFileAttributesA(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) ? 1 : 0;
}

int32_t FsRemoveFolder(const char* path) { return RemoveDirectoryA(path) ? 1 : 0; }

int32_t FsIsLink(const char* path) {
  const DWORD attributes = GetFileAttributesA(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) ? 1 : 0;
}


namespace {

// Offset of the last component of a path (after its last real separator).
size_t LastComponent(const char* path) {
  size_t start = 0;
  for (size_t k = 0; path[k];) {
    const size_t step = IsDBCSLeadByte(static_cast<BYTE>(path[k])) && path[k + 1] ? 2 : 1;
    if (path[k] == '\\') start = k + 1;
    k += step;
  }
  return start;
}

}  // namespace

int32_t FsFindShortName(const char* path, char* alias, int32_t size) {
  // The path is the long one up to this component, so the system's short
  // form of it ends with this component's alias.
  char shortPath[MAX_PATH * 2];
  const DWORD n = GetShortPathNameA(path, shortPath, sizeof shortPath);
  if (n == 0 || n >= sizeof shortPath) return 0;
  const char* mine = path + LastComponent(path);
  const char* theirs = shortPath + LastComponent(shortPath);
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
  return MoveFileExA(path, nullptr, MOVEFILE_DELAY_UNTIL_REBOOT) ? 1 : 0;
}

int32_t SysWindowsFolder(char* buffer, int32_t size) {
  const UINT n = GetWindowsDirectoryA(buffer, static_cast<UINT>(size));
  return n > 0 && static_cast<int32_t>(n) < size ? 1 : 0;
}

int32_t SysReadProfileSection(const char* file, const char* section, char* buffer, int32_t size) {
  return static_cast<int32_t>(GetPrivateProfileSectionA(section, buffer, static_cast<DWORD>(size), file));
}

int32_t SysWriteProfileSection(const char* file, const char* section, const char* lines) {
  return WritePrivateProfileSectionA(section, lines, file) ? 1 : 0;
}
