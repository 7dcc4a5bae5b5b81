// Reads a text file with the system's own calls: shared reading, so a file
// that another program has open (an editor, the medium's autorun) still loads.
#include "setup/install/text_file.h"

#include <windows.h>

#include "common/win32/cp932_text.h"

#include <cstdint>

LoadResult ReadTextFile(const char* path, char** text, size_t* size) {
  std::wstring wide;
  if (!WidePath(path, &wide)) return LoadMissing;
  HANDLE file = CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return LoadMissing;
  DWORD high = 0;
  DWORD low = GetFileSize(file, &high);
  if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) {
    CloseHandle(file);
    return LoadMissing;
  }
  uint64_t fileSize = (static_cast<uint64_t>(high) << 32) | low;
  size_t bytes = 0;
  LoadResult result = TextBufferSize(fileSize, SIZE_MAX, &bytes);
  char* buffer = result == LoadOk ? NewText(bytes - 1) : nullptr;
  if (result == LoadOk && !buffer) result = LoadNoMemory;
  if (result != LoadOk) {
    CloseHandle(file);
    return result;
  }
  // A file that opens but cannot be read counts as unreadable: an empty text
  // would install with every default instead of what the file says.
  DWORD read = 0;
  BOOL ok = ReadFile(file, buffer, low, &read, nullptr);
  CloseHandle(file);
  if (!ok) {
    FreeText(buffer);
    return LoadMissing;
  }
  buffer[read] = 0;
  *text = buffer;
  if (size) *size = read;
  return LoadOk;
}
