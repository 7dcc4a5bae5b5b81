#include <cstring>

#include "setup/install/path_chars.h"
#include "setup/uninstall/item_removal.h"
#include "setup/uninstall/uninstall_port.h"

namespace {

const char* NextChar(const char* p) { return NextPathChar(p); }

bool Append(char* buffer, int32_t size, int32_t& used, const char* text, int32_t n) {
  if (used + n >= size) return false;
  std::memcpy(buffer + used, text, static_cast<size_t>(n));
  used += n;
  buffer[used] = '\0';
  return true;
}

}  // namespace

int32_t ToShortPath(const char* path, char* buffer, int32_t size) {
  if (size <= 0) return 0;
  buffer[0] = '\0';
  int32_t used = 0;
  const int32_t head = path[0] ? (path[1] ? 2 : 1) : 0;
  if (!Append(buffer, size, used, path, head)) return 0;
  if (head < 2) return 0;
  if (path[0] == '*' || path[0] == '?' || path[1] == '*' || path[1] == '?') return 0;
  char partial[260], alias[260];
  const char* p = path + head;
  while (*p) {
    while (*p == '\\') p = NextChar(p);
    if (!*p) break;
    const char* start = p;
    bool wildcard = false;
    while (*p && *p != '\\') p = NextChar(p);
    // A search with '*' or '?' would report some other file's alias. Every
    // byte counts: neither is a valid second byte of a two-byte character,
    // so one found there is still taken as a pattern by the system.
    for (const char* q = start; q < p; ++q)
      if (*q == '*' || *q == '?') wildcard = true;
    if (wildcard) return 0;
    const int32_t upTo = static_cast<int32_t>(p - path);
    if (upTo >= static_cast<int32_t>(sizeof partial)) return 0;
    std::memcpy(partial, path, static_cast<size_t>(upTo));
    partial[upTo] = '\0';
    alias[0] = '\0';
    if (!FsFindShortName(partial, alias, sizeof alias)) return 0;
    alias[sizeof alias - 1] = '\0';
    const char* name = alias[0] ? alias : start;
    const int32_t n = alias[0] ? static_cast<int32_t>(std::strlen(alias)) : static_cast<int32_t>(p - start);
    if (!Append(buffer, size, used, "\\", 1) || !Append(buffer, size, used, name, n)) return 0;
  }
  return 1;
}
