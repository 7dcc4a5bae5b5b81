// Paths and list entries are ANSI bytes in the system's code page. In
// Shift-JIS the second byte of a two-byte character may be 0x5C '\' (ソ 表
// 能) or 0x7C '|' (ポ), and is never a character of its own, so every scan
// for a separator walks characters from the start. The installer and the
// uninstaller share these.
#pragma once
#include <cstdint>

// Code page 932's lead bytes: 81-9F and E0-FC.
int32_t Cp932LeadByte(unsigned char c);
// The rule the scans use: Cp932LeadByte until the program sets the
// system's own at start-up (on a system of another code page those bytes
// are characters of their own).
extern int32_t (*IsPathLeadByte)(unsigned char c);

// Past the character at p: two bytes for a lead byte with a partner.
const char* NextPathChar(const char* p);
// The first c that stands as a character of its own, or null.
const char* FindPathChar(const char* text, char c);
// The last such c, or null.
const char* FindLastPathChar(const char* text, char c);
// Whether the text's last character is c.
bool EndsWithPathChar(const char* text, char c);
