// Text in and out: wide inside, UTF-8 on the pipes.
#include "zdrive.h"

std::string to_utf8(const std::wstring& w) {
  if (w.empty()) return {};
  int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), (int)w.size(), nullptr, 0, nullptr, nullptr);
  std::string s(n, '\0');
  WideCharToMultiByte(CP_UTF8, 0, w.data(), (int)w.size(), &s[0], n, nullptr, nullptr);
  return s;
}

std::wstring from_utf8(const std::string& s) {
  if (s.empty()) return {};
  int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), (int)s.size(), nullptr, 0);
  std::wstring w(n, L'\0');
  MultiByteToWideChar(CP_UTF8, 0, s.data(), (int)s.size(), &w[0], n);
  return w;
}

// While serving, a command's answer is gathered here, not written.
static std::string* captured_out = nullptr;
static std::string* captured_err = nullptr;

void capture_output(std::string* out, std::string* err) {
  captured_out = out;
  captured_err = err;
}

// WriteFile rather than stdio: the bytes reach the pipe as they are, with no
// code-page or line-end translation on the way.
void write_all(DWORD which, const std::string& s) {
  std::string* into = which == STD_OUTPUT_HANDLE ? captured_out : captured_err;
  if (into) {
    *into += s;
    return;
  }
  HANDLE h = GetStdHandle(which);
  const char* p = s.data();
  DWORD left = (DWORD)s.size();
  while (left > 0) {
    DWORD done = 0;
    if (!WriteFile(h, p, left, &done, nullptr) || done == 0) return;
    p += done;
    left -= done;
  }
}

void out_line(const std::wstring& w) { write_all(STD_OUTPUT_HANDLE, to_utf8(w) + "\n"); }

int fail(const std::wstring& w) {
  write_all(STD_ERROR_HANDLE, "zdrive: " + to_utf8(w) + "\n");
  return kFailed;
}

int usage(const std::wstring& w) {
  write_all(STD_ERROR_HANDLE, "zdrive: " + to_utf8(w) + "\n");
  return kUsage;
}

// WM_GETTEXT through a timeout: a hung program must not hang the test, and
// a program slow to answer on a busy machine must not read as an empty text.
bool read_text(HWND w, DWORD wait_ms, std::wstring* out) {
  DWORD_PTR len = 0;
  if (!SendMessageTimeoutW(w, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, wait_ms, &len)) return false;
  std::wstring t(len + 1, L'\0');
  DWORD_PTR got = 0;
  if (!SendMessageTimeoutW(w, WM_GETTEXT, len + 1, (LPARAM)&t[0], SMTO_NORMAL, wait_ms, &got))
    return false;
  t.resize(got < len ? got : len);
  *out = t;
  return true;
}

// For finding windows, which polls: an unanswered read is no match yet.
std::wstring window_text(HWND w) {
  std::wstring t;
  read_text(w, 2000, &t);
  return t;
}

std::wstring class_name(HWND w) {
  wchar_t buf[256] = {};
  GetClassNameW(w, buf, 256);
  return buf;
}

std::wstring hex_handle(HWND w) {
  unsigned long long v = (UINT_PTR)w;
  std::wstring digits;
  do {
    digits.insert(digits.begin(), L"0123456789abcdef"[v & 15]);
    v >>= 4;
  } while (v != 0);
  return L"0x" + digits;
}

bool parse_int(const std::wstring& s, long long* out) {
  if (s.empty()) return false;
  size_t i = 0;
  bool neg = false;
  if (s[0] == L'-') { neg = true; i = 1; }
  int base = 10;
  if (s.size() > i + 2 && s[i] == L'0' && (s[i + 1] == L'x' || s[i + 1] == L'X')) {
    base = 16;
    i += 2;
  }
  if (i >= s.size()) return false;
  long long v = 0;
  for (; i < s.size(); ++i) {
    wchar_t c = s[i];
    int d;
    if (c >= L'0' && c <= L'9') d = c - L'0';
    else if (base == 16 && c >= L'a' && c <= L'f') d = c - L'a' + 10;
    else if (base == 16 && c >= L'A' && c <= L'F') d = c - L'A' + 10;
    else return false;
    v = v * base + d;
    if (v > 0xFFFFFFFFLL) return false;
  }
  *out = neg ? -v : v;
  return true;
}

std::wstring one_line(const std::wstring& w) {
  std::wstring r;
  for (wchar_t c : w) {
    if (c == L'\t') r += L"\\t";
    else if (c == L'\r') r += L"\\r";
    else if (c == L'\n') r += L"\\n";
    else r += c;
  }
  return r;
}

DWORD time_left(DWORD deadline) {
  LONG d = (LONG)(deadline - GetTickCount());
  return d > 0 ? (DWORD)d : 0;
}

std::wstring describe(const Selector& sel) {
  std::wstring d;
  if (sel.has_cls) d += L"class \"" + sel.cls + L"\"";
  if (sel.has_title) d += (d.empty() ? L"" : L" ") + std::wstring(L"title \"") + sel.title + L"\"";
  if (sel.pid) d += (d.empty() ? L"" : L" ") + std::wstring(L"pid ") + std::to_wstring(sel.pid);
  if (sel.has_text) d += (d.empty() ? L"" : L" ") + std::wstring(L"text \"") + sel.text + L"\"";
  if (sel.hwnd) d += (d.empty() ? L"" : L" ") + std::wstring(L"handle ") + hex_handle(sel.hwnd);
  return d.empty() ? L"any window" : d;
}
