// reg-value KEY NAME: a string value read through the W functions, so that
// it comes out whole whatever the system's code page (reg.exe prints in it).
#include "zdrive.h"

int cmd_reg_value(const Args& a) {
  if (a.rest.size() != 2) return usage(L"reg-value KEY NAME");
  const struct { const wchar_t* name; HKEY key; } roots[] = {
      {L"HKLM\\", HKEY_LOCAL_MACHINE}, {L"HKCU\\", HKEY_CURRENT_USER}};
  const std::wstring& path = a.rest[0];
  for (const auto& root : roots) {
    const size_t n = wcslen(root.name);
    if (path.compare(0, n, root.name) != 0) continue;
    wchar_t data[2048] = {};
    DWORD size = sizeof data - sizeof(wchar_t);
    LSTATUS r = RegGetValueW(root.key, path.c_str() + n, a.rest[1].c_str(),
                             RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND, nullptr, data,
                             &size);
    if (r != ERROR_SUCCESS) return fail(L"no string value " + a.rest[1] + L" in " + path);
    out_line(data);
    return kOk;
  }
  return usage(L"reg-value: the key starts with HKLM\\ or HKCU\\");
}
