// The folders the uninstaller may delete in, and those it never removes,
// as the system names them for the user running it.
#include <windows.h>
#include <shlobj.h>

#include <cstdlib>
#include <cstring>

#include "setup/install/path_chars.h"
#include "setup/uninstall/removal_places.h"
#include "setup/uninstall/win32/uninstall_win32.h"

namespace {

// The shell folders the installer makes shortcuts in, by ShortcutFolder.
constexpr int ShortcutCsidls[ShortcutFolderCount] = {CSIDL_STARTUP, CSIDL_DESKTOPDIRECTORY,
                                                     CSIDL_SENDTO, CSIDL_PROGRAMS};

// Folders the user or the system keeps, emptied or not.
constexpr int KeptCsidls[] = {
    CSIDL_PROFILE,          CSIDL_PERSONAL,         CSIDL_STARTMENU,
    CSIDL_APPDATA,          CSIDL_LOCAL_APPDATA,    CSIDL_COMMON_APPDATA,
    CSIDL_PROGRAM_FILES,    CSIDL_PROGRAM_FILESX86, CSIDL_PROGRAM_FILES_COMMON,
    CSIDL_COMMON_STARTMENU, CSIDL_COMMON_PROGRAMS,  CSIDL_COMMON_STARTUP,
    CSIDL_COMMON_DESKTOPDIRECTORY, CSIDL_COMMON_DOCUMENTS, CSIDL_MYMUSIC,
    CSIDL_MYPICTURES,       CSIDL_MYVIDEO,          CSIDL_FAVORITES,
    CSIDL_FONTS,            CSIDL_TEMPLATES,        CSIDL_COMMON_TEMPLATES,
    CSIDL_RECENT,           CSIDL_NETHOOD,          CSIDL_PRINTHOOD,
    CSIDL_INTERNET_CACHE,   CSIDL_COOKIES,          CSIDL_HISTORY,
};

// Held without a trailing separator, like the installer's folders.
bool ShellFolder(int csidl, char* path) {
  path[0] = '\0';
  if (FAILED(SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path))) {
    path[0] = '\0';
    return false;
  }
  const size_t n = std::strlen(path);
  if (n > 3 && EndsWithPathChar(path, '\\')) path[n - 1] = '\0';
  return path[0] != '\0';
}

// A 32-bit uninstaller on 64-bit Windows is told the x86 Program Files;
// the other one is only in the environment.
void AddKeptFromEnvironment(RemovalPlaces& places, const char* name) {
  char value[MAX_PATH];
  const DWORD n = GetEnvironmentVariableA(name, value, sizeof value);
  if (n > 0 && n < sizeof value) AddKeptFolder(places, value);
}

}  // namespace

void FindRemovalPlaces(RemovalPlaces& places) {
  places = RemovalPlaces();
  GetWindowsDirectoryA(places.windowsFolder, PlaceSize);
  GetSystemDirectoryA(places.systemFolder, PlaceSize);
  for (int k = 0; k < ShortcutFolderCount; ++k) ShellFolder(ShortcutCsidls[k], places.shortcutFolders[k]);
  char path[MAX_PATH];
  for (int csidl : KeptCsidls)
    if (ShellFolder(csidl, path)) AddKeptFolder(places, path);
  AddKeptFromEnvironment(places, "ProgramW6432");
  AddKeptFromEnvironment(places, "ProgramFiles(x86)");
  AddKeptFromEnvironment(places, "USERPROFILE");
}

void RunningProgramPath(char* buffer, DWORD size) {
  char own[MAX_PATH] = "";
  const DWORD n = GetModuleFileNameA(nullptr, own, sizeof own);
  buffer[0] = '\0';
  if (n == 0 || n >= sizeof own) return;
  const DWORD m = GetLongPathNameA(own, buffer, size);
  if (m == 0 || m >= size) lstrcpynA(buffer, own, static_cast<int>(size));
}
