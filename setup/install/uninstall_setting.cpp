#include "setup/install/uninstall_setting.h"

#include <cstdio>

#include "setup/install/ini_text.h"
#include "setup/install/path_chars.h"

const char* const UninstallRequiredKeys[4] = {
    "UninstallProgramName", "RegName", "ShowName", "ShowUninstallProgramName"};

bool IsSafeRegName(const char* name) {
  if (FindPathChar(name, '\\')) return false;
  for (const char* c = name; *c; ++c)
    if (*c != ' ' && *c != '\t') return true;
  return false;
}

bool UninstallerAsked(const char* text) {
  return IniFlagStartsWithOne(text, "UninstallSetting", "UseUninstaller");
}

const char* MissingUninstallKey(const char* text) {
  for (const char* key : UninstallRequiredKeys) {
    char value[IniValueSize];
    if (GetValue(text, "UninstallSetting", key, value, sizeof value, true) == 0) return key;
    if (key == UninstallRequiredKeys[1] && !IsSafeRegName(value)) return key;
  }
  return nullptr;
}

void MissingUninstallKeyMessage(const char* key, char* out, size_t outSize) {
  std::snprintf(out, outSize,
                "setup.ini の [UninstallSetting] に %s がないか、正しくありません。\n"
                "アンインストール機能なしでインストールします。",
                key);
}
