#pragma once
#include <cstdint>

#include "setup/install/list_entries.h"

// The decisions of the copy lists: which list goes where and whether a file
// is copied. Directive lines read as list_entries.h says.

constexpr int32_t CopyListCount = 3;
// In this order; their destinations are the install, Windows and system folders.
constexpr const char* CopyListSections[CopyListCount] = {"Install", "InstallWindows",
                                                         "InstallSystem"};

enum CopyAction : int32_t {
  CopyReplacing,      // copy over whatever is there
  CopyUnlessPresent,  // copy only when no destination exists (the copy fails otherwise)
  KeepDestination,    // the destination is newer: it counts as installed as it stands
};
// NewDateOverWrite keeps the destination only when both exist and the
// destination was written strictly later than the source.
CopyAction DecideCopy(CopyModeKind mode, bool destExists, uint64_t destTime, bool sourceExists,
                      uint64_t sourceTime);
// Failed copies are shown only for the Install list, and never under IfNotExit.
bool ShowsCopyFailure(int32_t list, CopyModeKind mode);
// The medium is a folder only when its attributes are the folder bit alone;
// anything else is a marker file and source paths leave the name out.
bool MediaIsFolder(uint32_t attributes);
