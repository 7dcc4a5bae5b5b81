#pragma once

// InstallLog, the file "_inst_.log" in the installation folder: one record a
// line, each ended by CR LF, in the order the items were created. The
// uninstaller reads the last three records as the registry key name, the
// name to show and its own path, and every record before them as a file or
// folder to delete, last first.
constexpr const char* InstallLogName = "_inst_.log";

extern bool LogEnabled;   // UseUninstaller is on and the log could be created
extern bool RecordItems;  // switched by the UninstallDelete directive

// Creates the log in the current folder; false when that fails.
bool OpenInstallLog();
void CloseInstallLog();
bool InstallLogOpen();
// Appends one record when the log is open and both switches are on.
void WriteLogLine(const char* text);
