#include "setup/uninstall/uninstall_log.h"

namespace {

// A file just under 4 GiB of line feeds would overflow a 32-bit count;
// no real log comes near this.
constexpr int32_t LineCountLimit = 0x7FFFFFF0;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsLineEnd(char c) { return c == '\r' || c == '\n' || c == '\0'; }

// Copies from p up to the line end into buffer (at most size - 1 bytes).
int32_t CopyLine(const char* p, char* buffer, int32_t size) {
  int32_t n = 0;
  while (!IsLineEnd(p[n]) && n < size - 1) {
    buffer[n] = p[n];
    ++n;
  }
  buffer[n] = '\0';
  return IsLineEnd(p[n]) ? LineWhole : LineCut;
}

bool LineHasText(const char* p) {
  for (; !IsLineEnd(*p); ++p)
    if (!IsBlank(*p)) return true;
  return false;
}

// 'X:\...' or '\\...': a full path, which no key name is.
bool IsPathRecord(const char* line) {
  const bool letter = (line[0] >= 'A' && line[0] <= 'Z') || (line[0] >= 'a' && line[0] <= 'z');
  return (letter && line[1] == ':' && line[2] == '\\') || (line[0] == '\\' && line[1] == '\\');
}

}  // namespace

int32_t CountLines(const char* text) {
  int32_t lines = 1;
  for (const char* p = text; *p; ++p)
    if (*p == '\n' && lines < LineCountLimit) ++lines;
  return lines;
}

int32_t GetLine(const char* text, int32_t n, char* buffer, int32_t size) {
  if (n <= 0 || size <= 0) return 0;
  const char* p = text;
  for (int32_t line = 1; line < n; ++line) {
    while (*p && *p != '\n') ++p;
    if (!*p) return 0;  // fewer than n lines
    ++p;
  }
  return CopyLine(p, buffer, size);
}

int32_t TakeLine(const char** cursor, char* buffer, int32_t size) {
  const char* p = *cursor;
  if (!p || size <= 0) return 0;
  const int32_t result = CopyLine(p, buffer, size);
  while (*p && *p != '\n') ++p;
  *cursor = *p ? p + 1 : nullptr;
  return result;
}

int32_t LastLineNumber(const char* text) {
  int32_t line = 1, last = 0;
  const char* start = text;
  for (const char* p = text;; ++p) {
    if (*p == '\n' || *p == '\0') {
      if (LineHasText(start)) last = line;
      if (!*p || line == LineCountLimit) break;
      ++line;
      start = p + 1;
    }
  }
  return last;
}

int32_t FindLastLine(const char* text, char* buffer, int32_t size) {
  const int32_t n = LastLineNumber(text);
  if (n == 0) return 0;
  return GetLine(text, n, buffer, size);
}

UninstallPlan ReadUninstallPlan(const char* text) {
  UninstallPlan plan;
  plan.lines = LastLineNumber(text) + 1;
  plan.items = plan.lines - 4;
  plan.nameLine = plan.lines - 2;
  plan.keyLine = plan.items + 1;
  plan.uninstallerLine = plan.lines - 1;
  char key[260];
  if (plan.items >= 1 && GetLine(text, plan.keyLine, key, sizeof key) && IsPathRecord(key)) {
    plan.cutShort = 1;
    plan.items = plan.lines - 1;
    plan.nameLine = 1;
    plan.keyLine = 0;
    plan.uninstallerLine = 0;
  }
  return plan;
}

int32_t ProgressPosition(int32_t items, int32_t i) {
  if (items <= 0) return 0;
  const int64_t done = static_cast<int64_t>(items) - i + 1;
  const int64_t pos = done * 100 / items;
  return pos < 0 ? 0 : pos > 100 ? 100 : static_cast<int32_t>(pos);
}
