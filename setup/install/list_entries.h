// How the entries of setup.ini's lists read: directive lines of the file
// lists, the 'name,label' of ChangeMedia, and the name|target|arguments of
// shortcut entries. Pure text rules, shared by the copy phase, the shortcut
// phase and setup-check.
#pragma once

#include <cstddef>

#include "setup/install/setup_state.h"

enum DirectiveKind : int {
  DirectiveIgnored = -1,  // no known name, or no '=': the line does nothing
  DirectiveDustSubDir = 0,
  DirectiveSrcSubDir = 1,
  DirectiveChangeMedia = 2,
  DirectiveCopyMode = 3,
  DirectiveUninstallDelete = 4,
};

// The directive names, tried in this order (index = DirectiveKind).
extern const char* const DirectiveNames[5];

enum CopyModeKind : int {
  CopyOverWrite = 0,
  CopyNewDateOverWrite = 1,
  CopyIfNotExit = 2,  // the mode until a CopyMode directive says otherwise
};
extern const char* const CopyModeNames[3];

// A file-list entry whose first non-blank byte is '.' is a directive.
bool IsDirectiveEntry(const char* entry);

// Reads the text after the '.' (leading blanks already skipped or not).
// *value points at the text after the first '=', blanks skipped. A text
// without '=' is ignored rather than read as a directive with no value.
DirectiveKind ParseDirective(const char* text, const char** value);

// CopyOverWrite..CopyIfNotExit by NamesMatch, or -1 (mode stays unchanged).
int ParseCopyMode(const char* value);

// 'name,label': name (cut to nameSize) before the first ',', *label after it.
// false when there is no ',' - the directive is then ignored: without a label
// the insert-disk prompt would name nothing.
bool SplitChangeMedia(const char* value, char* name, size_t nameSize, const char** label);

// A shortcut entry split into its parts: each separator is the first '|',
// or the first ',' where there is no '|'. The name keeps blanks before the
// separator; target and arguments start after blanks.
struct ShortcutEntry {
  char name[SetupPathSize];
  char target[SetupPathSize];
  char arguments[SetupPathSize];
  bool hasArguments;
};

// false when the entry has no separator (no shortcut is made for it).
bool SplitShortcutEntry(const char* entry, ShortcutEntry* out);
