// The finishing sequence after the last list: shortcuts, the uninstaller's
// records, registry entry and shortcut, the programs to start. One step per
// timer tick, like the files, so cancel stays live - except that the
// Uninstall key and the log's closing records are one step: a cancel
// between them would leave a registered program whose log reads as cut
// short, and its uninstall would never remove the key.
#include <cstring>

#include "setup/install/copy_engine.h"
#include "setup/install/ensure_folder.h"
#include "setup/install/ini_text.h"
#include "setup/install/install_log.h"
#include "setup/install/install_port.h"
#include "setup/install/setup_state.h"
#include "setup/install/shortcuts.h"
#include "setup/install/uninstall_entry.h"

namespace {

bool UninstallShortcutWanted() {
  return IniFlagStartsWithOne(IniText, "UninstallSetting", "SetStartMenuInUninstall") &&
         RegisterStartMenu;
}

// Step 3: the uninstall shortcut's file. None without a group folder that
// exists or without a name: such a record would name some other file.
void ReadShowName() {
  Copy.ShowName[0] = '\0';
  GetValue(IniText, "UninstallSetting", "ShowName", Copy.ShowName, sizeof Copy.ShowName, true);
  Copy.UninstallShortcut[0] = '\0';
  if (!UninstallShortcutWanted() || !GroupFolderReady || !Copy.ShowName[0]) return;
  if (JoinPath(Copy.UninstallShortcut, GroupFolder, Copy.ShowName) < 0 ||
      !AppendToPath(Copy.UninstallShortcut, ".lnk") || WritesThroughLink(Copy.UninstallShortcut))
    Copy.UninstallShortcut[0] = '\0';
}

void RecordExtraDeletes() {
  char entry[PathBufferSize];
  for (int n = 1; GetEntry(IniText, "AddUninstallDeleteFile", n, entry, sizeof entry) > 0; ++n) {
    char path[PathBufferSize];
    if (JoinPath(path, InstallFolder, entry) >= 0) WriteLogLine(path);
  }
}

// Records 7 to 9, the key and the uninstall shortcut, then the log is
// closed. No log, no key: the uninstaller could never remove it.
void RegisterUninstaller() {
  if (!LogEnabled || !InstallLogOpen()) return;
  char command[UninstallCommandSize];
  MakeUninstallCommand(command, UninstallerPath, InstallFolder);
  char regName[IniValueSize] = "";
  GetValue(IniText, "UninstallSetting", "RegName", regName, sizeof regName, true);
  RecordItems = true;
  WriteLogLine(regName);
  WriteUninstallEntry(regName, Copy.ShowName, command);
  char showUninstall[IniValueSize] = "";
  GetValue(IniText, "UninstallSetting", "ShowUninstallProgramName", showUninstall,
           sizeof showUninstall, true);
  WriteLogLine(showUninstall);
  if (Copy.UninstallShortcut[0]) {
    char arguments[UninstallCommandSize];
    MakeUninstallArguments(arguments, InstallFolder);
    CreateShortcut(UninstallerPath, Copy.UninstallShortcut, nullptr, arguments, 1);
  }
}

}  // namespace

StepResult RunFinishingStep(int32_t step) {
  switch (step) {
    case 1:
      PortHideCopyFields();
      break;
    case 2:
      CreateShortcuts();
      break;
    case 3:
      ReadShowName();
      break;
    case 4:
      // Logged before the shortcut exists, so the uninstaller removes it.
      if (LogEnabled && Copy.UninstallShortcut[0]) WriteLogLine(Copy.UninstallShortcut);
      break;
    case 5:
      RecordExtraDeletes();
      break;
    case 6:
      RegisterUninstaller();
      WriteLogLine(UninstallerPath);
      CloseInstallLog();
      break;
    case 7:
      PortSetCurrentFolder(InstallFolder);
      RunExecEntries();
      break;
    default:
      PortShowInstallComplete();
      return StepFinished;
  }
  Copy.list = FinishingList;
  Copy.entry = step + 1;
  return StepNext;
}
