#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// Where the bitmaps come from. win32: the program's bitmap resources and
// files in the current folder; host: a table of resources and a data folder.

// 1 and the resource's bytes (a BITMAPINFOHEADER first), 0 when the
// program has no bitmap resource of that name.
int32_t PortFindBitmapResource(const char* name, std::vector<uint8_t>& bytes);
// 1 and at most `limit` bytes from the start of the file, 0 when it cannot
// be opened (shared read, existing file only).
int32_t PortReadDataFile(const char* name, size_t limit, std::vector<uint8_t>& bytes);
// A developer's line for the debugger, never seen by the player.
void PortDebugLine(const char* text);
