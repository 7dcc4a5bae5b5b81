// Both programs keep their texts, paths and files in code page 932
// (Shift-JIS), whatever the system's own code page is. Windows gets them as
// UTF-16 through these, and what it hands back comes through them into 932:
// always code page 932 itself, never the system's ANSI code page, which is
// 932 only on a Japanese system.
#pragma once
#include <windows.h>

#include <cstddef>
#include <string>

// A text to show. Bytes that are no Shift-JIS character show as Windows
// shows them (a dot).
std::wstring WideText(const char* text);
// A path, name or command line to act on, or bytes of a given length (NULs
// and all). False for bytes that are no Shift-JIS: such a path names no file
// of ours, and a look-alike must not be created, opened or deleted instead.
bool WidePath(const char* path, std::wstring* wide);
bool WideBytes(const char* bytes, size_t length, std::wstring* wide);
// The same as one value, for a W call: ok is false for no Shift-JIS.
struct WidePathOf {
  std::wstring text;
  bool ok;
  explicit WidePathOf(const char* path) : ok(WidePath(path, &text)) {}
  const wchar_t* c_str() const { return text.c_str(); }
};
// From Windows into code page 932. False when a character has no form there
// (Korean, an emoji, a lone surrogate): the caller refuses the text rather
// than keep a look-alike. The text then has a '?' for each, to read what the
// rest says, never to act on.
bool Cp932Text(const wchar_t* wide, std::string* text);
bool Cp932Bytes(const wchar_t* wide, size_t length, std::string* text);
// The same into a buffer of `size` bytes with its NUL: false also when it
// does not fit (the buffer is then empty).
bool Cp932Into(const wchar_t* wide, char* out, size_t size);

// The USER32 calls both programs make with such texts.
int MessageBox932(HWND owner, const char* text, const char* caption, UINT flags);
// The text, an empty line and a name as Windows gave it: what was refused
// is shown as it is, though 932 cannot hold it.
int MessageBoxNaming932(HWND owner, const char* text, const wchar_t* name, const char* caption,
                        UINT flags);
void SetWindowText932(HWND window, const char* text);
void SetItemText932(HWND dialog, int id, const char* text);
// A control's text in code page 932; false when a character has no form there.
bool ItemText932(HWND dialog, int id, std::string* text);
