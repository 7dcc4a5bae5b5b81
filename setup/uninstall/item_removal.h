#pragma once
#include <cstdint>

// Removing one logged item, and the deferred deletion of the uninstaller.

struct RemovalResult {
  int32_t refused = 0;         // the record names nothing we may delete
  int32_t fileDeleted = 0;     // it was a file and is gone
  int32_t foldersRemoved = 0;  // the folder and the emptied folders above it
};

struct RemovalPlaces;

// Deletes the item as a file; when that fails and it is a folder, removes
// the folder and then each enclosing folder, innermost first, while the
// removal works. Only what lies in one of the places (removal_places.h)
// and, with an install record, what the record names is tried, never
// through a junction or link below the system's folders, and only what
// that place allows: files in the Windows and system folders, shortcut
// files directly in the shell folders and in the group, folders only in
// the install folder and the group itself. A folder that still holds
// anything stops the climb, and a kept folder (a drive root, the profile,
// Program Files, a shell or known folder...) is never tried. What cannot be
// deleted stays where it is.
RemovalResult RemoveLoggedItem(const char* path, const RemovalPlaces& places);

// The 8.3 form of path, built component by component: the drive, then each
// component's alias as the file system reports it (or its own name when it
// has none). Stops at the first component that is not found. 1 when every
// component was found, 0 when the result stops short (or would not fit).
int32_t ToShortPath(const char* path, char* buffer, int32_t size);

// What ScheduleDeleteAtReboot did.
enum RebootDeletion : int32_t {
  RebootDeletionBySystem = 1,   // the system's own delayed deletion
  RebootDeletionByWininit = 2,  // NUL= entry in WININIT.INI's [Rename]
  RebootDeletionNone = 0,       // nothing could be arranged
};

// Arranges for the file to be deleted at the next start of Windows: by the
// system when it can, otherwise through WININIT.INI, whose processing runs
// before long names exist and therefore gets the short path. Only a short
// path that names the file itself is written: one that stopped short names
// a folder above it.
RebootDeletion ScheduleDeleteAtReboot(const char* path);
