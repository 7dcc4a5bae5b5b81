#pragma once
#include <cstdint>

// What the uninstaller asks of the machine, call for call. win32/ is the real
// system; host/ is an in-memory file system and profile store for the tests.

// 1 when the file was deleted.
int32_t FsDeleteFile(const char* path);
// 1 when path names an existing folder.
int32_t FsIsFolder(const char* path);
// 1 when the folder was removed; the system removes only empty folders.
int32_t FsRemoveFolder(const char* path);
// 1 when path exists; alias receives its 8.3 alias, or is left empty when
// the name has none of its own (it is short already).
int32_t FsFindShortName(const char* path, char* alias, int32_t size);
// 1 when path exists and is a junction, symbolic link or other reparse
// point: what lies behind it is somewhere else.
int32_t FsIsLink(const char* path);
// 1 when path exists and buffer receives its long form (every 8.3 alias
// replaced by the name it stands for); 0 otherwise, buffer then empty.
int32_t FsLongPath(const char* path, char* buffer, int32_t size);

// 1 when the system will delete the file at its next start by itself.
int32_t SysDeleteAtReboot(const char* path);
// The Windows folder as the system reports it now; 0 on failure.
int32_t SysWindowsFolder(char* buffer, int32_t size);
// Reads a profile section as "key=value" lines, each NUL-terminated, the
// list ended by an empty line; returns the bytes before the final NUL.
int32_t SysReadProfileSection(const char* file, const char* section, char* buffer, int32_t size);
// Replaces a profile section by such a list; 1 on success.
int32_t SysWriteProfileSection(const char* file, const char* section, const char* lines);
