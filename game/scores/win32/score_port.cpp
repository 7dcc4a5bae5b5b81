#include "game/scores/score_port.h"

#include <windows.h>

#include "common/win32/cp932_text.h"

// Paths travel as UTF-8 between these calls: they never enter a file, and so
// the game keeps its scores in a folder of any name, Japanese or not.
namespace {

std::string Utf8(const wchar_t* wide, size_t length) {
  const int count = static_cast<int>(length);
  const int n = WideCharToMultiByte(CP_UTF8, 0, wide, count, nullptr, 0, nullptr, nullptr);
  if (n <= 0) return std::string();
  std::string text(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide, count, &text[0], n, nullptr, nullptr);
  return text;
}

std::wstring Wide(const std::string& path) {
  const int count = static_cast<int>(path.size());
  const int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path.data(), count, nullptr, 0);
  if (n <= 0) return std::wstring();
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path.data(), count, &wide[0], n);
  return wide;
}

std::string FallbackFolder() {
  wchar_t appData[MAX_PATH];
  DWORD n = GetEnvironmentVariableW(L"APPDATA", appData, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return std::string();
  return Utf8(appData, n) + "\\ZARVEL";
}

}  // namespace

// The current directory, as the game always kept it there.
std::string PortScorePath() {
  wchar_t folder[MAX_PATH];
  DWORD n = GetCurrentDirectoryW(MAX_PATH, folder);
  if (n == 0 || n >= MAX_PATH) return std::string();
  std::string path = Utf8(folder, n);
  if (path.empty()) return path;
  if (path.back() != '\\') path += '\\';
  return path + "score.dat";
}

std::string PortFallbackScorePath() {
  std::string folder = FallbackFolder();
  return folder.empty() ? folder : folder + "\\score.dat";
}

int32_t PortCanWriteFile(const std::string& path) {
  const std::wstring wide = Wide(path);
  HANDLE file = CreateFileW(wide.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    CloseHandle(file);
    return 1;
  }
  // A folder of that name, or a file we may not write: no.
  if (GetLastError() != ERROR_FILE_NOT_FOUND) return 0;
  file = CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                     FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 0;
  CloseHandle(file);
  return 1;
}

int32_t PortMakeFallbackFolder() {
  const std::wstring folder = Wide(FallbackFolder());
  if (folder.empty()) return 0;
  CreateDirectoryW(folder.c_str(), nullptr);
  DWORD a = GetFileAttributesW(folder.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) ? 1 : 0;
}

int32_t PortWriteWholeFile(const std::string& path, const std::string& text) {
  const std::wstring wide = Wide(path);
  if (wide.empty()) return 0;
  HANDLE file = CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 0;
  DWORD written = 0;
  BOOL ok = WriteFile(file, text.data(), DWORD(text.size()), &written, nullptr) &&
            written == text.size() && FlushFileBuffers(file);
  return CloseHandle(file) && ok ? 1 : 0;
}

int32_t PortReplaceFile(const std::string& from, const std::string& to) {
  const std::wstring wideFrom = Wide(from);
  const std::wstring wideTo = Wide(to);
  if (wideFrom.empty() || wideTo.empty()) return 0;
  return MoveFileExW(wideFrom.c_str(), wideTo.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
             ? 1
             : 0;
}

void PortRemoveFile(const std::string& path) {
  const std::wstring wide = Wide(path);
  if (!wide.empty()) DeleteFileW(wide.c_str());
}

std::FILE* PortOpenScoreFile(const std::string& path, const char* mode) {
  const std::wstring wide = Wide(path);
  const std::wstring wideMode(mode, mode + std::char_traits<char>::length(mode));
  return wide.empty() ? nullptr : _wfopen(wide.c_str(), wideMode.c_str());
}

void PortScoreDebug(const char* text) { OutputDebugStringW(WideText(text).c_str()); }
