#include "setup/install/ensure_folder.h"

#include <cstring>

#include "setup/install/install_paths.h"
#include "setup/install/install_port.h"
#include "setup/install/path_chars.h"
#include "setup/install/path_links.h"

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

namespace {

int32_t IsLinkEntry(const char* path) {
  const uint32_t attributes = PortEntryAttributes(path);
  return attributes != NoSuchEntry && (attributes & LinkAttribute) ? 1 : 0;
}

int32_t IsSystemFolderEntry(const char* folder, const void*) { return PortIsSystemFolder(folder) ? 1 : 0; }

}  // namespace

bool WritesThroughLink(const char* path) {
  // A path that names no drive is relative to the current folder, which the
  // installer chose; a folder field left empty fails where it is made.
  if (!path[0] || path[1] != ':') return false;
  return PassesThroughLink(path, IsLinkEntry, IsSystemFolderEntry, nullptr) != 0;
}
