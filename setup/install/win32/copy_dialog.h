// The copy phase: dialog 104, opened by the main window on WM_SETUP_STEP
// (0, 0) once the install dialog has ended. Ends the program by posting
// WM_CLOSE to the main window (cancel, or exit after the installation).
#pragma once

#include <windows.h>

INT_PTR RunCopyDialog(HWND owner);
