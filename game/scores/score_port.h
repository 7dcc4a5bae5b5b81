#pragma once
#include <string>

// Where score.dat may live. win32: the current directory, and
// %APPDATA%\ZARVEL; host: folders the tests choose (none by default, so the
// simulator never writes a file).
std::string PortScorePath();          // empty: none
std::string PortFallbackScorePath();  // empty: none
// Makes the folder the fallback path lies in; 1 when it exists afterwards.
int32_t PortMakeFallbackFolder();
void PortScoreDebug(const char* text);
