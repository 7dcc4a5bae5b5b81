#include "setup/install/shortcuts.h"

#include <cstring>

#include "setup/install/ensure_folder.h"
#include "setup/install/ini_text.h"
#include "setup/install/install_log.h"
#include "setup/install/install_port.h"
#include "setup/install/setup_state.h"
#include "setup/install/list_entries.h"

char GroupFolder[PathBufferSize] = "";
bool GroupFolderReady = false;

namespace {

struct ShortcutRow {
  bool* option;
  int32_t csidl;
  const char* list;
  bool inGroup;  // the start menu's shortcuts go into the group folder
};
constexpr ShortcutRow ShortcutRows[] = {
    {&RegisterStartUp, CsidlStartup, "StartUpSet", false},
    {&RegisterDesktop, CsidlDesktop, "DeskTopSet", false},
    {&RegisterSendTo, CsidlSendTo, "SendToSet", false},
    {&RegisterStartMenu, CsidlPrograms, "StarMenuSet", true},
};

constexpr const char* DefaultGroupName = "Mipa-Lu";
constexpr const char* GroupFailedText = "スタートメニューのグループの登録に失敗しました";

void MakeGroup(const char* programs) {
  char group[IniValueSize] = "";
  GetValue(IniText, "init", "StartMenuGroup", group, sizeof group, true);
  GroupFolderReady = MakeGroupFolder(GroupFolder, programs, group) &&
                     !WritesThroughLink(GroupFolder) && EnsureFolder(GroupFolder);
  if (!GroupFolderReady) {
    PortShowMessage(MessageGroupFailed, GroupFailedText);
    return;
  }
  WriteLogLine(GroupFolder);
  CreateShortcutsFromList("StarMenuSet", GroupFolder);
}

}  // namespace

bool MakeGroupFolder(char* out, const char* programs, const char* group) {
  return JoinPath(out, programs, group[0] ? group : DefaultGroupName) >= 0;
}

void CreateShortcuts() {
  RecordItems = true;
  for (const ShortcutRow& row : ShortcutRows) {
    if (!*row.option) continue;
    char folder[PathBufferSize];
    // A folder the system cannot name gets no shortcuts: joining onto an
    // empty path would put them at the root of the current drive.
    if (!PortShellFolder(row.csidl, folder) || !folder[0]) continue;
    if (row.inGroup)
      MakeGroup(folder);
    else
      CreateShortcutsFromList(row.list, folder);
  }
}

void CreateShortcutsFromList(const char* list, const char* folder) {
  char entry[PathBufferSize];
  for (int n = 1; GetEntry(IniText, list, n, entry, sizeof entry) > 0; ++n) {
    ShortcutEntry shortcut;
    // No name, no shortcut: 'folder' + ".lnk" would land beside the folder.
    if (!SplitShortcutEntry(entry, &shortcut) || !shortcut.name[0]) continue;
    char file[PathBufferSize];
    char target[PathBufferSize];
    // Too long a name or target is refused like a failed shortcut.
    if (JoinPath(file, folder, shortcut.name) < 0 || !AppendToPath(file, ".lnk") ||
        WritesThroughLink(file))
      continue;
    if (JoinPath(target, InstallFolder, shortcut.target) < 0) continue;
    int32_t result = CreateShortcut(target, file, InstallFolder,
                                    shortcut.hasArguments ? shortcut.arguments : nullptr, -1);
    if (result >= 0) WriteLogLine(file);
  }
}

void RunExecEntries() {
  char entry[PathBufferSize];
  for (int n = 1; GetEntry(IniText, "Exec", n, entry, sizeof entry) > 0; ++n)
    PortStartProgram(entry);
}
