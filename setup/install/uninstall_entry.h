#pragma once
#include <cstddef>

#include "setup/install/install_paths.h"

// The uninstall command: the uninstaller, " -u " and the log's path. The
// program path is quoted when it holds a blank, or Windows would start
// 'C:\Program.exe' for 'C:\Program Files\...'.
constexpr size_t UninstallCommandSize = 2 * PathBufferSize + 16;
void MakeUninstallCommand(char* out, const char* uninstaller, const char* installFolder);
// The arguments of the uninstall shortcut: " -u " and the log's path.
void MakeUninstallArguments(char* out, const char* installFolder);

// HKLM\...\Uninstall\<keyName>, written anew: an existing key is deleted
// first so that nothing of an earlier installation stays. Values:
// DisplayName, UninstallString, DisplayIcon (the uninstaller's icon 1),
// InstallLocation, NoModify = 1, NoRepair = 1. Writes nothing for a key name
// that IsSafeRegName refuses.
bool WriteUninstallEntry(const char* keyName, const char* displayName, const char* command);
