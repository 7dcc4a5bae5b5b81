#pragma once

// Makes sure the folder exists, creating missing parents first. An existing
// file of that name is a failure. Parents created here are not logged.
bool EnsureFolder(const char* path);
// Where the walk goes next: the length of the parent path (cut at the last
// backslash), or -1 when there is none or the scan meets a drive colon first.
int ParentLength(const char* path);

// Whether writing to path would pass through a junction or symbolic link
// below the system's own folders (path_links.h): the installer runs
// elevated, and a link made by a user would lead its writes elsewhere.
// Only paths on a drive are checked: one without a drive is relative to
// the folder the installer made current.
bool WritesThroughLink(const char* path);
