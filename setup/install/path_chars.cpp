#include "setup/install/path_chars.h"

int32_t Cp932LeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

const char* NextPathChar(const char* p) {
  if (Cp932LeadByte(static_cast<unsigned char>(*p)) && p[1]) return p + 2;
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

int32_t TrimmedPathLength(const char* path) {
  int32_t end = 0;
  for (const char* p = path; *p; p = NextPathChar(p))
    if (*p != '\\') end = static_cast<int32_t>(NextPathChar(p) - path);
  return end;
}

namespace {
char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }
}  // namespace

int32_t SamePath(const char* a, const char* b) {
  const int32_t la = TrimmedPathLength(a), lb = TrimmedPathLength(b);
  if (la != lb) return 0;
  for (const char* p = a; p - a < la;) {
    const char* next = NextPathChar(p);
    if (next - p == 2) {
      if (p[0] != b[p - a] || p[1] != b[p - a + 1]) return 0;
    } else if (Upper(*p) != Upper(b[p - a])) {
      return 0;
    }
    p = next;
  }
  return 1;
}
