#pragma once
#include <cstdint>

// The install log as the uninstaller reads it: the whole file in memory,
// NUL-terminated, one record a line, each record ended by CR LF.

// 1 + the number of LF bytes: a log of R records has R + 1 lines.
int32_t CountLines(const char* text);

// Line n (from 1) up to its CR, LF or NUL, at most size - 1 bytes, always
// terminated. LineWhole, or LineCut when the line did not fit: a cut path
// names some other file. 0 and the buffer untouched when n is outside
// 1..CountLines.
constexpr int32_t LineWhole = 1;
constexpr int32_t LineCut = 2;
int32_t GetLine(const char* text, int32_t n, char* buffer, int32_t size);
// The line at *cursor, as GetLine copies it, and *cursor moved to the next
// line; 0 once the text has ended. Reads a whole text in one pass.
int32_t TakeLine(const char** cursor, char* buffer, int32_t size);

// The last line that holds anything but blanks, found from the end of the
// text. 0 and the buffer untouched when every line is blank.
int32_t FindLastLine(const char* text, char* buffer, int32_t size);

// The number of that line, 0 when there is none.
int32_t LastLineNumber(const char* text);

// What the log says to do. The last three records are the registry key
// name, the name to show and the uninstaller's path; every record before
// them names a file or folder to delete.
//
// A log cut short - the installation was cancelled, so the three closing
// records were never written - ends with paths instead. No key name is a
// path ('X:\...' or '\\server\...'), so a key record that is one marks
// such a log: then every record is an item, the name shown is the install
// folder (record 1), and there is no key and no uninstaller to deal with.
// Logs of fewer than five lines are never read that way: with no item in
// the usual reading, nothing is deleted.
struct UninstallPlan {
  int32_t lines = 0;           // N: the record count + 1
  int32_t items = 0;           // T = N - 4 (N - 1 when cut short); nothing is deleted when 0 or less
  int32_t nameLine = 0;        // N - 2 (1 when cut short)
  int32_t keyLine = 0;         // T + 1 (0, none, when cut short)
  int32_t uninstallerLine = 0; // N - 1 (0, none, when cut short)
  int32_t cutShort = 0;
};

// The records end at the last non-blank line, so a log that lost its final
// line end, or gained blank lines after it (opened in an editor and saved),
// reads exactly as the installer wrote it.
UninstallPlan ReadUninstallPlan(const char* text);

// The progress bar's position after item i of T: (T - i + 1) / T x 100,
// truncated; 0 when there is nothing to delete.
int32_t ProgressPosition(int32_t items, int32_t i);
