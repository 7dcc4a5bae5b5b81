// reg-dump --file PATH ROOT...: every key and value under HKLM or HKCU into
// PATH (UTF-8), a line each: "[KEY]" and "[KEY]|"NAME"=DATA", the values
// written as reg export writes them.
//
// Walking the registry through RegEnumValueW costs a round trip to Wine's
// server for each key and each value: two and a half seconds of processor
// time for a prefix's 10,000 keys. RegSaveKeyW has the server write a
// root's whole tree in one request, in its own text format, which is read
// back here into the same lines. What the server keeps in memory only is
// not saved: its volatile keys (Hardware, the display's Video keys), which
// no program of ours writes. A link key shows as its link (its
// SymbolicLinkValue), not as a second copy of what it links to.
#include "zdrive.h"

#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <unordered_set>

namespace {

// The server saves a tree only for a process that holds SeBackupPrivilege
// and has switched it on.
bool enable_backup_privilege() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES, &token)) return false;
  TOKEN_PRIVILEGES tp = {};
  tp.PrivilegeCount = 1;
  tp.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
  bool ok = LookupPrivilegeValueW(nullptr, L"SeBackupPrivilege", &tp.Privileges[0].Luid) &&
            AdjustTokenPrivileges(token, FALSE, &tp, 0, nullptr, nullptr) &&
            GetLastError() == ERROR_SUCCESS;
  CloseHandle(token);
  return ok;
}

bool read_file(const std::wstring& path, std::string* text) {
  HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER size = {};
  bool ok = GetFileSizeEx(f, &size) && size.QuadPart < (1LL << 30);
  DWORD got = 0;
  if (ok) {
    text->resize(static_cast<size_t>(size.QuadPart));
    ok = ReadFile(f, &(*text)[0], static_cast<DWORD>(text->size()), &got, nullptr) &&
         got == text->size();
  }
  CloseHandle(f);
  return ok;
}

bool write_file(const std::wstring& path, const std::string& text) {
  HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  DWORD wrote = 0;
  const DWORD size = static_cast<DWORD>(text.size());
  bool ok = WriteFile(f, text.data(), size, &wrote, nullptr) && wrote == size;
  return CloseHandle(f) && ok;
}

// d's value as a digit of `base` (8 or 16), or -1.
int digit(char d, int base) {
  const int v = d >= '0' && d <= '9' ? d - '0'
                : d >= 'a' && d <= 'f' ? d - 'a' + 10
                : d >= 'A' && d <= 'F' ? d - 'A' + 10 : -1;
  return v < base ? v : -1;
}

// The server writes characters above 127 as \x and hex digits, control
// characters as C or octal escapes, and puts a backslash before a
// backslash and before the quoting characters. Reads one such text from
// s[*i] up to `end` (not escaped), leaving *i past it.
bool unescape(const std::string& s, size_t* i, char end, std::wstring* out) {
  out->clear();
  while (*i < s.size()) {
    const char c = s[(*i)++];
    if (c == end) return true;
    if (c != '\\') {
      out->push_back(static_cast<unsigned char>(c));
      continue;
    }
    if (*i >= s.size()) return false;
    const char e = s[(*i)++];
    const char* named = strchr("abtnvfre", e);
    if (named && e != 0) {
      static const wchar_t kNamed[] = {7, 8, 9, 10, 11, 12, 13, 27};
      out->push_back(kNamed[named - "abtnvfre"]);
    } else if (e == 'x' || (e >= '0' && e <= '7')) {
      const int base = e == 'x' ? 16 : 8, most = e == 'x' ? 4 : 3;
      unsigned v = e == 'x' ? 0 : e - '0';
      for (int n = e == 'x' ? 0 : 1; n < most && *i < s.size() && digit(s[*i], base) >= 0; ++n)
        v = v * base + digit(s[(*i)++], base);
      out->push_back(static_cast<wchar_t>(v));
    } else {
      out->push_back(static_cast<unsigned char>(e));
    }
  }
  return false;
}

std::vector<BYTE> utf16_with_nul(const std::wstring& w) {
  std::vector<BYTE> data((w.size() + 1) * sizeof(wchar_t));
  memcpy(data.data(), w.c_str(), data.size());
  return data;
}

// The type in "str(N):" or "hex(N):" (hex digits) at s[*i], leaving *i
// past the colon.
bool type_in_brackets(const std::string& s, size_t* i, DWORD* type) {
  char* after = nullptr;
  *type = strtoul(s.c_str() + *i + 4, &after, 16);
  *i = after - s.c_str();
  if (s.compare(*i, 2, "):") != 0) return false;
  *i += 2;
  return true;
}

// One value's data as the server wrote it after "NAME=": a string (str(N):
// for the other string types), dword:, or hex: / hex(N): bytes.
bool parse_data(const std::string& s, size_t i, DWORD* type, std::vector<BYTE>* data) {
  std::wstring text;
  *type = REG_SZ;
  if (s.compare(i, 4, "str(") == 0 && !type_in_brackets(s, &i, type)) return false;
  if (i < s.size() && s[i] == '"') {
    ++i;
    if (!unescape(s, &i, '"', &text)) return false;
    *data = utf16_with_nul(text);
    return true;
  }
  if (s.compare(i, 6, "dword:") == 0) {
    *type = REG_DWORD;
    const DWORD v = strtoul(s.c_str() + i + 6, nullptr, 16);
    data->assign(reinterpret_cast<const BYTE*>(&v), reinterpret_cast<const BYTE*>(&v) + 4);
    return true;
  }
  if (s.compare(i, 4, "hex:") == 0) {
    *type = REG_BINARY;
    i += 4;
  } else if (s.compare(i, 4, "hex(") != 0 || !type_in_brackets(s, &i, type)) {
    return false;
  }
  data->clear();
  for (; i + 1 < s.size(); i += 3) {
    data->push_back(static_cast<BYTE>(strtoul(s.substr(i, 2).c_str(), nullptr, 16)));
    if (i + 2 < s.size() && s[i + 2] != ',') return false;
  }
  return i >= s.size();
}

