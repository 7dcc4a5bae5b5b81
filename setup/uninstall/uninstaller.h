// The uninstaller, run by setup.exe for '-u LOGPATH'.
#pragma once

// Removes the installation recorded in the log. Returns setup.exe's exit
// code: 0 when the log was read and the dialog ran, 3 when the log could not
// be read.
int RunUninstaller(const char* logPath);
// For a log path the command line gave in characters code page 932 cannot
// hold: says so, deletes nothing, and returns 3.
int RefuseUninstallLog(const wchar_t* commandLine);
