#include "tools/setup_check/known_keys.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "setup/install/ini_text.h"

const KnownKey KnownKeys[] = {
    {"init", "BigTitle", KeyVerbatim, "\"Setup Program\"", false},
    {"init", "Title", KeyVerbatim, "the dialog's own caption", false},
    {"init", "msgA", KeyVerbatim, "line left empty", false},
    {"init", "msgB", KeyVerbatim, "line left empty", false},
    {"init", "msgC", KeyVerbatim, "line left empty", false},
    {"init", "msgD", KeyVerbatim, "line left empty", false},
    {"init", "msgE", KeyVerbatim, "line left empty", false},
    {"init", "msgF", KeyVerbatim, "line left empty", false},
    {"init", "msgG", KeyVerbatim, "line left empty", false},
    {"init", "Img", KeyValue, "\"setup.bmp\"", false},
    {"init", "CopyDir", KeyValue, "\"Mipa-Lu\"", false},
    {"init", "DisableDefalutInstallButton", KeyFlagContains1, "off", false},
    {"init", "DefaultRegistStartMenu", KeyFlagContains1, "off", false},
    {"init", "DefaultRegistStartUp", KeyFlagContains1, "off", false},
    {"init", "DefaultRegistDesktop", KeyFlagContains1, "off", false},
    {"init", "DefaultRegistSendTo", KeyFlagContains1, "off", false},
    {"init", "StartMenuGroup", KeyValue, "\"Mipa-Lu\"", false},
    {"UninstallSetting", "UseUninstaller", KeyFlagStarts1, "off", false},
    {"UninstallSetting", "UninstallProgramName", KeyValue, "none", true},
    {"UninstallSetting", "RegName", KeyValue, "none", true},
    {"UninstallSetting", "ShowName", KeyValue, "none", true},
    {"UninstallSetting", "ShowUninstallProgramName", KeyValue, "none", true},
    {"UninstallSetting", "SetStartMenuInUninstall", KeyFlagStarts1, "off", false},
};
const int KnownKeyCount = sizeof KnownKeys / sizeof KnownKeys[0];

const KnownList KnownLists[] = {
    {"Install", ListFiles, "install folder"},
    {"InstallWindows", ListFiles, "Windows folder"},
    {"InstallSystem", ListFiles, "system folder"},
    {"StarMenuSet", ListShortcuts, "start-menu group"},
    {"StartUpSet", ListShortcuts, "Start-up folder"},
    {"DeskTopSet", ListShortcuts, "desktop"},
    {"SendToSet", ListShortcuts, "Send To folder"},
    {"AddUninstallDeleteFile", ListPlain, "deleted by the uninstaller"},
    {"Exec", ListPlain, "started after installation"},
};
const int KnownListCount = sizeof KnownLists / sizeof KnownLists[0];

const KnownKey* FindKnownKey(const char* section, const char* key) {
  for (const KnownKey& k : KnownKeys)
    if (NamesMatch(section, k.section) && NamesMatch(key, k.key)) return &k;
  return nullptr;
}

const KnownList* FindKnownList(const char* section) {
  for (const KnownList& l : KnownLists)
    if (NamesMatch(section, l.section)) return &l;
  return nullptr;
}

bool IsKnownSection(const char* section) {
  return NamesMatch(section, "init") || NamesMatch(section, "UninstallSetting") ||
         FindKnownList(section) != nullptr;
}

namespace {

bool EndsToken(char c) { return c == 0 || c == ' ' || c == '\t' || c == '=' || c == ']'; }

std::vector<char> Folded(const char* s, bool lettersOnly) {
  std::vector<char> out;
  for (; !EndsToken(*s); ++s) {
    char c = *s;
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    bool alnum = (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    if (!lettersOnly || alnum) out.push_back(c);
  }
  return out;
}

int Distance(const std::vector<char>& a, const std::vector<char>& b) {
  std::vector<int> row(b.size() + 1);
  for (size_t j = 0; j <= b.size(); ++j) row[j] = static_cast<int>(j);
  for (size_t i = 1; i <= a.size(); ++i) {
    int diagonal = row[0];
    row[0] = static_cast<int>(i);
    for (size_t j = 1; j <= b.size(); ++j) {
      int up = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
      diagonal = up;
    }
  }
  return row[b.size()];
}

}  // namespace

int NameDistance(const char* a, const char* b) { return Distance(Folded(a, false), Folded(b, false)); }

const char* NearMiss(const char* token, const char* const* candidates) {
  const char* best = nullptr;
  int bestDistance = 3;
  for (const char* const* c = candidates; *c; ++c) {
    if (NamesMatch(token, *c)) return nullptr;  // the reader takes it as that name
    int d = NameDistance(token, *c);
    // 'Copy_Dir' or 'Start-Menu-Group': the same letters, split by bytes that
    // end the reader's name.
    if (Folded(token, true) == Folded(*c, false)) d = std::min(d, 1);
    if (d < bestDistance) {
      bestDistance = d;
      best = *c;
    }
  }
  // Very short names are too easily near anything.
  return best && std::strlen(best) > 3 ? best : nullptr;
}
