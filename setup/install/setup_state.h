// The installer's state, shared by the install dialog, the copy phase and the
// finishing steps. Paths are Shift-JIS strings of at most 259 bytes; a folder
// that is a drive root is held as 'C:' without its backslash, so that
// appending '\' and a name always gives a valid path.
#pragma once

#include <cstddef>

// Room for any path the installer holds (259 bytes and the NUL).
constexpr size_t SetupPathSize = 260;

// The private message of the installer's windows: posted to the main window
// with (0, 0) it opens the copy dialog; the copy dialog uses the same number
// for its own steps.
constexpr unsigned WM_SETUP_STEP = 0x0400 + 100;  // WM_USER + 100 = 1124

// The folder holding setup.ini and everything to install (the current
// directory at start-up).
extern char SourceFolder[SetupPathSize];
// The Windows folder and its system folder, as the system reports them.
extern char WindowsFolder[SetupPathSize];
extern char SystemFolder[SetupPathSize];
// Before the install dialog: the root of the Windows drive in full form
// ('C:\'); the dialog appends CopyDir; after the folder check passes: the
// folder the user accepted (or SourceFolder in place).
extern char InstallFolder[SetupPathSize];
// WindowsFolder + '\' + UninstallProgramName; the copy phase may replace it
// with SourceFolder\setup.exe in place.
extern char UninstallerPath[SetupPathSize];

// On when the Install list has no entry: the program already lies in
// SourceFolder, which becomes InstallFolder, and setup.exe there serves as
// the uninstaller without being copied.
extern bool InPlaceInstall;

// The four shortcut options: off at start, set from the ticked check boxes
// when the installation starts, never turned off again.
extern bool RegisterStartMenu;
extern bool RegisterStartUp;
extern bool RegisterDesktop;
extern bool RegisterSendTo;

// On when UseUninstaller starts with 1 AND every key the uninstaller needs
// (UninstallProgramName, RegName, ShowName, ShowUninstallProgramName) is
// present and RegName is a safe key name. The copy phase takes this instead
// of reading UseUninstaller itself: with a key missing the installer has
// already said so once and installs without log, uninstaller and registry.
extern bool UninstallerEnabled;
