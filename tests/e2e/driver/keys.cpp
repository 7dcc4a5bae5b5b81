// Typing into a window as a user would: the keys go through the system's
// input queue (SendInput), so the program sees key messages and
// GetAsyncKeyState alike.
#include "zdrive.h"

struct KeyName {
  const wchar_t* name;
  WORD vk;
  bool extended;  // the grey keys beside the main block
};

static constexpr KeyName kKeys[] = {
    {L"ESC", VK_ESCAPE, false},    {L"ESCAPE", VK_ESCAPE, false},
    {L"ENTER", VK_RETURN, false},  {L"RETURN", VK_RETURN, false},
    {L"SPACE", VK_SPACE, false},   {L"TAB", VK_TAB, false},
    {L"BACKSPACE", VK_BACK, false}, {L"BS", VK_BACK, false},
    {L"SHIFT", VK_SHIFT, false},   {L"CTRL", VK_CONTROL, false},
    {L"CONTROL", VK_CONTROL, false}, {L"ALT", VK_MENU, false},
    {L"PAUSE", VK_PAUSE, false},
    {L"LEFT", VK_LEFT, true},      {L"RIGHT", VK_RIGHT, true},
    {L"UP", VK_UP, true},          {L"DOWN", VK_DOWN, true},
    {L"INSERT", VK_INSERT, true},  {L"DELETE", VK_DELETE, true},
    {L"HOME", VK_HOME, true},      {L"END", VK_END, true},
    {L"PGUP", VK_PRIOR, true},     {L"PGDN", VK_NEXT, true},
    {L"F1", VK_F1, false},   {L"F2", VK_F2, false},   {L"F3", VK_F3, false},
    {L"F4", VK_F4, false},   {L"F5", VK_F5, false},   {L"F6", VK_F6, false},
    {L"F7", VK_F7, false},   {L"F8", VK_F8, false},   {L"F9", VK_F9, false},
    {L"F10", VK_F10, false}, {L"F11", VK_F11, false}, {L"F12", VK_F12, false},
    {L"NUM0", VK_NUMPAD0, false}, {L"NUM1", VK_NUMPAD1, false},
    {L"NUM2", VK_NUMPAD2, false}, {L"NUM3", VK_NUMPAD3, false},
    {L"NUM4", VK_NUMPAD4, false}, {L"NUM5", VK_NUMPAD5, false},
    {L"NUM6", VK_NUMPAD6, false}, {L"NUM7", VK_NUMPAD7, false},
    {L"NUM8", VK_NUMPAD8, false}, {L"NUM9", VK_NUMPAD9, false},
};

static constexpr DWORD kGapMs = 20;  // between keys, so a polling loop sees each

static bool same_name(const std::wstring& a, const wchar_t* b) {
  return lstrcmpiW(a.c_str(), b) == 0;
}

// A key name, a letter or a digit; false when it is none of these.
static bool lookup_key(const std::wstring& name, WORD* vk, bool* extended) {
  for (const KeyName& k : kKeys)
    if (same_name(name, k.name)) {
      *vk = k.vk;
      *extended = k.extended;
      return true;
    }
  if (name.size() == 1) {
    wchar_t c = name[0];
    if (c >= L'a' && c <= L'z') c = (wchar_t)(c - L'a' + L'A');
    if ((c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9')) {
      *vk = (WORD)c;
      *extended = false;
      return true;
    }
  }
  return false;
}

static bool send_key(WORD vk, bool extended, bool up) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.wScan = (WORD)MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
  in.ki.dwFlags = (extended ? KEYEVENTF_EXTENDEDKEY : 0) | (up ? KEYEVENTF_KEYUP : 0);
  return SendInput(1, &in, sizeof in) == 1;
}

// Characters as they are, whatever the keyboard layout: each arrives as a
// WM_CHAR of that character.
static bool send_text(const std::wstring& text) {
  for (wchar_t c : text) {
    INPUT in[2] = {};
    for (int i = 0; i < 2; ++i) {
      in[i].type = INPUT_KEYBOARD;
      in[i].ki.wScan = c;
      in[i].ki.dwFlags = KEYEVENTF_UNICODE | (i ? KEYEVENTF_KEYUP : 0);
    }
    if (SendInput(2, in, sizeof in[0]) != 2) return false;
    Sleep(5);
  }
  return true;
}

// focus:ID moves the dialog's focus as the Tab key would, by WM_NEXTDLGCTL.
static int focus_control(const Args& a, HWND top, const std::wstring& id) {
  HWND c = nullptr;
  if (int r = need_control(a, top, id, &c)) return r;
  HWND dialog = c == top ? top : GetParent(c);
  if (!PostMessageW(dialog, WM_NEXTDLGCTL, (WPARAM)c, TRUE)) return fail(L"cannot focus " + id);
  return kOk;
}

static bool prefixed(const std::wstring& s, const wchar_t* p, std::wstring* rest) {
  size_t n = lstrlenW(p);
  if (s.size() < n || s.compare(0, n, p) != 0) return false;
  *rest = s.substr(n);
  return true;
}

static int one_key(const Args& a, HWND top, const std::wstring& tok) {
  std::wstring arg;
  WORD vk = 0;
  bool ext = false;
  if (prefixed(tok, L"text:", &arg))
    return send_text(arg) ? kOk : fail(L"typing failed: " + tok);
  if (prefixed(tok, L"sleep:", &arg)) {
    long long ms = 0;
    if (!parse_int(arg, &ms) || ms < 0) return usage(L"bad sleep: " + tok);
    Sleep((DWORD)ms);
    return kOk;
  }
  if (prefixed(tok, L"focus:", &arg))
    return focus_control(a, top, arg);
  bool down = prefixed(tok, L"down:", &arg);
  bool up = !down && prefixed(tok, L"up:", &arg);
  if (!down && !up) arg = tok;
  if (!lookup_key(arg, &vk, &ext)) return usage(L"unknown key: " + tok);
  if (down) return send_key(vk, ext, false) ? kOk : fail(L"key failed: " + tok);
  if (up) return send_key(vk, ext, true) ? kOk : fail(L"key failed: " + tok);
  if (!send_key(vk, ext, false)) return fail(L"key failed: " + tok);
  Sleep(a.hold_ms);
  if (!send_key(vk, ext, true)) return fail(L"key failed: " + tok);
  Sleep(kGapMs);
  return kOk;
}

// A misspelt key is found before anything is typed.
static bool valid_token(const std::wstring& tok) {
  std::wstring arg;
  long long n = 0;
  WORD vk;
  bool ext;
  if (prefixed(tok, L"text:", &arg)) return true;
  if (prefixed(tok, L"sleep:", &arg) || prefixed(tok, L"focus:", &arg))
    return parse_int(arg, &n) && n >= 0;
  if (!prefixed(tok, L"down:", &arg) && !prefixed(tok, L"up:", &arg)) arg = tok;
  return lookup_key(arg, &vk, &ext);
}

int cmd_keys(const Args& a) {
  if (a.rest.empty()) return usage(L"keys: no keys given");
  for (const std::wstring& tok : a.rest)
    if (!valid_token(tok)) return usage(L"keys: not a key: " + tok);
  HWND top = nullptr;
  if (int r = need_window(a, &top)) return r;
  if (!bring_to_front(top, a.timeout_ms))
    fail(L"warning: " + describe(a.sel) + L" did not come to the front; typing anyway");
  for (const std::wstring& tok : a.rest) {
    int r = one_key(a, top, tok);
    if (r != kOk) return r;
  }
  // Let the program take the last keys before a script looks at the result.
  Sleep(kGapMs);
  return kOk;
}
