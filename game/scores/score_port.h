#pragma once
#include <cstdint>
#include <cstdio>
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
// A save is a new file beside the old one, put in its place only once it
// is whole, so that a full disk or a cut never costs the table on disk:
// Writes `text` as the whole of the file at `path` (made, or emptied when
// it is there) and has it on the disk before returning; 1 only when every
// byte arrived.
int32_t PortWriteWholeFile(const std::string& path, const std::string& text);
// Puts the file `from` in the place of `to` in one step: whoever looks
// finds the old `to` whole or the new one whole. 1 when done.
int32_t PortReplaceFile(const std::string& from, const std::string& to);
void PortRemoveFile(const std::string& path);
// fopen of one of these paths (they may be in the port's own spelling).
std::FILE* PortOpenScoreFile(const std::string& path, const char* mode);
void PortScoreDebug(const char* text);
