#include "setup/install/ensure_folder.h"

#include <cstring>

#include "setup/install/install_paths.h"
#include "setup/install/install_port.h"
#include "setup/install/path_chars.h"

int ParentLength(const char* path) {
  // Walked from the front, character by character; a drive colon after the
  // last separator ends the walk as the scan from the end would.
  const char* slash = FindLastPathChar(path, '\\');
  const char* colon = FindLastPathChar(path, ':');
  if (!slash || (colon && colon > slash)) return -1;
  return static_cast<int>(slash - path);
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
