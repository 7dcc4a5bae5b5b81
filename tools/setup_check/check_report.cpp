#include "tools/setup_check/check_report.h"

#include <cstdarg>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace {

std::string Format(const char* format, va_list args) {
  char line[2048];
  std::vsnprintf(line, sizeof line, format, args);
  return line;
}

// Letter case of ASCII ignored, as on the installer's file system.
bool SameName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 32);
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 32);
    if (x != y) return false;
  }
  return true;
}

}  // namespace

void Say(Report& r, const char* format, ...) {
  va_list args;
  va_start(args, format);
  r.out += Format(format, args);
  va_end(args);
  r.out += '\n';
}

void Warn(Report& r, const char* format, ...) {
  va_list args;
  va_start(args, format);
  r.warnings.push_back(Format(format, args));
  va_end(args);
}

bool MediumHas(const char* medium, const std::string& relative, bool* isFolder) {
  namespace fs = std::filesystem;
  fs::path at = medium;
  size_t start = 0;
  std::error_code error;
  while (start <= relative.size()) {
    size_t end = relative.find_first_of("\\/", start);
    if (end == std::string::npos) end = relative.size();
    std::string part = relative.substr(start, end - start);
    start = end + 1;
    if (part.empty() || part == ".") continue;
    if (part == "..") {
      at = at.parent_path();
      continue;
    }
    fs::path found;
    for (fs::directory_iterator it(at, error), last; !error && it != last; it.increment(error))
      if (SameName(it->path().filename().string(), part)) {
        found = it->path();
        break;
      }
    if (found.empty()) return false;
    at = found;
  }
  *isFolder = fs::is_directory(at, error);
  return true;
}

int CheckSetupIni(const char* text, size_t size, const char* medium, Report& r) {
  r.medium = medium;
  ReportKeys(text, r);
  ReportLists(text, r);
  LintLines(text, size, r);
  WarnFolderEscapes(text, r);
  if (r.warnings.empty()) {
    Say(r, "no warnings");
  } else {
    Say(r, "warnings (%d):", static_cast<int>(r.warnings.size()));
    for (const std::string& w : r.warnings) Say(r, "  %s", w.c_str());
  }
  return static_cast<int>(r.warnings.size());
}
