// Bitmaps from the program's resources and from files in the current folder.
#include "game/media/bitmap_port.h"

#include <windows.h>

#include "common/win32/cp932_text.h"

int32_t PortFindBitmapResource(const char* name, std::vector<uint8_t>& bytes) {
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC found = FindResourceW(module, WideText(name).c_str(), MAKEINTRESOURCEW(2));  // RT_BITMAP
  if (!found) return 0;
  HGLOBAL loaded = LoadResource(module, found);
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (!data) {
    OutputDebugStringW(L"lock resource failed\n");
    return 0;
  }
  const uint8_t* begin = static_cast<const uint8_t*>(data);
  bytes.assign(begin, begin + SizeofResource(module, found));
  return 1;
}

int32_t PortReadDataFile(const char* name, size_t limit, std::vector<uint8_t>& bytes) {
  bytes.clear();
  std::wstring path;
  if (!WidePath(name, &path)) return 0;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 0;
  DWORD high = 0;
  DWORD size = GetFileSize(file, &high);
  size_t want = high || size == INVALID_FILE_SIZE || size > limit ? limit : size;
  bytes.resize(want);
  DWORD got = 0;
  if (want && !ReadFile(file, bytes.data(), static_cast<DWORD>(want), &got, nullptr)) got = 0;
  bytes.resize(got);
  CloseHandle(file);
  return 1;
}

void PortDebugLine(const char* text) { OutputDebugStringW(WideText(text).c_str()); }
