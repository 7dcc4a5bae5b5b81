// The key part of the report: every key of the table with its value or the
// default the installer uses, and what follows from them.
#include <cstring>
#include <string>

#include "setup/install/ini_text.h"
#include "setup/install/uninstall_setting.h"
#include "tools/setup_check/check_report.h"
#include "tools/setup_check/known_keys.h"

namespace {

void ReportKey(const char* text, const KnownKey& k, Report& r) {
  char value[IniValueSize];
  int n = GetValue(text, k.section, k.key, value, sizeof value, k.kind != KeyVerbatim);
  switch (k.kind) {
    case KeyValue:
    case KeyVerbatim:
      if (n) Say(r, "  %-28s \"%s\"", k.key, value);
      else Say(r, "  %-28s (absent: %s)", k.key, k.absent);
      break;
    case KeyFlagContains1:
    case KeyFlagStarts1: {
      bool on = n && (k.kind == KeyFlagContains1 ? ContainsOne(value) : StartsWithOne(value));
      if (n) Say(r, "  %-28s %s (\"%s\")", k.key, on ? "on" : "off", value);
      else Say(r, "  %-28s off (absent)", k.key);
      break;
    }
  }
}

// The four check boxes of the install dialog as the file sets them.
void ReportCheckBoxes(const char* text, Report& r) {
  struct Box {
    const char* label;
    const char* key;
    const char* list;
  };
  const Box boxes[4] = {{"start menu", "DefaultRegistStartMenu", "StarMenuSet"},
                        {"start-up", "DefaultRegistStartUp", "StartUpSet"},
                        {"desktop", "DefaultRegistDesktop", "DeskTopSet"},
                        {"Send To", "DefaultRegistSendTo", "SendToSet"}};
  for (const Box& b : boxes) {
    bool ticked = IniFlagContainsOne(text, "init", b.key);
    bool enabled = IniHasEntries(text, b.list);
    Say(r, "  check box %-10s %s, %s%s", b.label, ticked ? "ticked" : "not ticked",
        enabled ? "can be changed" : "disabled",
        !enabled && ticked ? " (its shortcuts are still made: the list is empty)" : "");
  }
}

void ReportFolders(const char* text, Report& r) {
  char copyDir[IniValueSize] = "Mipa-Lu";
  GetValue(text, "init", "CopyDir", copyDir, sizeof copyDir, true);
  if (IniHasEntries(text, "Install"))
    Say(r, "  install folder: <drive of the Windows folder>:\\%s (the user may change it)", copyDir);
  else
    Say(r, "  install folder: the medium's own folder (in place: [Install] has no entry)");
  char program[IniValueSize] = "";
  GetValue(text, "UninstallSetting", "UninstallProgramName", program, sizeof program, true);
  if (!UninstallerAsked(text)) {
    Say(r, "  uninstaller: none (UseUninstaller is off)");
    return;
  }
  if (const char* missing = MissingUninstallKey(text)) {
    Say(r, "  uninstaller: none (%s is missing or unusable)", missing);
    Warn(r, "UseUninstaller is on but [UninstallSetting] %s is missing or unusable: "
            "the installer says so and installs without the uninstaller", missing);
    return;
  }
  if (IniHasEntries(text, "Install"))
    Say(r, "  uninstaller: <Windows folder>\\%s, a copy of the medium's setup.exe", program);
  else
    Say(r, "  uninstaller: the medium's own setup.exe (in place)");
  bool folder = false;
  if (r.medium && !MediumHas(r.medium, "setup.exe", &folder))
    Warn(r, "the medium has no setup.exe: the uninstaller cannot be copied from it");
}

}  // namespace

void ReportKeys(const char* text, Report& r) {
  const char* section = "";
  for (int i = 0; i < KnownKeyCount; ++i) {
    if (std::strcmp(section, KnownKeys[i].section) != 0) {
      section = KnownKeys[i].section;
      Say(r, "[%s]", section);
    }
    ReportKey(text, KnownKeys[i], r);
  }
  char title[IniValueSize];
  int n = GetValue(text, "init", "BigTitle", title, sizeof title, false);
  if (n > 127) Warn(r, "BigTitle is %d bytes: the backdrop shows only the first 127", n);
  char picture[IniValueSize] = "setup.bmp";
  GetValue(text, "init", "Img", picture, sizeof picture, true);
  bool folder = false;
  if (r.medium && (!MediumHas(r.medium, picture, &folder) || folder))
    Warn(r, "Img: the medium has no picture %s: the dialog hides its picture", picture);
  Say(r, "%s", "");
  Say(r, "install dialog:");
  ReportCheckBoxes(text, r);
  ReportFolders(text, r);
}
