// The rules of the install folder: what the folder field may hold, how a
// chosen folder gets the product's folder name, and how roots are held.
#pragma once

#include <cstddef>

enum FolderCheckResult : int {
  FolderAccepted = 0,
  FolderBadCharacter = 1,  // one of / * ? " < > | (a colon is allowed)
  FolderUnnamed = 2,       // '\\' or '\ \': a folder without a name
};

// The characters the folder field refuses, in the order they are looked for;
// shown in full in the message (the colon among them, though it passes).
extern const char FolderForbiddenCharacters[];

// The two messages of the folder check.
const char* FolderCheckMessage(FolderCheckResult result);

// Checks the folder field's text (leading blanks skipped). On FolderAccepted
// `accepted` (SetupPathSize bytes) holds the text cut at a trailing backslash
// with nothing but blanks after it, so 'C:\Games\' gives 'C:\Games' and a
// root 'D:\' gives 'D:'. On refusal `accepted` is untouched.
FolderCheckResult CheckInstallFolder(const char* field, char* accepted);

// Appends the last component of installFolder (with its backslash: the
// product's folder name) to path, in place, unless path already ends in that
// component (ASCII case ignored). 'D:\Games' -> 'D:\Games\Mipa-Lu', 'D:\' ->
// 'D:\Mipa-Lu'. pathSize is the room of path. Path stays as it was when
// installFolder has no name to add (FolderNameNone) or when the result would
// not fit (FolderNameTooLong: the browser then keeps the field as it was and
// says so, since a folder without the name is not what its title promises).
enum FolderNameResult : int {
  FolderNameTooLong = -1,
  FolderNameNone = 0,
  FolderNameAdded = 1,  // or already there
};
FolderNameResult AppendFolderName(char* path, size_t pathSize, const char* installFolder);
extern const char FolderNameTooLongText[];
// A folder typed or chosen with a character code page 932 cannot hold (the
// installer's paths and its log are Shift-JIS), or typed longer than 259
// bytes: refused whole.
extern const char FolderNameRefusedText[];
extern const char FolderPathTooLongText[];

// 'C:\' becomes 'C:'; any other folder is left alone.
void StripRootBackslash(char* folder);

// dest = src, cut to fit destSize (always NUL-terminated).
void CopyPath(char* dest, size_t destSize, const char* src);
// Appends src to dest within destSize; false (dest unchanged) when it does
// not fit.
bool AppendPath(char* dest, size_t destSize, const char* src);
