#include "setup/install/ini_text.h"

#include <cstring>
#include <new>

char* IniText = nullptr;

const char SetupCaption[] = "セットアップ プログラム";

LoadResult TextBufferSize(uint64_t fileSize, uint64_t maxBytes, size_t* bytes) {
  if (fileSize >> 32) return LoadTooLarge;
  // fileSize < 2^32, so fileSize + 1 cannot overflow 64 bits.
  if (fileSize + 1 > maxBytes || fileSize + 1 > SIZE_MAX) return LoadNoMemory;
  *bytes = static_cast<size_t>(fileSize + 1);
  return LoadOk;
}

char* NewText(size_t size) {
  if (size == SIZE_MAX) return nullptr;
  char* text = new (std::nothrow) char[size + 1];
  if (text) text[size] = 0;
  return text;
}

void FreeText(char* text) { delete[] text; }

const char* LoadFailureMessage(LoadResult result) {
  switch (result) {
    case LoadTooLarge: return "setup.iniが大きすぎます。";
    case LoadNoMemory: return "メモリー確保失敗";
    default: return nullptr;
  }
}

const char* SkipBlanks(const char* s) {
  while (*s == ' ' || *s == '\t') ++s;
  return s;
}

namespace {

bool IsNameByte(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

unsigned char Upper(unsigned char c) { return (c >= 'a' && c <= 'z') ? c - 32 : c; }

bool IsLineEnd(char c) { return c == '\r' || c == '\n' || c == 0; }

// One walk over the text, line by line, keeping track of whether the lines
// belong to the wanted section.
struct SectionScan {
  const char* p;
  const char* section;
  bool inSection;
  char line[IniValueSize];
};

// Copies the next line into scan.line and moves past it. A line stops at its
// end byte or after IniLineMax bytes; in the second case the byte that does
// not fit is dropped, so the line after starts one byte later.
void TakeLine(SectionScan& scan) {
  const char* p = scan.p;
  int n = 0;
  while (n < IniLineMax && !IsLineEnd(p[n])) {
    scan.line[n] = p[n];
    ++n;
  }
  scan.line[n] = 0;
  p += n;
  if (*p != 0) ++p;  // one CR or LF, or the dropped 256th byte
  scan.p = p;
}

// The next line of the section that is neither a comment nor a header, from
// its first non-blank byte; nullptr at the end of the text.
const char* NextSectionLine(SectionScan& scan) {
  while (*scan.p != 0) {
    TakeLine(scan);
    const char* s = SkipBlanks(scan.line);
    if (*s == ';') continue;
    if (*s == '[') {
      const char* name = SkipBlanks(s + 1);
      scan.inSection = NamesMatch(name, scan.section) && std::strchr(name, ']') != nullptr;
      continue;
    }
    if (scan.inSection) return s;
  }
  return nullptr;
}

// Copies s into buffer up to its end, a ';' or bufferSize - 1 bytes; at a
// ';' the blanks before it go as well. The buffer is written only when the
// result is not empty, so an absent value leaves the caller's default alone.
int CopyText(const char* s, char* buffer, size_t bufferSize) {
  if (bufferSize == 0) return 0;
  char text[IniValueSize];
  size_t room = bufferSize - 1 < IniLineMax ? bufferSize - 1 : IniLineMax;
  size_t n = 0;
  while (n < room && s[n] != 0) {
    if (s[n] == ';') {
      while (n > 0 && (text[n - 1] == ' ' || text[n - 1] == '\t')) --n;
      break;
    }
    text[n] = s[n];
    ++n;
  }
  if (n == 0) return 0;
  std::memcpy(buffer, text, n);
  buffer[n] = 0;
  return static_cast<int>(n);
}

}  // namespace

bool NamesMatch(const char* a, const char* b) {
  for (;; ++a, ++b) {
    bool endA = !IsNameByte(static_cast<unsigned char>(*a));
    bool endB = !IsNameByte(static_cast<unsigned char>(*b));
    if (endA || endB) return endA && endB;
    if (Upper(static_cast<unsigned char>(*a)) != Upper(static_cast<unsigned char>(*b))) return false;
  }
}

int GetValue(const char* text, const char* section, const char* key,
             char* buffer, size_t bufferSize, bool skipBlanks) {
  if (!text) return 0;
  SectionScan scan{text, section, false, {}};
  while (const char* s = NextSectionLine(scan)) {
    if (!NamesMatch(s, key)) continue;
    const char* eq = std::strchr(s, '=');
    if (!eq) continue;  // 'Key value' without '=' is no key line
    const char* value = eq + 1;
    if (skipBlanks) value = SkipBlanks(value);
    return CopyText(value, buffer, bufferSize);
  }
  return 0;
}

int GetEntry(const char* text, const char* section, int n,
             char* buffer, size_t bufferSize) {
  if (!text || n <= 0 || bufferSize == 0) return 0;
  SectionScan scan{text, section, false, {}};
  while (const char* s = NextSectionLine(scan)) {
    if (*s == 0) continue;  // a line of blanks is no entry
    if (--n > 0) continue;
    return CopyText(s, buffer, bufferSize);
  }
  return 0;
}

bool ContainsOne(const char* value) { return std::strchr(value, '1') != nullptr; }

bool StartsWithOne(const char* value) { return *SkipBlanks(value) == '1'; }

bool IniFlagContainsOne(const char* text, const char* section, const char* key) {
  char value[IniValueSize] = "";
  return GetValue(text, section, key, value, sizeof value, true) > 0 && ContainsOne(value);
}

bool IniFlagStartsWithOne(const char* text, const char* section, const char* key) {
  char value[IniValueSize] = "";
  return GetValue(text, section, key, value, sizeof value, true) > 0 && StartsWithOne(value);
}

bool IniHasEntries(const char* text, const char* section) {
  char entry[IniValueSize];
  return GetEntry(text, section, 1, entry, sizeof entry) > 0;
}
