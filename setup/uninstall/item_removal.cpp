#include "setup/uninstall/item_removal.h"

#include <cstring>

#include "setup/uninstall/path_rules.h"
#include "setup/uninstall/removal_places.h"
#include "setup/uninstall/uninstall_port.h"

RemovalResult RemoveLoggedItem(const char* path, const RemovalPlaces& places) {
  RemovalResult r;
  // An installation into a drive root or a kept folder: that folder, its
  // record 1, is the user's and stays, as an emptied kept folder would.
  if (places.installFolderKept && SamePath(path, places.installFolder)) return r;
  const ItemPlace place = PlaceOfItem(places, path);
  if (place == PlaceRefused || ItemPassesThroughLink(places, path)) {
    r.refused = 1;
    return r;
  }
  const bool files = place != PlaceGroup || IsShortcutFile(path);
  const bool folders = place == PlaceInstall || place == PlaceGroup;
  if (files && FsDeleteFile(path)) {
    r.fileDeleted = 1;
    return r;
  }
  if (!folders || IsKeptFolder(places, path) || !FsIsFolder(path) || !FsRemoveFolder(path)) return r;
  r.foldersRemoved = 1;
  char folder[260], parent[260];
  std::strcpy(folder, path);
  while (ParentFolder(folder, parent, sizeof parent) && !IsKeptFolder(places, parent) &&
         FsRemoveFolder(parent)) {
    ++r.foldersRemoved;
    std::strcpy(folder, parent);
  }
  return r;
}
