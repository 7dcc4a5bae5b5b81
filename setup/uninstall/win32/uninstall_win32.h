#pragma once
#include <windows.h>

// The Windows side of the uninstaller.

// Removes HKLM\...\Uninstall\<keyName> when its UninstallString runs the
// uninstaller with logPath; nothing for a name that would not address an
// entry of its own, or an entry of another program. Nothing is reported.
void DeleteUninstallEntry(const char* keyName, const char* logPath);

struct RemovalPlaces;
// The install record the installer kept for this log: the value
// InstallRecord of the Uninstall entry keyName, or when that holds none
// for the log (a log cut short names no entry), of any entry whose record
// names the log. Heap text, NUL-terminated; null when there is none.
char* FindInstallRecord(const char* keyName, const RemovalPlaces& places, const char* logPath,
                        const char* logLongPath);
// Removes the entry that held the record found, unless it runs another
// log (then the record value alone goes).
void DeleteInstallRecord(const char* logPath);

// Dialog 105.
INT_PTR CALLBACK UninstallDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The log text the dialog works on, and the log file's full path and its
// long form; owned by the uninstall entry.
extern const char* UninstallLogText;
extern char UninstallLogPath[MAX_PATH];
extern char UninstallLogLongPath[MAX_PATH];
// The install record found for the log (FindInstallRecord), null when
// none; set by the dialog, released by the uninstall entry.
extern char* UninstallRecordText;

// The places the uninstaller may delete in, as the system names them now.
void FindRemovalPlaces(RemovalPlaces& places);
// This program's own file, in its long form.
void RunningProgramPath(char* buffer, DWORD size);
