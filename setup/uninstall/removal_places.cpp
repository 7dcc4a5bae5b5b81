#include "setup/uninstall/removal_places.h"

#include <cstring>

#include "setup/install/path_chars.h"
#include "setup/install/path_links.h"
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

bool DirectlyIn(const char* path, const char* folder) {
  char parent[PlaceSize];
  return folder[0] && FolderOf(path, parent) && SamePath(parent, folder);
}

// The places by the folder that holds them; the deepest holding a path
// decides, the install folder on a tie (a drive root or a shell folder is
// a valid install folder).
struct PlaceFolder {
  const char* folder;
  ItemPlace place;
};

ItemPlace DeepestPlace(const RemovalPlaces& p, const char* path, const char** folder) {
  const PlaceFolder table[] = {
      {p.installFolder, PlaceInstall},
      {p.windowsFolder, PlaceSystem},
      {p.systemFolder, PlaceSystem},
      {p.shortcutFolders[ShortcutStartUp], PlaceShortcuts},
      {p.shortcutFolders[ShortcutDesktop], PlaceShortcuts},
      {p.shortcutFolders[ShortcutSendTo], PlaceShortcuts},
      {p.shortcutFolders[ShortcutPrograms], PlaceGroup},
  };
  ItemPlace best = PlaceRefused;
  int32_t depth = -1;
  for (const PlaceFolder& f : table) {
    const bool holds = f.place == PlaceInstall ? AtOrInside(path, f.folder)
                                               : f.folder[0] && IsInsideFolder(path, f.folder);
    if (holds && TrimmedPathLength(f.folder) > depth) {
      best = f.place;
      depth = TrimmedPathLength(f.folder);
      *folder = f.folder;
    }
  }
  return best;
}

// What each place takes: shortcuts only directly in their folder, and in
// the programs folder only ZARVEL's own group and the shortcuts directly
// in it.
bool PlaceTakes(const RemovalPlaces& p, ItemPlace place, const char* folder, const char* path) {
  switch (place) {
    case PlaceShortcuts:
      return IsShortcutFile(path) && DirectlyIn(path, folder);
    case PlaceGroup:
      return p.groupFolder[0] && (SamePath(path, p.groupFolder) ||
                                  (IsShortcutFile(path) && DirectlyIn(path, p.groupFolder)));
    default:
      return place != PlaceRefused;
  }
}

bool IsFolderOfPlaces(const char* folder, const RemovalPlaces& p) {
  const char* fixed[] = {p.windowsFolder, p.systemFolder, p.shortcutFolders[0],
                         p.shortcutFolders[1], p.shortcutFolders[2], p.shortcutFolders[3]};
  for (const char* f : fixed)
    if (f[0] && SamePath(folder, f)) return true;
  for (int32_t k = 0; k < p.keptCount; ++k)
    if (SamePath(folder, p.keptFolders[k])) return true;
  return false;
}

// The long form of a path that holds an 8.3 alias. The system makes those
// with a '~', so only such a path is worth asking the disk about: every
// component costs a directory search.
bool LongFormOf(const char* path, char* longForm) {
  return FindPathChar(path, '~') && FsLongPath(path, longForm, PlaceSize);
}

// A system folder by its spelling or by its long form.
int32_t IsSystemFolder(const char* folder, const void* context) {
  const RemovalPlaces& p = *static_cast<const RemovalPlaces*>(context);
  if (IsFolderOfPlaces(folder, p)) return 1;
  char longForm[PlaceSize];
  return LongFormOf(folder, longForm) && IsFolderOfPlaces(longForm, p) ? 1 : 0;
}

bool HoldsKeptFolder(const RemovalPlaces& places, const char* folder) {
  const char* fixed[] = {places.windowsFolder, places.systemFolder,
                         places.shortcutFolders[0], places.shortcutFolders[1],
                         places.shortcutFolders[2], places.shortcutFolders[3]};
  for (const char* kept : fixed)
    if (AtOrInside(kept, folder)) return true;
  for (int32_t k = 0; k < places.keptCount; ++k)
    if (AtOrInside(places.keptFolders[k], folder)) return true;
  return false;
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
  const char* folder = "";
  const ItemPlace place = DeepestPlace(places, path, &folder);
  if (!places.record)
    return place == PlaceInstall && !places.installFolderKept ? PlaceInstall : PlaceRefused;
  if (!PlaceTakes(places, place, folder, path) || !RecordNamesItem(places.record, path))
    return PlaceRefused;
  return place;
}

int32_t IsKeptFolder(const RemovalPlaces& places, const char* folder) {
  if (IsDriveRoot(folder) || HoldsKeptFolder(places, folder)) return 1;
  char longForm[PlaceSize];
  return LongFormOf(folder, longForm) && (IsDriveRoot(longForm) || HoldsKeptFolder(places, longForm))
             ? 1
             : 0;
}

int32_t ItemPassesThroughLink(const RemovalPlaces& places, const char* path) {
  return PassesThroughLink(path, FsIsLink, IsSystemFolder, &places);
}

int32_t LogNamesItself(const char* text, const char* openedLog, const RemovalPlaces& places) {
  char first[PlaceSize], second[PlaceSize], folder[PlaceSize];
  if (GetLine(text, 1, first, sizeof first) != LineWhole ||
      GetLine(text, 2, second, sizeof second) != LineWhole)
    return 0;
  if (!IsPlainPath(second) || !SamePath(second, openedLog) || !FolderOf(second, folder)) return 0;
  if (!SamePath(first, folder)) return 0;
  return ItemPassesThroughLink(places, second) ? 0 : 1;
}

int32_t RecordNamesItem(const char* record, const char* path) {
  const UninstallPlan plan = ReadUninstallPlan(record);
  char item[PlaceSize];
  const char* cursor = record;
  for (int32_t n = 1; n <= plan.items; ++n) {
    const int32_t line = TakeLine(&cursor, item, sizeof item);
    if (!line) break;
    if (line == LineWhole && SamePath(item, path)) return 1;
  }
  return 0;
}

void SettleRemovalPlaces(RemovalPlaces& places) {
  places.installFolderKept = IsKeptFolder(places, places.installFolder);
  places.groupFolder[0] = '\0';
  if (!places.record || !places.shortcutFolders[ShortcutPrograms][0]) return;
  const UninstallPlan plan = ReadUninstallPlan(places.record);
  char item[PlaceSize];
  const char* folder = "";
  const char* cursor = places.record;
  for (int32_t n = 1; n <= plan.items; ++n) {
    // The programs folder must be the deepest place holding it: an install
    // folder there (or a drive root above it) holds no group.
    const int32_t line = TakeLine(&cursor, item, sizeof item);
    if (!line) return;
    if (line == LineWhole && DeepestPlace(places, item, &folder) == PlaceGroup) {
      std::strcpy(places.groupFolder, item);
      return;
    }
  }
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
