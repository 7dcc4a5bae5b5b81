#pragma once
#include <cstdint>

#include "setup/install/install_paths.h"

// The start-menu group: the Programs folder + '\' + StartMenuGroup (or
// "Mipa-Lu"). Empty until the shortcut phase has found and made it.
extern char GroupFolder[PathBufferSize];
// The group folder exists (it was found and EnsureFolder succeeded).
extern bool GroupFolderReady;

// programs + '\' + the group name, the default name when `group` is empty.
// False (and `out` empty) when the path would be too long.
bool MakeGroupFolder(char* out, const char* programs, const char* group);

// The shortcut phase: the four rows (Start-up, desktop, Send To, start menu)
// whose option is on, in that order.
void CreateShortcuts();
// One list's entries as shortcuts in `folder`; each made one is logged.
void CreateShortcutsFromList(const char* list, const char* folder);
// The Exec entries, in list order, each started without waiting.
void RunExecEntries();
