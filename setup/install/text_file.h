// Port: reading a whole text file into memory (setup.ini, the install log).
//
// The file is opened for shared reading, its size taken, a file of 4 GiB or
// more refused, size + 1 bytes allocated, the whole file read in one read and
// a NUL put after the bytes read. win32/ reads through CreateFileA, host/
// through the C library.
#pragma once

#include <cstddef>

#include "setup/install/ini_text.h"

// On LoadOk *text is a new text (release with FreeText) and *size the number
// of bytes read (size may be nullptr). On failure *text is untouched.
LoadResult ReadTextFile(const char* path, char** text, size_t* size);
