#include <cstring>

#include "setup/uninstall/item_removal.h"
#include "setup/uninstall/path_rules.h"
#include "setup/uninstall/uninstall_port.h"

RebootDeletion ScheduleDeleteAtReboot(const char* path) {
  if (SysDeleteAtReboot(path)) return RebootDeletionBySystem;
  char windows[260], ini[260], shortPath[260];
  if (!SysWindowsFolder(windows, sizeof windows) || !WininitPath(windows, ini, sizeof ini))
    return RebootDeletionNone;
  if (!ToShortPath(path, shortPath, sizeof shortPath)) return RebootDeletionNone;
  // The section is rewritten whole so that the pending deletions of other
  // programs (several NUL= lines) survive; a profile write by key would
  // replace them with ours.
  static char lines[32768], updated[32768];
  const int32_t length = SysReadProfileSection(ini, "Rename", lines, sizeof lines);
  if (length < 0 || length >= static_cast<int32_t>(sizeof lines) - 2) return RebootDeletionNone;
  if (AppendProfileLine(lines, length, "NUL", shortPath, updated, sizeof updated) < 0)
    return RebootDeletionNone;
  return SysWriteProfileSection(ini, "Rename", updated) ? RebootDeletionByWininit : RebootDeletionNone;
}
