#include <windows.h>

#include "setup/uninstall/path_rules.h"
#include "setup/uninstall/win32/uninstall_win32.h"

void DeleteUninstallEntry(const char* keyName, const char* logPath) {
  // An empty name would make the sub-key "Uninstall\" - the system's list
  // of every installed program.
  char subKey[300];
  if (!UninstallKeyPath(keyName, subKey, sizeof subKey)) return;
  HKEY base = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion", 0,
                    KEY_READ | KEY_SET_VALUE | KEY_CREATE_SUB_KEY, &base) != ERROR_SUCCESS)
    return;
  // Opened, not created: a record that is no key name of ours (a log cut
  // short) must not leave new keys behind.
  HKEY entry = nullptr;
  if (RegOpenKeyExA(base, subKey, 0, KEY_ALL_ACCESS, &entry) == ERROR_SUCCESS) {
    // Only the entry that uninstalls with this very log is ours.
    char command[600] = "";
    DWORD type = 0, size = sizeof command - 1;
    const bool ours = RegQueryValueExA(entry, "UninstallString", nullptr, &type,
                                       reinterpret_cast<BYTE*>(command), &size) == ERROR_SUCCESS &&
                      (type == REG_SZ || type == REG_EXPAND_SZ) && CommandRemovesLog(command, logPath);
    RegCloseKey(entry);
    if (ours) RegDeleteKeyA(base, subKey);
  }
  RegCloseKey(base);
}
