// Junctions and symbolic links on the way to a path. The installer and the
// uninstaller run elevated; a folder that any user may replace by a link
// would let them write or delete somewhere else. The system's own folders
// (shell and known folders, the Windows and system folders) may be links
// themselves - a Wine user's Desktop and Documents, folders redirected to
// another drive - and are taken as the system names them: the rule applies
// below them, never to them or to what lies above them.
#pragma once
#include <cstdint>

// 1 when the entry exists and is a junction, symbolic link or other
// reparse point.
using LinkTest = int32_t (*)(const char* path);
// 1 when folder is one of the system's own folders.
using SystemFolderTest = int32_t (*)(const char* folder, const void* context);

// Whether a folder on the way to path, or path itself, is a link below the
// deepest system folder on that way (from the first component below the
// drive when there is none). A path of 260 bytes or more, or not on a
// drive ('X:' or 'X:\...'), counts as passing through one: it cannot be
// checked.
int32_t PassesThroughLink(const char* path, LinkTest isLink, SystemFolderTest isSystemFolder,
                          const void* context);
