#include "setup/uninstall/path_rules.h"

#include <cstring>

#include "setup/install/path_chars.h"

namespace {

const char* NextChar(const char* p) { return NextPathChar(p); }

int32_t TrimmedLength(const char* path) { return TrimmedPathLength(path); }

// Offset of the last real separator within the first length bytes, or -1.
int32_t LastSeparator(const char* path, int32_t length) {
  int32_t last = -1;
  for (const char* p = path; *p && p - path < length; p = NextChar(p))
    if (*p == '\\') last = static_cast<int32_t>(p - path);
  return last;
}

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }

bool HasDrive(const char* path) { return IsAsciiLetter(path[0]) && path[1] == ':'; }
bool IsUnc(const char* path) { return path[0] == '\\' && path[1] == '\\'; }

// Number of components after the drive or the '\\' of a UNC path, and
// whether any of them is empty, '.' or '..'.
struct Components {
  int32_t count = 0;
  bool odd = false;
};

Components CountComponents(const char* path, int32_t skip) {
  Components c;
  const char* p = path + skip;
  const int32_t length = TrimmedLength(path);
  while (*p == '\\') p = NextChar(p);
  while (*p && p - path < length) {
    const char* start = p;
    while (*p && *p != '\\') p = NextChar(p);
    const int32_t n = static_cast<int32_t>(p - start);
    if (n == 0 || (n == 1 && start[0] == '.') || (n == 2 && start[0] == '.' && start[1] == '.'))
      c.odd = true;
    ++c.count;
    if (*p == '\\') {
      p = NextChar(p);
      if (*p == '\\') c.odd = true;  // an empty component between two separators
    }
  }
  return c;
}

int32_t CopyText(const char* text, int32_t length, char* buffer, int32_t size) {
  if (length >= size) return 0;
  std::memcpy(buffer, text, static_cast<size_t>(length));
  buffer[length] = '\0';
  return 1;
}

}  // namespace

int32_t IsDriveRoot(const char* path) {
  const int32_t length = TrimmedLength(path);
  if (length == 0) return path[0] == '\\' && !IsUnc(path);  // '\' itself
  if (HasDrive(path)) return length == 2;
  if (IsUnc(path)) return CountComponents(path, 2).count <= 2;
  return 0;
}

int32_t ParentFolder(const char* path, char* buffer, int32_t size) {
  const int32_t cut = LastSeparator(path, TrimmedLength(path));
  if (cut <= 0) return 0;
  char parent[260];
  if (!CopyText(path, cut, parent, sizeof parent)) return 0;
  if (IsDriveRoot(parent) || TrimmedLength(parent) < cut) return 0;
  return CopyText(parent, cut, buffer, size);
}

namespace {

// What a file name may not hold: the system reads these as patterns,
// redirections or streams, never as part of a name the installer made.
// None of them (bar '|') can be the second byte of a two-byte character,
// so they are refused wherever they stand.
bool IsOddByte(char c) {
  return static_cast<unsigned char>(c) < 0x20 || c == '/' || c == ':' || c == '*' || c == '?' ||
         c == '"' || c == '<' || c == '>';
}

// A lead byte must have a partner of 0x40 or more: the system would read
// a broken pair as two characters, the second perhaps a separator.
bool BytesArePlain(const char* p) {
  for (const char* q = p; *q; ++q)
    if (IsOddByte(*q)) return false;
  for (; *p; p = NextChar(p))
    if (Cp932LeadByte(static_cast<unsigned char>(*p)) && static_cast<unsigned char>(p[1]) < 0x40)
      return false;
  return true;
}

// Each component after 'X:\' is named, is no '.' or '..', and does not end
// in a dot or blank: the system drops those, so the name it would act on is
// not the one checked.
bool ComponentsArePlain(const char* p) {
  if (!*p || !BytesArePlain(p)) return false;
  while (*p) {
    const char* start = p;
    char last = 0;
    for (; *p && *p != '\\'; p = NextChar(p)) {
      if (*p == '|') return false;
      last = NextChar(p) - p == 1 ? *p : 'x';
    }
    if (p == start || last == '.' || last == ' ') return false;
    if (*p == '\\' && !*++p) return false;  // a trailing separator
  }
  return true;
}

}  // namespace

int32_t IsPlainPath(const char* path) {
  if (!IsAsciiLetter(path[0]) || path[1] != ':' || path[2] != '\\') return 0;
  return ComponentsArePlain(path + 3) ? 1 : 0;
}

