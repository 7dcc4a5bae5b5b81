// setup.exe's command line: '-u LOGPATH' (or '-U') runs the uninstaller.
#pragma once

// The log path when the arguments (without the program name) ask for the
// uninstaller: the first '-' followed by 'u' or 'U'; the path is the text
// after that letter, leading blanks skipped (it may be empty). nullptr when
// the installer is to run ('-x', no '-', nothing).
const char* UninstallLogPath(const char* arguments);
