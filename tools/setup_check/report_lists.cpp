// The list part of the report: each entry as the installer reads it, with
// the directives applied in order across the three file lists.
#include <cstring>
#include <string>

#include "setup/install/ini_text.h"
#include "setup/install/list_entries.h"
#include "tools/setup_check/check_report.h"
#include "tools/setup_check/known_keys.h"

namespace {

// The copy state that runs through Install, InstallWindows and InstallSystem.
struct CopyState {
  int mode = CopyIfNotExit;
  std::string destSub, sourceSub, media;
  bool record = true;
};

const char* const DirectiveCandidates[] = {"DustSubDir", "SrcSubDir", "ChangeMedia", "CopyMode",
                                           "UninstallDelete", nullptr};
const char* const CopyModeCandidates[] = {"OverWrite", "NewDateOverWrite", "IfNotExit", nullptr};

std::string Joined(const std::string& a, const std::string& b) {
  if (a.empty()) return b;
  return b.empty() ? a : a + "\\" + b;
}

void ChangeMedia(const char* value, CopyState& s, const char* where, Report& r) {
  char name[SetupPathSize];
  const char* label = nullptr;
  if (!SplitChangeMedia(value, name, sizeof name, &label)) {
    Say(r, "       ignored: ChangeMedia needs 'name,label'");
    Warn(r, "%s: ChangeMedia '%s' has no ',': the directive is ignored", where, value);
    return;
  }
  s.media = name;
  Say(r, "       medium '%s'; until it is there the installer asks for the disk labelled \"%s\"", name, label);
  bool folder = false;
  if (!r.medium) return;
  if (!MediumHas(r.medium, name, &folder)) {
    Warn(r, "%s: the medium has no '%s': the installer would ask for disk \"%s\"", where, name, label);
  } else if (!folder) {
    s.media.clear();
    Say(r, "       '%s' is a marker file: sources stay in the medium's folder", name);
  }
}

void Directive(const char* text, CopyState& s, const char* where, Report& r) {
  const char* value = "";
  DirectiveKind kind = ParseDirective(text, &value);
  switch (kind) {
    case DirectiveIgnored:
      if (!std::strchr(text, '=')) {
        Say(r, "       ignored: no '='");
        Warn(r, "%s: directive '.%s' has no '=': ignored", where, text);
      } else if (const char* near = NearMiss(text, DirectiveCandidates)) {
        Say(r, "       ignored: unknown directive");
        Warn(r, "%s: directive '.%s' is ignored; did you mean %s?", where, text, near);
      } else {
        Say(r, "       ignored: unknown directive");
        Warn(r, "%s: unknown directive '.%s': ignored", where, text);
      }
      break;
    case DirectiveDustSubDir:
      s.destSub = value;
      Say(r, "       destination sub-folder '%s'; creates INSTALL\\%s (logged)", value, value);
      break;
    case DirectiveSrcSubDir:
      s.sourceSub = value;
      Say(r, "       source sub-folder '%s'", value);
      break;
    case DirectiveChangeMedia:
      ChangeMedia(value, s, where, r);
      break;
    case DirectiveCopyMode: {
      int mode = ParseCopyMode(value);
      if (mode >= 0) {
        s.mode = mode;
        Say(r, "       copy mode %s", CopyModeNames[mode]);
      } else {
        const char* near = NearMiss(value, CopyModeCandidates);
        Say(r, "       ignored: unknown mode, %s stays", CopyModeNames[s.mode]);
        Warn(r, "%s: copy mode '%s' is not one the installer knows (%s%s%s): %s stays", where, value,
             near ? "did you mean " : "OverWrite, NewDateOverWrite or IfNotExit",
             near ? near : "", near ? "?" : "", CopyModeNames[s.mode]);
      }
      break;
    }
    case DirectiveUninstallDelete:
      s.record = *value == '1';
      Say(r, "       the uninstaller %s the files that follow", s.record ? "removes" : "leaves");
      break;
  }
}

void FileEntry(const char* entry, const char* root, CopyState& s, const char* where, Report& r) {
  std::string source = Joined(Joined(s.media, s.sourceSub), entry);
  std::string dest = Joined(Joined(root, s.destSub), entry);
  Say(r, "       SOURCE\\%s -> %s  (%s%s)", source.c_str(), dest.c_str(), CopyModeNames[s.mode],
      s.record ? ", logged" : ", left by the uninstaller");
  bool folder = false;
  if (r.medium && (!MediumHas(r.medium, source, &folder) || folder))
    Warn(r, "%s: %s is not a file on the medium", where, source.c_str());
}

void ShortcutEntryLine(const char* entry, const char* where, Report& r) {
  ShortcutEntry s;
  if (!SplitShortcutEntry(entry, &s)) {
    Say(r, "       no separator: no shortcut is made");
    Warn(r, "%s: shortcut entry '%s' has no '|' or ',': no shortcut is made", where, entry);
    return;
  }
  if (s.hasArguments)
    Say(r, "       \"%s.lnk\" -> INSTALL\\%s, arguments \"%s\"", s.name, s.target, s.arguments);
  else
    Say(r, "       \"%s.lnk\" -> INSTALL\\%s", s.name, s.target);
}

void ReportList(const char* text, const KnownList& list, CopyState& state, Report& r) {
  static const char* const Roots[3] = {"INSTALL", "WINDOWS", "SYSTEM"};
  char entry[IniValueSize];
  if (!GetEntry(text, list.section, 1, entry, sizeof entry)) return;
  Say(r, "[%s] -> %s", list.section, list.destination);
  for (int n = 1; GetEntry(text, list.section, n, entry, sizeof entry); ++n) {
    char where[64];
    std::snprintf(where, sizeof where, "[%s] entry %d", list.section, n);
    Say(r, "  %2d  %s", n, entry);
    switch (list.kind) {
      case ListFiles:
        if (IsDirectiveEntry(entry)) Directive(SkipBlanks(SkipBlanks(entry) + 1), state, where, r);
        else FileEntry(entry, Roots[&list - KnownLists], state, where, r);
        break;
      case ListShortcuts:
        ShortcutEntryLine(entry, where, r);
        break;
      case ListPlain:
        if (std::strcmp(list.section, "Exec") == 0)
          Say(r, "       started with WinExec in INSTALL");
        else
          Say(r, "       INSTALL\\%s", entry);
        break;
    }
  }
}

}  // namespace

void ReportLists(const char* text, Report& r) {
  Say(r, "%s", "");
  Say(r, "lists (SOURCE is the medium's folder, INSTALL the install folder):");
  CopyState state;
  for (int i = 0; i < KnownListCount; ++i) ReportList(text, KnownLists[i], state, r);
  Say(r, "%s", "");
}
