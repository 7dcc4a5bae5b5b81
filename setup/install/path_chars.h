// Paths and list entries are Shift-JIS bytes (code page 932) on every
// system; only the Windows side turns them into UTF-16. The second byte of
// a two-byte character may be 0x5C '\' (ソ 表 能) or 0x7C '|' (ポ), and is
// never a character of its own, so every scan for a separator walks
// characters from the start. The installer and the uninstaller share these.
#pragma once
#include <cstdint>

// Code page 932's lead bytes: 81-9F and E0-FC.
int32_t Cp932LeadByte(unsigned char c);

// Past the character at p: two bytes for a lead byte with a partner.
const char* NextPathChar(const char* p);
// The first c that stands as a character of its own, or null.
const char* FindPathChar(const char* text, char c);
// The last such c, or null.
const char* FindLastPathChar(const char* text, char c);
// Whether the text's last character is c.
bool EndsWithPathChar(const char* text, char c);

// The length of path without its trailing separators (real ones only).
int32_t TrimmedPathLength(const char* path);
// Equal as Windows compares names: ASCII letters without case, two-byte
// characters byte for byte, trailing separators ignored.
int32_t SamePath(const char* a, const char* b);
