#include "setup/uninstall/removal_places.h"

#include <cstring>

#include "setup/install/path_chars.h"
#include "setup/uninstall/path_rules.h"
#include "setup/uninstall/uninstall_log.h"
#include "setup/uninstall/uninstall_port.h"

namespace {

bool AtOrInside(const char* path, const char* folder) {
  return folder[0] && (SamePath(path, folder) || IsInsideFolder(path, folder));
}

// The folder of path (cut at its last separator, 'C:' for a file at a
// root); false when it has none or it does not fit.
bool FolderOf(const char* path, char* folder) {
  const char* cut = FindLastPathChar(path, '\\');
  if (!cut || cut - path >= PlaceSize) return false;
  std::memcpy(folder, path, static_cast<size_t>(cut - path));
  folder[cut - path] = '\0';
  return true;
}

}  // namespace

int32_t AddKeptFolder(RemovalPlaces& places, const char* folder) {
  if (!folder || !folder[0] || places.keptCount >= KeptFolderLimit) return 0;
  if (std::strlen(folder) >= static_cast<size_t>(PlaceSize)) return 0;
  std::strcpy(places.keptFolders[places.keptCount++], folder);
  return 1;
}

bool IsShortcutFile(const char* path) {
  const size_t n = std::strlen(path);
  if (n < 4) return false;
  const char* tail = path + n - 4;
  // ".lnk" is ASCII; a two-byte character cannot end just before it and
  // hide its dot, as dots are no second bytes.
  return tail[0] == '.' && (tail[1] | 0x20) == 'l' && (tail[2] | 0x20) == 'n' &&
         (tail[3] | 0x20) == 'k';
}

ItemPlace PlaceOfItem(const RemovalPlaces& places, const char* path) {
  if (!ItemIsRemovable(path, places.windowsFolder, places.systemFolder)) return PlaceRefused;
  if (AtOrInside(path, places.installFolder)) return PlaceInstall;
  if (places.shortcutFolders[ShortcutPrograms][0] &&
      IsInsideFolder(path, places.shortcutFolders[ShortcutPrograms]))
    return PlaceGroup;
  for (int32_t k = 0; k < ShortcutPrograms; ++k)
    if (places.shortcutFolders[k][0] && IsInsideFolder(path, places.shortcutFolders[k]))
      return IsShortcutFile(path) ? PlaceShortcuts : PlaceRefused;
  if ((places.windowsFolder[0] && IsInsideFolder(path, places.windowsFolder)) ||
      (places.systemFolder[0] && IsInsideFolder(path, places.systemFolder)))
    return PlaceSystem;
  return PlaceRefused;
}

int32_t IsKeptFolder(const RemovalPlaces& places, const char* folder) {
  if (IsDriveRoot(folder)) return 1;
  const char* fixed[] = {places.windowsFolder, places.systemFolder,
                         places.shortcutFolders[0], places.shortcutFolders[1],
                         places.shortcutFolders[2], places.shortcutFolders[3]};
  for (const char* kept : fixed)
    if (AtOrInside(kept, folder)) return 1;
  for (int32_t k = 0; k < places.keptCount; ++k)
    if (AtOrInside(places.keptFolders[k], folder)) return 1;
  return 0;
}

int32_t PassesThroughLink(const char* path) {
  const size_t n = std::strlen(path);
  if (n < 3 || n >= static_cast<size_t>(PlaceSize)) return 1;
  char prefix[PlaceSize];
  for (const char* p = path + 3;; p = NextPathChar(p)) {
    if (*p && *p != '\\') continue;
    std::memcpy(prefix, path, static_cast<size_t>(p - path));
    prefix[p - path] = '\0';
    if (FsIsLink(prefix)) return 1;
    if (!*p) return 0;
  }
}

int32_t LogNamesItself(const char* text, const char* openedLog) {
  char first[PlaceSize], second[PlaceSize], folder[PlaceSize];
  if (GetLine(text, 1, first, sizeof first) != LineWhole ||
      GetLine(text, 2, second, sizeof second) != LineWhole)
    return 0;
  if (!IsPlainPath(second) || !SamePath(second, openedLog) || !FolderOf(second, folder)) return 0;
  if (!SamePath(first, folder)) return 0;
  return PassesThroughLink(second) ? 0 : 1;
}

int32_t UninstallerMayGo(const RemovalPlaces& places, const char* recorded, const char* runningProgram) {
  char folder[PlaceSize];
  if (!IsPlainPath(recorded) || !SamePath(recorded, runningProgram) || !FolderOf(recorded, folder))
    return 0;
  return (places.windowsFolder[0] && SamePath(folder, places.windowsFolder)) ||
                 (places.installFolder[0] && SamePath(folder, places.installFolder))
             ? 1
             : 0;
}
