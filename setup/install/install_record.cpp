#include "setup/install/install_record.h"

#include <cstdlib>
#include <cstring>

#include "setup/install/ini_text.h"
#include "setup/install/install_log.h"
#include "setup/install/install_paths.h"
#include "setup/install/install_port.h"
#include "setup/install/uninstall_setting.h"

namespace {

char* bytes = nullptr;
int32_t length = 0;
int32_t capacity = 0;
bool saved = true;

bool Reserve(int32_t more) {
  if (length + more <= capacity) return true;
  int32_t grown = capacity ? capacity : 4096;
  while (grown < length + more) {
    if (grown > (1 << 28)) return false;
    grown *= 2;
  }
  char* larger = static_cast<char*>(std::realloc(bytes, static_cast<size_t>(grown)));
  if (!larger) return false;
  bytes = larger;
  capacity = grown;
  return true;
}

}  // namespace

void ResetInstallRecord() {
  std::free(bytes);
  bytes = nullptr;
  length = capacity = 0;
  saved = true;
}

void AddToInstallRecord(const char* text) {
  const int32_t n = static_cast<int32_t>(std::strlen(text));
  if (!Reserve(n + 2)) return;
  std::memcpy(bytes + length, text, static_cast<size_t>(n));
  std::memcpy(bytes + length + n, "\r\n", 2);
  length += n + 2;
  saved = false;
}

void SaveInstallRecord() {
  if (saved || !LogEnabled) return;
  char regName[IniValueSize] = "";
  GetValue(IniText, "UninstallSetting", "RegName", regName, sizeof regName, true);
  char subKey[PathBufferSize];
  if (!IsSafeRegName(regName) || JoinPath(subKey, "Uninstall", regName) < 0 ||
      !PortUninstallBaseOpen())
    return;
  // An entry of an earlier installation under the same name keeps its
  // values until the finishing step writes it anew; its record is ours now.
  const KeyOutcome outcome = PortUninstallKeyCreate(subKey);
  if (outcome != KeyFailed) {
    PortUninstallSetRecord(bytes, length);
    PortUninstallKeyClose();
    saved = true;
  }
  PortUninstallBaseClose();
}

const char* InstallRecordBytes(int32_t* count) {
  *count = length;
  return bytes ? bytes : "";
}