// The next line of the saved text from *pos, with the lines a hex value
// continues on ("\" at the end, the next indented) joined to it: no other
// line ends in a backslash.
std::string next_line(const std::string& text, size_t* pos) {
  std::string line;
  while (*pos < text.size()) {
    size_t end = text.find('\n', *pos);
    if (end == std::string::npos) end = text.size();
    line.append(text, *pos, end - *pos);
    *pos = end + 1;
    if (line.empty() || line.back() != '\\') break;
    line.pop_back();
    while (*pos < text.size() && text[*pos] == ' ') ++*pos;
  }
  return line;
}

struct DumpLines {
  std::string out;
  std::unordered_set<std::wstring> keys;  // the keys given a line so far
  std::string key_line;                   // "[KEY]" of the values that follow
};

// "[KEY]" for PATH and each key above it not yet given one: the server
// leaves out a key that holds nothing but subkeys.
void add_key(DumpLines* r, const std::wstring& path, size_t root_len) {
  for (size_t cut = root_len; cut != std::wstring::npos; cut = path.find(L'\\', cut + 1)) {
    const std::wstring above = path.substr(0, cut);
    if (r->keys.insert(above).second) r->out += to_utf8(L"[" + above + L"]") + "\n";
  }
  if (r->keys.insert(path).second) r->out += to_utf8(L"[" + path + L"]") + "\n";
  r->key_line = to_utf8(L"[" + path + L"]");
}

bool refuse(const std::string& line, std::wstring* bad) {
  *bad = from_utf8(line);
  return false;
}

// The saved text of the root named ROOT into r's lines; false, with the
// line that could not be read, on a text not in the server's format.
bool read_saved(const std::string& text, const std::wstring& root, DumpLines* r,
                std::wstring* bad) {
  size_t pos = 0;
  bool in_key = false;
  std::wstring name, path;
  std::vector<BYTE> data;
  while (pos < text.size()) {
    const std::string line = next_line(text, &pos);
    if (line.empty() || line[0] == '#' || line[0] == ';' || line.rfind("WINE REGISTRY", 0) == 0)
      continue;
    size_t i = 1;
    if (line[0] == '[') {
      if (!unescape(line, &i, ']', &path)) return refuse(line, bad);
      add_key(r, path.empty() ? root : root + L"\\" + path, root.size());
      in_key = true;
      continue;
    }
    name.clear();
    if (line[0] == '@') {
      i = 1;
    } else if (line[0] != '"' || !unescape(line, &i, '"', &name)) {
      return refuse(line, bad);
    }
    DWORD type = 0;
    if (!in_key || i >= line.size() || line[i] != '=' || !parse_data(line, i + 1, &type, &data))
      return refuse(line, bad);
    r->out += r->key_line + "|" +
              to_utf8(exported(name, type, data, static_cast<DWORD>(data.size()))) + "\n";
  }
  return true;
}

// The root's tree as the server saves it, through a file beside PATH.
int dump_root(const RegistryRoot& root, const std::wstring& path, DumpLines* r) {
  const std::wstring saved = path + L".saved";
  DeleteFileW(saved.c_str());
  LSTATUS s = RegSaveKeyW(root.key, saved.c_str(), nullptr);
  std::string text;
  const bool got = s == ERROR_SUCCESS && read_file(saved, &text);
  DeleteFileW(saved.c_str());
  if (s != ERROR_SUCCESS)
    return fail(L"reg-dump: cannot save " + std::wstring(root.shortName) + L": error " +
                std::to_wstring(s));
  if (!got) return fail(L"reg-dump: cannot read back " + saved);
  add_key(r, root.longName, wcslen(root.longName));
  std::wstring bad;
  if (!read_saved(text, root.longName, r, &bad))
    return fail(L"reg-dump: a line of the saved " + std::wstring(root.shortName) +
                L" not understood: " + bad);
  return kOk;
}

}  // namespace

int cmd_reg_dump(const Args& a) {
  if (a.rest.empty() || a.file.empty()) return usage(L"reg-dump --file PATH HKLM|HKCU...");
  std::vector<const RegistryRoot*> roots;
  for (const std::wstring& name : a.rest) {
    const RegistryRoot* root = registry_root(name);
    if (!root) return usage(L"reg-dump: HKLM or HKCU, not " + name);
    roots.push_back(root);
  }
  if (!enable_backup_privilege()) return fail(L"reg-dump: cannot switch on SeBackupPrivilege");
  const std::wstring path = windows_path(a.file);
  DumpLines r;
  for (const RegistryRoot* root : roots)
    if (int rc = dump_root(*root, path, &r)) return rc;
  if (!write_file(path, r.out)) return fail(L"reg-dump: cannot write " + path);
  return kOk;
}
