#include <windows.h>

#include <cstdlib>
#include <string>

#include "common/win32/cp932_text.h"
#include "setup/uninstall/path_rules.h"
#include "setup/uninstall/removal_places.h"
#include "setup/uninstall/win32/uninstall_win32.h"

namespace {

// The entry's UninstallString in code page 932; false when there is none
// or 932 cannot hold it (then it is no command the installer wrote).
bool ReadCommand(HKEY entry, std::string* command) {
  wchar_t wide[600] = L"";
  DWORD type = 0, size = sizeof wide - sizeof(wchar_t);
  return RegQueryValueExW(entry, L"UninstallString", nullptr, &type,
                          reinterpret_cast<BYTE*>(wide), &size) == ERROR_SUCCESS &&
         (type == REG_SZ || type == REG_EXPAND_SZ) && Cp932Text(wide, command);
}

const wchar_t UninstallKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
const wchar_t RecordValue[] = L"InstallRecord";
// No installation's record comes near this; a larger value is no record of ours.
constexpr DWORD RecordLimit = 64u << 20;

// The Uninstall entry whose install record the uninstaller follows.
wchar_t RecordKey[256] = L"";

// The entry's UninstallString runs the uninstaller with logPath.
bool RunsLog(HKEY entry, const char* logPath) {
  std::string command;
  return ReadCommand(entry, &command) && CommandRemovesLog(command.c_str(), logPath);
}

// The entry's install record, NUL-terminated, when it names the opened
// log (as the log itself must, removal_places.h); null otherwise.
char* ReadRecord(HKEY uninstall, const wchar_t* name, const RemovalPlaces& places,
                 const char* logPath, const char* logLongPath) {
  HKEY entry = nullptr;
  if (RegOpenKeyExW(uninstall, name, 0, KEY_QUERY_VALUE, &entry) != ERROR_SUCCESS) return nullptr;
  DWORD type = 0, size = 0;
  char* record = nullptr;
  if (RegQueryValueExW(entry, RecordValue, nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
      type == REG_BINARY && size < RecordLimit && (record = static_cast<char*>(std::malloc(size + 1)))) {
    if (RegQueryValueExW(entry, RecordValue, nullptr, &type, reinterpret_cast<BYTE*>(record),
                         &size) == ERROR_SUCCESS)
      record[size] = '\0';
    else
      record[0] = '\0';
  }
  RegCloseKey(entry);
  if (record && ((logPath[0] && LogNamesItself(record, logPath, places)) ||
                 (logLongPath[0] && LogNamesItself(record, logLongPath, places))))
    return record;
  std::free(record);
  return nullptr;
}

}  // namespace

char* FindInstallRecord(const char* keyName, const RemovalPlaces& places, const char* logPath,
                        const char* logLongPath) {
  RecordKey[0] = L'\0';
  HKEY uninstall = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, UninstallKey, 0, KEY_READ, &uninstall) != ERROR_SUCCESS)
    return nullptr;
  // The entry the log names first; a log cut short names none, so any
  // entry whose record names this log (the first found) will do.
  wchar_t name[256];
  char unused[300];
  char* record = nullptr;
  std::wstring named;
  if (UninstallKeyPath(keyName, unused, sizeof unused) && WidePath(keyName, &named) &&
      named.size() < 256)
    record = ReadRecord(uninstall, named.c_str(), places, logPath, logLongPath);
  if (record) lstrcpynW(name, named.c_str(), 256);
  for (DWORD k = 0; !record; ++k) {
    DWORD length = 256;
    const LONG status = RegEnumKeyExW(uninstall, k, name, &length, nullptr, nullptr, nullptr, nullptr);
    if (status == ERROR_NO_MORE_ITEMS) break;
    if (status == ERROR_SUCCESS) record = ReadRecord(uninstall, name, places, logPath, logLongPath);
  }
  if (record) lstrcpynW(RecordKey, name, 256);
  RegCloseKey(uninstall);
  return record;
}

void DeleteInstallRecord(const char* logPath) {
  HKEY uninstall = nullptr;
  if (!RecordKey[0] ||
      RegOpenKeyExW(HKEY_LOCAL_MACHINE, UninstallKey, 0, KEY_ALL_ACCESS, &uninstall) != ERROR_SUCCESS)
    return;
  HKEY entry = nullptr;
  if (RegOpenKeyExW(uninstall, RecordKey, 0, KEY_ALL_ACCESS, &entry) == ERROR_SUCCESS) {
    // The record goes with its entry; an entry that runs another log (an
    // earlier installation's, kept by a cancelled one) loses the record only.
    const bool runsOther = RegQueryValueExW(entry, L"UninstallString", nullptr, nullptr, nullptr,
                                            nullptr) == ERROR_SUCCESS &&
                           !RunsLog(entry, logPath);
    if (runsOther) RegDeleteValueW(entry, RecordValue);
    RegCloseKey(entry);
    if (!runsOther) RegDeleteKeyW(uninstall, RecordKey);
  }
  RegCloseKey(uninstall);
}

void DeleteUninstallEntry(const char* keyName, const char* logPath) {
  // An empty name would make the sub-key "Uninstall\" - the system's list
  // of every installed program.
  char subKey[300];
  std::wstring wideKey;
  if (!UninstallKeyPath(keyName, subKey, sizeof subKey) || !WidePath(subKey, &wideKey)) return;
  HKEY base = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion", 0,
                    KEY_READ | KEY_SET_VALUE | KEY_CREATE_SUB_KEY, &base) != ERROR_SUCCESS)
    return;
  // Opened, not created: a record that is no key name of ours (a log cut
  // short) must not leave new keys behind.
  HKEY entry = nullptr;
  if (RegOpenKeyExW(base, wideKey.c_str(), 0, KEY_ALL_ACCESS, &entry) == ERROR_SUCCESS) {
    // Only the entry that uninstalls with this very log is ours.
    const bool ours = RunsLog(entry, logPath);
    RegCloseKey(entry);
    if (ours) RegDeleteKeyW(base, wideKey.c_str());
  }
  RegCloseKey(base);
}
