#include "setup/install/path_links.h"

#include <cstring>

#include "setup/install/path_chars.h"

int32_t PassesThroughLink(const char* path, LinkTest isLink, SystemFolderTest isSystemFolder,
                          const void* context) {
  const size_t n = std::strlen(path);
  if (n < 2 || n >= 260 || path[1] != ':' || (n > 2 && path[2] != '\\')) return 1;
  if (n <= 3) return 0;  // the drive's root, 'C:' as the installer holds it
  char prefix[260];
  int32_t linked = 0;
  for (const char* p = path + 3;; p = NextPathChar(p)) {
    if (*p && *p != '\\') continue;
    std::memcpy(prefix, path, static_cast<size_t>(p - path));
    prefix[p - path] = '\0';
    // A link above a system folder is the system's business.
    if (isSystemFolder(prefix, context))
      linked = 0;
    else if (isLink(prefix))
      linked = 1;
    if (!*p) return linked;
  }
}
