// setup-check's report: what the installer will do with a setup.ini, and
// the warnings for its author.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

struct Report {
  std::string out;                    // the report, line by line
  std::vector<std::string> warnings;  // one line each
  const char* medium = nullptr;       // --medium folder, or nullptr
};

// printf-style helpers that append one line.
void Say(Report& r, const char* format, ...) __attribute__((format(printf, 2, 3)));
void Warn(Report& r, const char* format, ...) __attribute__((format(printf, 2, 3)));

// The parts of the report, in their order.
void ReportKeys(const char* text, Report& r);
void ReportLists(const char* text, Report& r);
void LintLines(const char* text, size_t size, Report& r);
// Entries whose names leave the folder their list puts them in.
void WarnFolderEscapes(const char* text, Report& r);

// The whole report of a loaded file; returns the number of warnings.
int CheckSetupIni(const char* text, size_t size, const char* medium, Report& r);

// Whether relative (backslashes, as setup.ini writes it) exists under the
// medium folder, letter case ignored as Windows would. *isFolder tells what
// it is.
bool MediumHas(const char* medium, const std::string& relative, bool* isFolder);
