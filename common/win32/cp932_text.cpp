#include "common/win32/cp932_text.h"

#include <windows.h>

#include <cstring>

#include "common/win32/japanese_font.h"

namespace {

constexpr UINT ShiftJis = 932;

bool Widen(const char* bytes, size_t length, DWORD flags, std::wstring* wide) {
  wide->clear();
  if (length == 0) return true;
  const int n = MultiByteToWideChar(ShiftJis, flags, bytes, static_cast<int>(length), nullptr, 0);
  if (n <= 0) return false;
  wide->resize(static_cast<size_t>(n));
  return MultiByteToWideChar(ShiftJis, flags, bytes, static_cast<int>(length), &(*wide)[0], n) == n;
}

}  // namespace

std::wstring WideText(const char* text) {
  std::wstring wide;
  if (!Widen(text, std::strlen(text), 0, &wide)) wide.clear();
  return wide;
}

bool WidePath(const char* path, std::wstring* wide) {
  return WideBytes(path, std::strlen(path), wide);
}

bool WideBytes(const char* bytes, size_t length, std::wstring* wide) {
  return Widen(bytes, length, MB_ERR_INVALID_CHARS, wide);
}

bool Cp932Text(const wchar_t* wide, std::string* text) {
  return Cp932Bytes(wide, std::wcslen(wide), text);
}

bool Cp932Bytes(const wchar_t* wide, size_t length, std::string* text) {
  text->clear();
  if (length == 0) return true;
  // No best fit: a character 932 lacks would otherwise come back as a
  // look-alike (a plain 'a' for an accented one) or as '?'.
  const int count = static_cast<int>(length);
  BOOL lost = FALSE;
  const int n = WideCharToMultiByte(ShiftJis, WC_NO_BEST_FIT_CHARS, wide, count, nullptr, 0,
                                    "?", &lost);
  if (n <= 0) return false;
  text->resize(static_cast<size_t>(n));
  if (WideCharToMultiByte(ShiftJis, WC_NO_BEST_FIT_CHARS, wide, count, &(*text)[0], n, "?",
                          &lost) != n)
    text->clear();
  return !lost && !text->empty();
}

bool Cp932Into(const wchar_t* wide, char* out, size_t size) {
  std::string text;
  const bool ok = Cp932Text(wide, &text) && text.size() < size;
  if (size > 0) {
    const size_t n = ok ? text.size() : 0;
    std::memcpy(out, text.data(), n);
    out[n] = '\0';
  }
  return ok;
}

int MessageBox932(HWND owner, const char* text, const char* caption, UINT flags) {
  return MessageBoxJapanese(owner, WideText(text).c_str(), WideText(caption).c_str(), flags);
}

int MessageBoxNaming932(HWND owner, const char* text, const wchar_t* name, const char* caption,
                        UINT flags) {
  const std::wstring shown = WideText(text) + L"\n\n" + name;
  return MessageBoxJapanese(owner, shown.c_str(), WideText(caption).c_str(), flags);
}

void SetWindowText932(HWND window, const char* text) {
  SetWindowTextW(window, WideText(text).c_str());
}

void SetItemText932(HWND dialog, int id, const char* text) {
  SetDlgItemTextW(dialog, id, WideText(text).c_str());
}

bool ItemText932(HWND dialog, int id, std::string* text) {
  HWND item = GetDlgItem(dialog, id);
  std::wstring wide(static_cast<size_t>(GetWindowTextLengthW(item)) + 1, L'\0');
  wide.resize(static_cast<size_t>(GetWindowTextW(item, &wide[0], static_cast<int>(wide.size()))));
  return Cp932Text(wide.c_str(), text);
}
