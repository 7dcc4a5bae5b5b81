#include "setup/install/path_chars.h"

int32_t Cp932LeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

int32_t (*IsPathLeadByte)(unsigned char c) = Cp932LeadByte;

const char* NextPathChar(const char* p) {
  if (IsPathLeadByte(static_cast<unsigned char>(*p)) && p[1]) return p + 2;
  return p + 1;
}

const char* FindPathChar(const char* text, char c) {
  for (const char* p = text; *p; p = NextPathChar(p))
    if (*p == c) return p;
  return nullptr;
}

const char* FindLastPathChar(const char* text, char c) {
  const char* last = nullptr;
  for (const char* p = text; *p; p = NextPathChar(p))
    if (*p == c) last = p;
  return last;
}

bool EndsWithPathChar(const char* text, char c) {
  const char* last = nullptr;
  for (const char* p = text; *p; p = NextPathChar(p)) last = p;
  return last && *last == c;
}