int32_t IsInsideFolder(const char* path, const char* folder) {
  const int32_t length = TrimmedLength(folder);
  if (length == 0) return 0;
  // The folder's own characters, then a real separator, then a name.
  const char* p = path;
  for (const char* f = folder; f - folder < length;) {
    const char* nextF = NextChar(f);
    const char* nextP = NextChar(p);
    if (nextF - f != nextP - p) return 0;
    if (nextF - f == 2 ? (p[0] != f[0] || p[1] != f[1]) : Upper(*p) != Upper(*f)) return 0;
    p = nextP;
    f = nextF;
  }
  return p[0] == '\\' && p[1] != '\0' && p[1] != '\\';
}

int32_t ItemIsRemovable(const char* path, const char* windowsFolder, const char* systemFolder) {
  if (!IsPlainPath(path)) return 0;
  if (windowsFolder && *windowsFolder && SamePath(path, windowsFolder)) return 0;
  if (systemFolder && *systemFolder && SamePath(path, systemFolder)) return 0;
  return 1;
}

int32_t UninstallKeyPath(const char* keyName, char* buffer, int32_t size) {
  static const char prefix[] = "Uninstall\\";
  bool blank = true;
  for (const char* p = keyName; *p; ++p)
    if (*p != ' ' && *p != '\t') blank = false;
  if (blank) return 0;
  // Components between separators must all be named: '\x', 'x\' and 'x\\y'
  // reach other keys than the entry's own.
  if (keyName[0] == '\\' || CountComponents(keyName, 0).odd) return 0;
  if (TrimmedLength(keyName) != static_cast<int32_t>(std::strlen(keyName))) return 0;
  const int32_t pl = sizeof prefix - 1, nl = static_cast<int32_t>(std::strlen(keyName));
  if (pl + nl >= size) return 0;
  std::memcpy(buffer, prefix, pl);
  std::memcpy(buffer + pl, keyName, static_cast<size_t>(nl) + 1);
  return 1;
}

int32_t CommandRemovesLog(const char* command, const char* logPath) {
  const char* p = command;
  // The program: quoted when it holds a blank, else up to the first blank.
  if (*p == '"') {
    p = std::strchr(p + 1, '"');
    if (!p) return 0;
    ++p;
  } else {
    while (*p && *p != ' ') ++p;
  }
  while (*p == ' ') ++p;
  if (p[0] != '-' || (p[1] != 'u' && p[1] != 'U') || p[2] != ' ') return 0;
  p += 2;
  while (*p == ' ') ++p;
  // The log's path runs to the end, blanks and all; quotes typed by hand go.
  char log[260];
  const char* end = p + std::strlen(p);
  while (end > p && end[-1] == ' ') --end;
  if (end - p >= 2 && *p == '"' && end[-1] == '"') ++p, --end;
  if (!CopyText(p, static_cast<int32_t>(end - p), log, sizeof log)) return 0;
  return log[0] && SamePath(log, logPath) ? 1 : 0;
}

int32_t WininitPath(const char* windowsFolder, char* buffer, int32_t size) {
  static const char name[] = "\\WININIT.INI";
  const int32_t length = TrimmedLength(windowsFolder);
  if (length == 0) return 0;
  if (length + static_cast<int32_t>(sizeof name) > size) return 0;
  std::memcpy(buffer, windowsFolder, static_cast<size_t>(length));
  std::memcpy(buffer + length, name, sizeof name);
  return 1;
}

int32_t AppendProfileLine(const char* lines, int32_t length, const char* key,
                          const char* value, char* buffer, int32_t size) {
  const int32_t kl = static_cast<int32_t>(std::strlen(key));
  const int32_t vl = static_cast<int32_t>(std::strlen(value));
  const int32_t ll = kl + 1 + vl;
  // Keep every non-empty line as it is; note whether ours is among them.
  int32_t out = 0;
  bool present = false;
  for (int32_t at = 0; at < length;) {
    const int32_t n = static_cast<int32_t>(strnlen(lines + at, static_cast<size_t>(length - at)));
    if (n > 0) {
      if (n == ll && std::memcmp(lines + at, key, kl) == 0 && lines[at + kl] == '=' &&
          std::memcmp(lines + at + kl + 1, value, vl) == 0)
        present = true;
      if (out + n + 1 >= size) return -1;
      std::memcpy(buffer + out, lines + at, static_cast<size_t>(n));
      out += n;
      buffer[out++] = '\0';
    }
    at += n + 1;
  }
  if (!present) {
    if (out + ll + 1 >= size) return -1;
    std::memcpy(buffer + out, key, static_cast<size_t>(kl));
    buffer[out + kl] = '=';
    std::memcpy(buffer + out + kl + 1, value, static_cast<size_t>(vl));
    out += ll;
    buffer[out++] = '\0';
  }
  buffer[out] = '\0';
  return out;
}
