#pragma once
#include <cstdint>

// Where the uninstaller may delete. The log lies in the install folder,
// which ordinary users can write, while the uninstaller runs elevated. So
// a record is obeyed only when the install record - the copy of the log the
// installer kept where only administrators write (the Uninstall key) -
// names it too, and only inside the places the installer itself writes to,
// each with what the installer puts there; the climb over emptied folders
// stops below every folder the system or the user keeps. A log without an
// install record (an older installer's) is obeyed inside its install
// folder only.

constexpr int32_t PlaceSize = 260;
// Every known folder of a profile and of the machine (about 130 on Windows 10).
constexpr int32_t KeptFolderLimit = 256;

enum ShortcutFolder : int32_t {
  ShortcutStartUp = 0,
  ShortcutDesktop = 1,
  ShortcutSendTo = 2,
  ShortcutPrograms = 3,  // the start menu's programs; the group lies below it
  ShortcutFolderCount = 4,
};

struct RemovalPlaces {
  char installFolder[PlaceSize] = "";  // record 1, once the log is trusted
  char windowsFolder[PlaceSize] = "";
  char systemFolder[PlaceSize] = "";
  char shortcutFolders[ShortcutFolderCount][PlaceSize] = {};
  // Never removed, nor any folder above them: the user profile, documents,
  // downloads, the start menu, Program Files... every known folder, as the
  // system names them in their long form (empty entries are skipped).
  char keptFolders[KeptFolderLimit][PlaceSize] = {};
  int32_t keptCount = 0;
  // The install record bound to the log (NUL-terminated, the log's own
  // format), or null when there is none.
  const char* record = nullptr;
  // Set once the log is trusted: ZARVEL's own start-menu group as the
  // record names it (its first record below the programs folder), and
  // whether record 1 is a drive root or at or above a kept folder.
  char groupFolder[PlaceSize] = "";
  int32_t installFolderKept = 0;
};

// Adds a folder to keptFolders; 0 when it is empty, 260 bytes or longer, or
// there is no room.
int32_t AddKeptFolder(RemovalPlaces& places, const char* folder);

// A name ending in ".lnk" (ASCII case ignored): a shortcut file.
bool IsShortcutFile(const char* path);

// What a record may be, by the deepest of the places that holds it. With
// an install record it must be one of the record's items; without one only
// the install folder counts, and not when it is a kept folder.
enum ItemPlace : int32_t {
  PlaceRefused = 0,    // outside every place, not a plain path, or not in the record
  PlaceInstall = 1,    // the install folder or below: files and folders
  PlaceSystem = 2,     // below the Windows or system folder: files only
  PlaceShortcuts = 3,  // directly in start-up, desktop or Send To: '.lnk' files only
  PlaceGroup = 4,      // the group folder, and '.lnk' files directly in it
};
ItemPlace PlaceOfItem(const RemovalPlaces& places, const char* path);

// A drive root, or a folder at or above the Windows, system, shortcut or
// kept folders, by its spelling or its long form: the removal and the climb
// never take it.
int32_t IsKeptFolder(const RemovalPlaces& places, const char* folder);

// Whether a folder on the way to path, or path itself, is a junction or
// link, below the system's folders on the way (path_links.h).
int32_t ItemPassesThroughLink(const RemovalPlaces& places, const char* path);

// The whole-log check before anything is deleted: record 2 names the log
// that was opened (openedLog, as the system spells it in full) and record 1
// is its folder, both whole lines, record 2 a plain path that passes
// through no link. Windows compares paths without case, so do we. The same
// check binds an install record to the log.
int32_t LogNamesItself(const char* text, const char* openedLog, const RemovalPlaces& places);

// Whether the install record's items (every record but its closing three,
// as the uninstaller reads a log) hold path.
int32_t RecordNamesItem(const char* record, const char* path);

// Once the log is trusted (record 1 in places.installFolder): the group
// and whether the install folder is kept.
void SettleRemovalPlaces(RemovalPlaces& places);

// The uninstaller may schedule its own file for deletion only: the record
// names the running program, which lies directly in the Windows folder or
// in the install folder (the two places the installer puts it).
int32_t UninstallerMayGo(const RemovalPlaces& places, const char* recorded, const char* runningProgram);
