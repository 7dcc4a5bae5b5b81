#pragma once
#include <cstdint>

#include "setup/install/path_chars.h"  // SamePath

// Path rules of the uninstaller. Paths are Shift-JIS bytes (code page 932)
// on every system: a backslash byte that ends a two-byte character is no
// separator, so every scan walks characters from the start.

// 'C:', 'C:\', '\', '\\server' and '\\server\share': places the uninstaller
// never removes and never climbs into.
int32_t IsDriveRoot(const char* path);

// The enclosing folder of path, without trailing separator. 0 when there is
// none, or when it is a drive root: the climb stops there.
int32_t ParentFolder(const char* path, char* buffer, int32_t size);

// 'X:\' and named components, each a name of its own: no '/', no second
// ':', none of * ? " < > | or control bytes, no '.' or '..' component, none
// ending in a dot or blank (the system drops those), no empty component or
// trailing separator, no broken two-byte character. '\\?\', '\\.\' and
// '\\server\share' forms, relative paths and drive roots are not plain.
int32_t IsPlainPath(const char* path);

// path lies below folder: the folder's characters (ASCII case ignored), a
// real separator and a name. 'C:' holds every 'C:\...'.
int32_t IsInsideFolder(const char* path, const char* folder);

// Whether a log record may be deleted at all: a plain path that is neither
// the Windows folder nor the system folder. Where it lies decides the rest
// (removal_places.h).
int32_t ItemIsRemovable(const char* path, const char* windowsFolder, const char* systemFolder);

// "Uninstall\" + key name, for the registry entry. 0 when the name is empty
// or blank, or has an empty component: "Uninstall\" alone would address
// the system's whole list of installed programs.
int32_t UninstallKeyPath(const char* keyName, char* buffer, int32_t size);

// Whether an Uninstall entry's command ('"program" -u LOG' or 'program -u
// LOG', as the installer writes it) uninstalls with the log at logPath: the
// uninstaller removes only the entry that names its own log, so an edited
// key record cannot take another program's entry.
int32_t CommandRemovesLog(const char* command, const char* logPath);

// The Windows folder + "\WININIT.INI" (a root Windows folder 'C:\' gives
// 'C:\WININIT.INI'). 0 when it does not fit.
int32_t WininitPath(const char* windowsFolder, char* buffer, int32_t size);

// Adds "key=value" to a profile section read as NUL-terminated lines
// (length bytes before the final NUL), keeping every line there already:
// [Rename] may hold several NUL= lines, and each is a pending deletion of
// some program. A line already present is not doubled. Returns the new
// length, or -1 when it does not fit into size bytes.
int32_t AppendProfileLine(const char* lines, int32_t length, const char* key,
                          const char* value, char* buffer, int32_t size);
