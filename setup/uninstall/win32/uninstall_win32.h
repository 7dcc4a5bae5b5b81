#pragma once
#include <windows.h>

// The Windows side of the uninstaller.

// Removes HKLM\...\Uninstall\<keyName>; nothing for a name that would not
// address an entry of its own. Nothing is reported.
void DeleteUninstallEntry(const char* keyName);

// Dialog 105.
INT_PTR CALLBACK UninstallDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The log text the dialog works on; owned by the uninstall entry.
extern const char* UninstallLogText;
