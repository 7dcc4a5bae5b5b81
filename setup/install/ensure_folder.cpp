#include "setup/install/ensure_folder.h"

#include <cstring>

#include "setup/install/install_paths.h"
#include "setup/install/install_port.h"

int ParentLength(const char* path) {
  for (int i = static_cast<int>(std::strlen(path)) - 1; i >= 0; --i) {
    if (path[i] == ':') return -1;
    if (path[i] == '\\') return i;
  }
  return -1;
}

bool EnsureFolder(const char* path) {
  if (std::strlen(path) > static_cast<size_t>(MaxPathBytes)) return false;
  uint32_t attributes = PortEntryAttributes(path);
  if (attributes != NoSuchEntry) return (attributes & FolderAttribute) != 0;
  if (PortMakeFolder(path)) return true;
  int cut = ParentLength(path);
  if (cut < 0) return false;
  char parent[PathBufferSize];
  std::memcpy(parent, path, static_cast<size_t>(cut));
  parent[cut] = '\0';
  // Each level is one byte shorter at least, so the walk ends.
  return EnsureFolder(parent) && PortMakeFolder(path);
}
