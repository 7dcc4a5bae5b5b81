#pragma once
#include <string>

// Where score.dat may live. win32: the current directory, or %APPDATA%\ZARVEL
// when that cannot take it; host: folders the tests choose (none by default,
// so the simulator never writes a file).
std::string PortScorePath();          // empty: none
std::string PortFallbackScorePath();  // empty: none
// 1 when the file at `path` can be written: an existing one opens for
// writing (unchanged), or a new one can be made there (and is removed again).
int32_t PortCanWriteFile(const std::string& path);
// Makes the folder the fallback path lies in; 1 when it exists afterwards.
int32_t PortMakeFallbackFolder();
void PortScoreDebug(const char* text);
