// The system's folders as the installer and the uninstaller compare them:
// every known folder of the running user's profile and of the machine, in
// code page 932 like every path of the two programs.
#pragma once
#include <windows.h>

#include <cstdint>

// Each known folder of the profile or shared by all users that has a path
// (Downloads, Saved Games, Links, Music, Videos, Documents, Public...),
// without a trailing separator, in its long form; folders not made yet
// included. The machine's fixed folders (Windows, Program Files...) are
// left to the callers' CSIDLs.
void ForEachKnownFolder(void (*add)(const char* folder, void* context), void* context);

// The long form of path (GetLongPathName); 0 when the path does not exist.
int32_t LongPathOf(const char* path, char* out, int32_t size);
