#pragma once
#include <cstddef>

// Paths in the installer are Shift-JIS strings of at most 259 bytes. A path
// that would grow past that is refused whole: a cut path names another file,
// and the installer must never copy to, record or delete a file it did not
// mean.
constexpr int MaxPathBytes = 259;
constexpr int PathBufferSize = MaxPathBytes + 1;
// Room for every part a joined path can have, for showing it to the user.
constexpr int DisplayPathSize = 4 * PathBufferSize + 16;

// folder + '\' + each part that is not empty, separated by '\'. The folder
// is always taken as it stands ('C:' joins to 'C:\x'). Returns the length,
// or -1 with an empty `out` when it would exceed MaxPathBytes.
int JoinPath(char* out, const char* folder, const char* a, const char* b = "",
             const char* c = "");
// The same join for the copy dialog's fields and messages: never refused,
// only bounded by DisplayPathSize.
void JoinForDisplay(char* out, const char* folder, const char* a, const char* b = "",
                    const char* c = "");
// Appends `text` to the path in `out`; refuses (false, `out` unchanged) past
// MaxPathBytes.
bool AppendToPath(char* out, const char* text);
// Copies at most size - 1 bytes and always ends with a NUL.
void CopyText(char* out, size_t size, const char* text);
