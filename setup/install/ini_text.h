// setup.ini reader: the installer's own, byte-oriented, no profile-file API.
//
// The whole file is held as one NUL-terminated byte string (IniText) and every
// lookup scans it from the first byte. Bytes are taken as they stand (Shift-JIS
// on the target); nothing here knows about multi-byte characters.
//
// The rules every caller relies on:
//  - A line is the bytes up to CR, LF or NUL, at most IniLineMax (255) bytes.
//    A longer line is cut after 255 bytes, its 256th byte is dropped and the
//    byte after that starts a new line. Exactly one CR or LF is skipped after
//    a line, so CR LF gives an empty line in between, which nothing notices.
//  - Blanks are space and tab. Lines are looked at from their first non-blank.
//  - ';' first: a comment line, ignored everywhere.
//  - '[' first: a section header. The name starts at the first non-blank after
//    the '['; the header opens that section only if a ']' follows somewhere
//    on the line. Any other header (or one without ']') closes the section.
//    A section may appear several times; the occurrences read as one.
//  - Names (sections, keys) compare by NamesMatch: case-insensitive over the
//    leading run of ASCII letters and digits only ("Exec2" is not "Exec",
//    "Copy_Dir" is "Copy").
//  - In values and entries a ';' ends the text and takes the blanks before it
//    along. Without a ';' trailing blanks stay. No quoting of any kind.
#pragma once

#include <cstddef>
#include <cstdint>

// The longest line the reader keeps; longer lines are split (see above).
constexpr int IniLineMax = 255;

// Buffer size that holds any value or entry (a whole line plus its NUL).
constexpr size_t IniValueSize = IniLineMax + 1;

// setup.ini as loaded at start-up, NUL-terminated; nullptr before loading and
// after release. Owned by the installer's main window (released on WM_CLOSE).
extern char* IniText;

// Results of loading a text file (setup.ini, and the uninstaller's log). The
// numbers are setup.exe's exit codes for the same failures.
enum LoadResult : int {
  LoadOk = 0,
  LoadTooLarge = 1,  // 4 GiB or more
  LoadNoMemory = 2,  // the buffer of size + 1 bytes could not be had
  LoadMissing = 5,   // could not be opened (missing, locked)
};

// The buffer a file of fileSize bytes needs (fileSize + 1, for the NUL).
// LoadTooLarge for 4 GiB or more; LoadNoMemory when size + 1 does not fit
// into maxBytes (on a 32-bit build a file just under 4 GiB would otherwise
// wrap size + 1 round to 0). Pass SIZE_MAX as maxBytes outside tests.
LoadResult TextBufferSize(uint64_t fileSize, uint64_t maxBytes, size_t* bytes);

// A new text of `size` bytes plus NUL (new[] with nothrow; FreeText releases
// it), or nullptr when memory is short. The bytes are left uninitialised
// except for the NUL at `size` - the adaptor reads the file into them.
char* NewText(size_t size);
void FreeText(char* text);

// The message box text for a failed load of setup.ini, or nullptr when that
// failure shows none (LoadMissing ends silently). Caption: SetupCaption.
const char* LoadFailureMessage(LoadResult result);

// Caption of every message box of the installer.
extern const char SetupCaption[];

// The first byte of s that is neither space nor tab.
const char* SkipBlanks(const char* s);
inline char* SkipBlanks(char* s) { return const_cast<char*>(SkipBlanks(static_cast<const char*>(s))); }

// True when the leading runs of ASCII letters and digits of a and b are equal,
// ignoring the case of a-z. Any other byte (blank, '=', ']', '_', NUL, 0x80+)
// ends a run.
bool NamesMatch(const char* a, const char* b);

// The value of the first key line for `key` inside `section`, copied into
// buffer (at most bufferSize - 1 bytes, NUL-terminated). Returns the number
// of bytes stored; 0 means absent: no section, no key, a key line whose value
// is empty or starts with ';'. The first key line with '=' ends the search
// even when its value is empty. skipBlanks: skip blanks after '=' (verbatim
// values keep them). On 0 the buffer is left exactly as it was, so a caller
// may put its default there first. text may be nullptr (nothing loaded).
int GetValue(const char* text, const char* section, const char* key,
             char* buffer, size_t bufferSize, bool skipBlanks);

// The n-th entry (from 1) of `section`: its text from the first non-blank,
// cut at a ';' with the blanks before it. Comment lines, headers and lines of
// blanks are not entries; key lines and directive lines are. Returns the
// length stored, 0 when the section has fewer than n entries (buffer then
// untouched). Walk a list with n = 1, 2, 3, ... until 0.
int GetEntry(const char* text, const char* section, int n,
             char* buffer, size_t bufferSize);

// The two on/off tests of setup.ini values:
//  ContainsOne: '1' anywhere in the value ("1", "10", "yes1" are on).
//  StartsWithOne: the first non-blank byte is '1'.
bool ContainsOne(const char* value);
bool StartsWithOne(const char* value);

// GetValue (blanks skipped) and one of the tests above; absent is off.
bool IniFlagContainsOne(const char* text, const char* section, const char* key);
bool IniFlagStartsWithOne(const char* text, const char* section, const char* key);

// True when `section` has at least one entry.
bool IniHasEntries(const char* text, const char* section);
