// What the installer reads from setup.ini: every section and key with its
// kind and the default used when it is absent. setup-check reports a file
// against this table and spots names that nearly match it.
#pragma once

enum KeyKind {
  KeyValue,          // GetValue, blanks skipped
  KeyVerbatim,       // GetValue, leading blanks kept
  KeyFlagContains1,  // on when the value contains '1'
  KeyFlagStarts1,    // on when the value's first non-blank is '1'
};

struct KnownKey {
  const char* section;
  const char* key;
  KeyKind kind;
  const char* absent;  // what the installer does without it
  bool required;       // needed when UseUninstaller is on
};

enum ListKind {
  ListFiles,      // Install, InstallWindows, InstallSystem: files and directives
  ListShortcuts,  // the four shortcut lists
  ListPlain,      // AddUninstallDeleteFile, Exec: whole entries
};

struct KnownList {
  const char* section;
  ListKind kind;
  const char* destination;  // where its entries go, for the report
};

extern const KnownKey KnownKeys[];
extern const int KnownKeyCount;
extern const KnownList KnownLists[];
extern const int KnownListCount;

// The table row of section/key by the reader's name matching, or nullptr.
const KnownKey* FindKnownKey(const char* section, const char* key);
const KnownList* FindKnownList(const char* section);
// True when `section` is one of the installer's sections.
bool IsKnownSection(const char* section);

// Edit distance between two names, ASCII case ignored, over their whole
// token (up to a blank, '=', ']' or the end).
int NameDistance(const char* a, const char* b);

// The known name nearest to `token` when it is close (distance 1 or 2, or
// the same letters with a separator dropped) but not what the reader
// matches; nullptr otherwise. candidates is a nullptr-terminated list.
const char* NearMiss(const char* token, const char* const* candidates);
