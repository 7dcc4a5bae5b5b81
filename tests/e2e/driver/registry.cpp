// The registry as the tests read it, through the W functions and in the
// test's own zdrive (reg.exe prints in the system's code page, costs a Wine
// process a call, and on a loaded machine now and then fails to start):
//   reg-key KEY                 present or absent
//   reg-get KEY NAME            the value as reg.exe shows it: strings as
//                               they are, REG_DWORD as 0x..., REG_MULTI_SZ
//                               joined by \0, other data as hex digits;
//                               nothing when the key or the value is absent
// (reg-dump is reg_dump.cpp's.) KEY starts with HKLM or HKCU. A key that
// exists but cannot be read fails reg-key and reg-get.
#include "zdrive.h"

#include <cstring>
#include <cwchar>

namespace {

const RegistryRoot kRoots[] = {{L"HKLM", L"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},
                               {L"HKCU", L"HKEY_CURRENT_USER", HKEY_CURRENT_USER}};

// KEY's root and the path below it; false when it names no root we know.
bool split_key(const std::wstring& key, const RegistryRoot** root, std::wstring* below) {
  for (const RegistryRoot& r : kRoots) {
    const size_t n = wcslen(r.shortName);
    if (key.compare(0, n, r.shortName) != 0) continue;
    if (key.size() == n) {
      *root = &r;
      below->clear();
      return true;
    }
    if (key[n] != L'\\') continue;
    *root = &r;
    *below = key.substr(n + 1);
    while (!below->empty() && below->back() == L'\\') below->pop_back();
    return true;
  }
  return false;
}

// Opens KEY for reading: ERROR_FILE_NOT_FOUND when it is absent.
LSTATUS open_key(const std::wstring& key, HKEY* out) {
  const RegistryRoot* root = nullptr;
  std::wstring below;
  if (!split_key(key, &root, &below)) return ERROR_INVALID_PARAMETER;
  return RegOpenKeyExW(root->key, below.c_str(), 0, KEY_READ, out);
}

std::wstring error_text(LSTATUS r) { return L"error " + std::to_wstring(r); }

// v in hex digits, at least `width` of them.
std::wstring hex(unsigned long long v, int width, bool upper = false) {
  const wchar_t* digits = upper ? L"0123456789ABCDEF" : L"0123456789abcdef";
  std::wstring s;
  for (; v != 0 || width > 0; v >>= 4, --width) s.insert(s.begin(), digits[v & 15]);
  return s;
}

// The data's bytes in hex: "01,ff" as reg export writes them, "01FF" as
// reg query shows them.
std::wstring hex_bytes(const std::vector<BYTE>& data, DWORD size, bool query) {
  std::wstring s;
  for (DWORD i = 0; i < size; ++i) {
    if (i > 0 && !query) s += L',';
    s += hex(data[i], 2, query);
  }
  return s;
}

template <typename T>
T number(const std::vector<BYTE>& data) {
  T v;
  memcpy(&v, data.data(), sizeof v);
  return v;
}

// The string data up to its first NUL (or the data's end).
std::wstring string_data(const std::vector<BYTE>& data, DWORD size) {
  const wchar_t* w = reinterpret_cast<const wchar_t*>(data.data());
  size_t n = size / sizeof(wchar_t);
  size_t len = 0;
  while (len < n && w[len] != 0) ++len;
  return std::wstring(w, len);
}

// As reg.exe's query shows data.
std::wstring shown(DWORD type, const std::vector<BYTE>& data, DWORD size) {
  switch (type) {
    case REG_SZ:
    case REG_EXPAND_SZ:
      return string_data(data, size);
    case REG_DWORD:
      if (size != 4) break;
      return L"0x" + hex(number<DWORD>(data), 1);
    case REG_QWORD:
      if (size != 8) break;
      return L"0x" + hex(number<unsigned long long>(data), 1);
    case REG_MULTI_SZ: {
      const wchar_t* w = reinterpret_cast<const wchar_t*>(data.data());
      size_t n = size / sizeof(wchar_t);
      while (n > 0 && w[n - 1] == 0) --n;  // the list's terminators
      std::wstring s;
      for (size_t i = 0; i < n; ++i) s += w[i] ? std::wstring(1, w[i]) : std::wstring(L"\\0");
      return s;
    }
  }
  return hex_bytes(data, size, true);
}

// A name or string as reg export quotes it.
std::wstring quoted(const std::wstring& w) {
  std::wstring s = L"\"";
  for (wchar_t c : w) {
    if (c == L'\\' || c == L'"') s += L'\\';
    if (c == L'\n') {
      s += L"\\n";
      continue;
    }
    s += c;
  }
  return s + L"\"";
}

}  // namespace

// As reg export writes a value, its continued lines joined.
std::wstring exported(const std::wstring& name, DWORD type, const std::vector<BYTE>& data,
                      DWORD size) {
  std::wstring s = name.empty() ? L"@=" : quoted(name) + L"=";
  if (type == REG_SZ) return s + quoted(string_data(data, size));
  if (type == REG_DWORD && size == 4) return s + L"dword:" + hex(number<DWORD>(data), 8);
  s += type == REG_BINARY ? L"hex:" : L"hex(" + hex(type, 1) + L"):";
  return s + hex_bytes(data, size, false);
}

const RegistryRoot* registry_root(const std::wstring& name) {
  for (const RegistryRoot& r : kRoots)
    if (_wcsicmp(name.c_str(), r.shortName) == 0) return &r;
  return nullptr;
}

int cmd_reg_key(const Args& a) {
  if (a.rest.size() != 1) return usage(L"reg-key KEY");
  HKEY key = nullptr;
  LSTATUS r = open_key(a.rest[0], &key);
  if (r == ERROR_INVALID_PARAMETER) return usage(L"reg-key: the key starts with HKLM or HKCU");
  if (r == ERROR_FILE_NOT_FOUND) {
    out_line(L"absent");
    return kOk;
  }
  if (r != ERROR_SUCCESS) return fail(L"reg-key " + a.rest[0] + L": " + error_text(r));
  RegCloseKey(key);
  out_line(L"present");
  return kOk;
}

int cmd_reg_get(const Args& a) {
  if (a.rest.size() != 2) return usage(L"reg-get KEY NAME");
  HKEY key = nullptr;
  LSTATUS r = open_key(a.rest[0], &key);
  if (r == ERROR_INVALID_PARAMETER) return usage(L"reg-get: the key starts with HKLM or HKCU");
  if (r == ERROR_FILE_NOT_FOUND) return kOk;
  if (r != ERROR_SUCCESS) return fail(L"reg-get " + a.rest[0] + L": " + error_text(r));
  std::vector<BYTE> data(4096);
  DWORD type = 0, size = 0;
  for (;;) {
    size = static_cast<DWORD>(data.size());
    r = RegQueryValueExW(key, a.rest[1].c_str(), nullptr, &type, data.data(), &size);
    if (r != ERROR_MORE_DATA) break;
    data.resize(size + 2);
  }
  RegCloseKey(key);
  if (r == ERROR_FILE_NOT_FOUND) return kOk;
  if (r != ERROR_SUCCESS)
    return fail(L"reg-get " + a.rest[0] + L" " + a.rest[1] + L": " + error_text(r));
  out_line(shown(type, data, size));
  return kOk;
}
