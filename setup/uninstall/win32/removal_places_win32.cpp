// The folders the uninstaller may delete in, and those it never removes,
// as the system names them for the user running it.
#include <windows.h>
#include <shlobj.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "common/win32/cp932_text.h"
#include "setup/install/path_chars.h"
#include "setup/install/win32/system_folders.h"
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

// A folder the system names in characters code page 932 cannot hold: no
// record of the log (Shift-JIS) can lie inside it, so it is no place to
// delete in; but every folder above it that 932 can name is kept.
void KeepHeldPart(RemovalPlaces& places, const wchar_t* folder) {
  std::wstring part(folder);
  std::string held;
  for (size_t cut = part.rfind(L'\\'); cut != std::wstring::npos && cut > 2;
       cut = part.rfind(L'\\', cut - 1)) {
    part.resize(cut);
    if (Cp932Text(part.c_str(), &held)) {
      AddKeptFolder(places, held.c_str());
      return;
    }
  }
}

// Held without a trailing separator, like the installer's folders; empty
// when the system cannot say or 932 cannot hold it (see KeepHeldPart).
bool ShellFolder(RemovalPlaces& places, int csidl, char* path) {
  wchar_t wide[MAX_PATH] = L"";
  path[0] = '\0';
  if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, wide))) return false;
  if (!Cp932Into(wide, path, PlaceSize)) {
    KeepHeldPart(places, wide);
    return false;
  }
  const size_t n = std::strlen(path);
  if (n > 3 && EndsWithPathChar(path, '\\')) path[n - 1] = '\0';
  return path[0] != '\0';
}

// A 32-bit uninstaller on 64-bit Windows is told the x86 Program Files;
// the other one is only in the environment.
void AddKeptFromEnvironment(RemovalPlaces& places, const wchar_t* name) {
  wchar_t value[MAX_PATH];
  char held[PlaceSize];
  const DWORD n = GetEnvironmentVariableW(name, value, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return;
  if (Cp932Into(value, held, sizeof held))
    AddKeptFolder(places, held);
  else
    KeepHeldPart(places, value);
}

void SystemFolder(UINT(WINAPI* call)(LPWSTR, UINT), char* folder) {
  wchar_t wide[MAX_PATH] = L"";
  const UINT n = call(wide, MAX_PATH);
  if (n == 0 || n >= MAX_PATH || !Cp932Into(wide, folder, PlaceSize)) folder[0] = '\0';
}

void AddKnownFolder(const char* folder, void* places) {
  AddKeptFolder(*static_cast<RemovalPlaces*>(places), folder);
}

}  // namespace

void FindRemovalPlaces(RemovalPlaces& places) {
  places = RemovalPlaces();
  SystemFolder(GetWindowsDirectoryW, places.windowsFolder);
  SystemFolder(GetSystemDirectoryW, places.systemFolder);
  for (int k = 0; k < ShortcutFolderCount; ++k)
    ShellFolder(places, ShortcutCsidls[k], places.shortcutFolders[k]);
  char path[PlaceSize];
  for (int csidl : KeptCsidls)
    if (ShellFolder(places, csidl, path)) AddKeptFolder(places, path);
  AddKeptFromEnvironment(places, L"ProgramW6432");
  AddKeptFromEnvironment(places, L"ProgramFiles(x86)");
  AddKeptFromEnvironment(places, L"USERPROFILE");
  // Downloads, Saved Games, Links... have no CSIDL; a profile has many more.
  ForEachKnownFolder(AddKnownFolder, &places);
}

// Empty when 932 cannot hold it: then the uninstaller never deletes itself.
void RunningProgramPath(char* buffer, DWORD size) {
  wchar_t own[MAX_PATH] = L"", longForm[MAX_PATH] = L"";
  const DWORD n = GetModuleFileNameW(nullptr, own, MAX_PATH);
  buffer[0] = '\0';
  if (n == 0 || n >= MAX_PATH) return;
  const DWORD m = GetLongPathNameW(own, longForm, MAX_PATH);
  Cp932Into(m > 0 && m < MAX_PATH ? longForm : own, buffer, size);
}
