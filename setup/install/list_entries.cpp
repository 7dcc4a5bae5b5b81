#include "setup/install/list_entries.h"

#include <cstring>

#include "setup/install/folder_rules.h"
#include "setup/install/ini_text.h"
#include "setup/install/path_chars.h"

const char* const DirectiveNames[5] = {"DustSubDir", "SrcSubDir", "ChangeMedia", "CopyMode",
                                       "UninstallDelete"};
const char* const CopyModeNames[3] = {"OverWrite", "NewDateOverWrite", "IfNotExit"};

bool IsDirectiveEntry(const char* entry) { return *SkipBlanks(entry) == '.'; }

DirectiveKind ParseDirective(const char* text, const char** value) {
  text = SkipBlanks(text);
  const char* eq = std::strchr(text, '=');
  if (!eq) return DirectiveIgnored;
  for (int k = 0; k < 5; ++k)
    if (NamesMatch(text, DirectiveNames[k])) {
      *value = SkipBlanks(eq + 1);
      return static_cast<DirectiveKind>(k);
    }
  return DirectiveIgnored;
}

int ParseCopyMode(const char* value) {
  for (int k = 0; k < 3; ++k)
    if (NamesMatch(value, CopyModeNames[k])) return k;
  return -1;
}

bool SplitChangeMedia(const char* value, char* name, size_t nameSize, const char** label) {
  const char* comma = FindPathChar(value, ',');
  if (!comma) return false;
  size_t n = static_cast<size_t>(comma - value);
  if (n > nameSize - 1) n = nameSize - 1;
  std::memcpy(name, value, n);
  name[n] = 0;
  *label = comma + 1;
  return true;
}

namespace {

// The second byte of a two-byte character such as ポ (83 7C) is no '|'.
const char* FindSeparator(const char* s) {
  const char* bar = FindPathChar(s, '|');
  return bar ? bar : FindPathChar(s, ',');
}

void CopySpan(char* dest, const char* from, const char* to) {
  size_t n = static_cast<size_t>(to - from);
  if (n > SetupPathSize - 1) n = SetupPathSize - 1;
  std::memcpy(dest, from, n);
  dest[n] = 0;
}

}  // namespace

bool SplitShortcutEntry(const char* entry, ShortcutEntry* out) {
  const char* first = FindSeparator(entry);
  if (!first) return false;
  CopySpan(out->name, entry, first);
  const char* rest = SkipBlanks(first + 1);
  const char* second = FindSeparator(rest);
  if (second) {
    CopySpan(out->target, rest, second);
    CopyPath(out->arguments, sizeof out->arguments, SkipBlanks(second + 1));
    out->hasArguments = true;
  } else {
    CopyPath(out->target, sizeof out->target, rest);
    out->arguments[0] = 0;
    out->hasArguments = false;
  }
  return true;
}
