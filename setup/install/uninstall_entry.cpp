#include "setup/install/uninstall_entry.h"

#include <cstdio>
#include <cstring>

#include "setup/install/install_log.h"
#include "setup/install/install_port.h"
#include "setup/install/setup_state.h"
#include "setup/install/uninstall_setting.h"

namespace {

bool HoldsBlank(const char* text) { return std::strpbrk(text, " \t") != nullptr; }

void WriteValues(const char* displayName, const char* command) {
  char icon[PathBufferSize + 8];
  std::snprintf(icon, sizeof icon, "%s,1", UninstallerPath);
  // A drive root is held as 'C:'; the list of programs wants the folder itself.
  char location[PathBufferSize + 1];
  std::snprintf(location, sizeof location, "%s%s", InstallFolder,
                std::strlen(InstallFolder) == 2 && InstallFolder[1] == ':' ? "\\" : "");
  PortUninstallSetString("DisplayName", displayName);
  PortUninstallSetString("UninstallString", command);
  PortUninstallSetString("DisplayIcon", icon);
  PortUninstallSetString("InstallLocation", location);
  PortUninstallSetNumber("NoModify", 1);
  PortUninstallSetNumber("NoRepair", 1);
}

}  // namespace

void MakeUninstallCommand(char* out, const char* uninstaller, const char* installFolder) {
  const char* quote = HoldsBlank(uninstaller) ? "\"" : "";
  std::snprintf(out, UninstallCommandSize, "%s%s%s -u %s\\%s", quote, uninstaller, quote,
                installFolder, InstallLogName);
}

void MakeUninstallArguments(char* out, const char* installFolder) {
  std::snprintf(out, UninstallCommandSize, " -u %s\\%s", installFolder, InstallLogName);
}

bool WriteUninstallEntry(const char* keyName, const char* displayName, const char* command) {
  if (!IsSafeRegName(keyName)) return false;
  char subKey[PathBufferSize];
  if (JoinPath(subKey, "Uninstall", keyName) < 0) return false;
  if (!PortUninstallBaseOpen()) return false;
  KeyOutcome outcome = PortUninstallKeyCreate(subKey);
  if (outcome == KeyOpened) {
    PortUninstallKeyClose();
    PortUninstallKeyDelete(subKey);
    outcome = PortUninstallKeyCreate(subKey);
    // Could not be made afresh (a key with sub-keys of its own): leave it be.
    if (outcome != KeyCreated) {
      if (outcome == KeyOpened) PortUninstallKeyClose();
      PortUninstallBaseClose();
      return true;
    }
  }
  if (outcome == KeyFailed) {
    PortUninstallBaseClose();
    return false;
  }
  WriteValues(displayName, command);
  PortUninstallKeyClose();
  PortUninstallBaseClose();
  return true;
}
