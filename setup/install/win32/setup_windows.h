// The installer's windows: what the start-up, the backdrop, the install
// dialog and the copy phase share.
#pragma once

#include <windows.h>

// Class of the installer's main window; a second setup.exe that finds one
// running ends at once.
extern const wchar_t SetupWindowClass[];

// The program's instance and its full-screen main window: owner of the
// dialogs and message boxes; posting WM_CLOSE to it ends the program.
extern HINSTANCE SetupInstance;
extern HWND MainWindow;

// Registers the class and creates and shows the backdrop window; false when
// the class cannot be registered. title is BigTitle (kept by the backdrop).
bool CreateBackdropWindow(const char* title);

// Dialog 102, modal, owned by the main window.
INT_PTR RunInstallDialog(HWND owner);

// The shell's folder browser; on a confirmed folder, field gets the folder
// with the product's folder name appended.
void BrowseForInstallFolder(HWND dialog, int fieldId);
