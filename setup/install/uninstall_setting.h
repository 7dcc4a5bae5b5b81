// Whether an installation gets its uninstaller. UseUninstaller alone is not
// enough: without UninstallProgramName, RegName, ShowName and
// ShowUninstallProgramName the log, the uninstaller copy and the registry
// entry would be written with empty names (an empty RegName would address
// the system's Uninstall key itself). Such a file installs without them.
#pragma once

#include <cstddef>

// The keys of [UninstallSetting] that the uninstaller cannot do without, in
// the order they are checked.
extern const char* const UninstallRequiredKeys[4];

// A name that may follow "Uninstall\" in the registry: something besides
// blanks and no backslash (which would climb into other keys or, at the end,
// address the Uninstall key itself).
bool IsSafeRegName(const char* name);

// UseUninstaller starts with 1.
bool UninstallerAsked(const char* text);

// The first required key that is absent (or a RegName that is not safe),
// nullptr when all are there.
const char* MissingUninstallKey(const char* text);

// The message shown once when the uninstaller was asked for but `key` is
// missing: which key, and that the installation goes on without it.
void MissingUninstallKeyMessage(const char* key, char* out, size_t outSize);
