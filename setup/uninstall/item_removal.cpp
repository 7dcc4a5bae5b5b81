#include "setup/uninstall/item_removal.h"

#include <cstring>

#include "setup/uninstall/path_rules.h"
#include "setup/uninstall/uninstall_port.h"

RemovalResult RemoveLoggedItem(const char* path, const char* windowsFolder,
                               const char* systemFolder) {
  RemovalResult r;
  if (!ItemIsRemovable(path, windowsFolder, systemFolder)) {
    r.refused = 1;
    return r;
  }
  if (FsDeleteFile(path)) {
    r.fileDeleted = 1;
    return r;
  }
  if (!FsIsFolder(path) || !FsRemoveFolder(path)) return r;
  r.foldersRemoved = 1;
  char folder[260], parent[260];
  std::strcpy(folder, path);
  while (ParentFolder(folder, parent, sizeof parent) &&
         ItemIsRemovable(parent, windowsFolder, systemFolder) && FsRemoveFolder(parent)) {
    ++r.foldersRemoved;
    std::strcpy(folder, parent);
  }
  return r;
}
