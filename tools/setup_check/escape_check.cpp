// Warnings for names that leave their folder: files copied, sub-folders made,
// shortcuts placed or files deleted by the uninstaller outside the place the
// list names. The installer keeps them (the file is the packager's), so the
// packager hears about every one.
#include <string>

#include "setup/install/ini_text.h"
#include "setup/install/list_entries.h"
#include "setup/install/path_escape.h"
#include "tools/setup_check/check_report.h"

namespace {

constexpr const char* FileLists[] = {"Install", "InstallWindows", "InstallSystem"};
constexpr const char* FileListFolders[] = {"install folder", "Windows folder", "system folder"};
constexpr const char* ShortcutLists[] = {"StartUpSet", "DeskTopSet", "SendToSet", "StarMenuSet"};

std::string Joined(const std::string& sub, const char* entry) {
  return sub.empty() ? std::string(entry) : sub + "\\" + entry;
}

void CheckFileLists(const char* text, Report& r) {
  std::string destSub;  // DustSubDir runs on through all three lists
  char entry[IniValueSize];
  for (int list = 0; list < 3; ++list) {
    for (int n = 1; GetEntry(text, FileLists[list], n, entry, sizeof entry); ++n) {
      const char* value = "";
      if (!IsDirectiveEntry(entry)) {
        std::string dest = Joined(destSub, entry);
        if (LeavesFolder(dest.c_str()))
          Warn(r, "[%s] entry %d: '%s' is copied outside the %s", FileLists[list], n, dest.c_str(),
               FileListFolders[list]);
      } else if (ParseDirective(SkipBlanks(SkipBlanks(entry) + 1), &value) == DirectiveDustSubDir) {
        destSub = value;
        if (LeavesFolder(value))
          Warn(r, "[%s] entry %d: DustSubDir '%s' makes and logs a folder outside the install "
               "folder (the uninstaller refuses to remove it)", FileLists[list], n, value);
      }
    }
  }
}

void CheckShortcutLists(const char* text, Report& r) {
  char entry[IniValueSize];
  for (const char* list : ShortcutLists) {
    for (int n = 1; GetEntry(text, list, n, entry, sizeof entry); ++n) {
      ShortcutEntry s;
      if (!SplitShortcutEntry(entry, &s)) continue;
      if (!s.name[0])
        Warn(r, "[%s] entry %d: no shortcut name: the installer makes no shortcut for it", list, n);
      if (LeavesFolder(s.name))
        Warn(r, "[%s] entry %d: shortcut name '%s' places the shortcut outside its folder", list,
             n, s.name);
      if (LeavesFolder(s.target))
        Warn(r, "[%s] entry %d: target '%s' lies outside the install folder", list, n, s.target);
    }
  }
}

void CheckDeletes(const char* text, Report& r) {
  char entry[IniValueSize];
  for (int n = 1; GetEntry(text, "AddUninstallDeleteFile", n, entry, sizeof entry); ++n)
    if (LeavesFolder(entry))
      Warn(r, "[AddUninstallDeleteFile] entry %d: '%s' lies outside the install folder; the "
           "uninstaller refuses to delete it", n, entry);
}

}  // namespace

void WarnFolderEscapes(const char* text, Report& r) {
  CheckFileLists(text, r);
  CheckShortcutLists(text, r);
  CheckDeletes(text, r);
  char group[IniValueSize] = "";
  if (GetValue(text, "init", "StartMenuGroup", group, sizeof group, true) && LeavesFolder(group))
    Warn(r, "[init] StartMenuGroup '%s' puts the group outside the start menu's Programs folder",
         group);
}
