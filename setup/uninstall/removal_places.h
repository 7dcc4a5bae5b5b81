#pragma once
#include <cstdint>

// Where the uninstaller may delete. The log lies in the install folder,
// which ordinary users can write, while the uninstaller runs elevated: a
// record is obeyed only inside the places the installer itself writes to,
// and the climb over emptied folders stops below every folder the system
// or the user keeps.

constexpr int32_t PlaceSize = 260;
constexpr int32_t KeptFolderLimit = 32;

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
  // the start menu, Program Files... (as the system names them; empty
  // entries are skipped).
  char keptFolders[KeptFolderLimit][PlaceSize] = {};
  int32_t keptCount = 0;
};

// Adds a folder to keptFolders; 0 when it is empty or there is no room.
int32_t AddKeptFolder(RemovalPlaces& places, const char* folder);

// A name ending in ".lnk" (ASCII case ignored): a shortcut file.
bool IsShortcutFile(const char* path);

// What a record may be, by where it lies.
enum ItemPlace : int32_t {
  PlaceRefused = 0,    // outside every place, or not a plain path
  PlaceInstall = 1,    // the install folder or below: files and folders
  PlaceSystem = 2,     // below the Windows or system folder: files only
  PlaceShortcuts = 3,  // below start-up, desktop or Send To: '.lnk' files only
  PlaceGroup = 4,      // below the programs folder: '.lnk' files and folders
};
ItemPlace PlaceOfItem(const RemovalPlaces& places, const char* path);

// A drive root, or a folder at or above the Windows, system, shortcut or
// kept folders: the removal and the climb never take it.
int32_t IsKeptFolder(const RemovalPlaces& places, const char* folder);

// Whether some folder on the way to path, or path itself, is a junction or
// link. Checked from the first component below the drive.
int32_t PassesThroughLink(const char* path);

// The whole-log check before anything is deleted: record 2 names the log
// that was opened (openedLog, as the system spells it in full) and record 1
// is its folder, both whole lines, record 2 a plain path that passes
// through no link. Windows compares paths without case, so do we.
int32_t LogNamesItself(const char* text, const char* openedLog);

// The uninstaller may schedule its own file for deletion only: the record
// names the running program, which lies directly in the Windows folder or
// in the install folder (the two places the installer puts it).
int32_t UninstallerMayGo(const RemovalPlaces& places, const char* recorded, const char* runningProgram);
