#pragma once
#include <windows.h>

// The Windows side of the uninstaller.

// Removes HKLM\...\Uninstall\<keyName> when its UninstallString runs the
// uninstaller with logPath; nothing for a name that would not address an
// entry of its own, or an entry of another program. Nothing is reported.
void DeleteUninstallEntry(const char* keyName, const char* logPath);

// Dialog 105.
INT_PTR CALLBACK UninstallDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The log text the dialog works on, and the log file's full path and its
// long form; owned by the uninstall entry.
extern const char* UninstallLogText;
extern char UninstallLogPath[MAX_PATH];
extern char UninstallLogLongPath[MAX_PATH];

struct RemovalPlaces;
// The places the uninstaller may delete in, as the system names them now.
void FindRemovalPlaces(RemovalPlaces& places);
// This program's own file, in its long form.
void RunningProgramPath(char* buffer, DWORD size);
