#pragma once

// Makes sure the folder exists, creating missing parents first. An existing
// file of that name is a failure. Parents created here are not logged.
bool EnsureFolder(const char* path);
// Where the walk goes next: the length of the parent path (cut at the last
// backslash), or -1 when there is none or the scan meets a drive colon first.
int ParentLength(const char* path);
