#include "setup/install/path_escape.h"

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

}  // namespace

bool LeavesFolder(const char* relative) {
  if (IsSeparator(relative[0])) return true;
  if (IsLetter(relative[0]) && relative[1] == ':') return true;
  int depth = 0;
  const char* part = relative;
  for (const char* p = relative;; ++p) {
    if (*p && !IsSeparator(*p)) continue;
    long length = p - part;
    // Windows drops trailing blanks from a component, so '.. ' climbs too.
    while (length > 0 && part[length - 1] == ' ') --length;
    if (length == 2 && part[0] == '.' && part[1] == '.') {
      if (--depth < 0) return true;
    } else if (!(length == 1 && part[0] == '.') && length > 0) {
      ++depth;
    }
    if (!*p) return false;
    part = p + 1;
  }
}
