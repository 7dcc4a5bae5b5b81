#include "game/scores/score_port.h"

#include <windows.h>

// The current directory, as the game always kept it there.
std::string PortScorePath() {
  char folder[MAX_PATH];
  DWORD n = GetCurrentDirectoryA(sizeof folder, folder);
  if (n == 0 || n >= sizeof folder) return std::string();
  std::string path(folder, n);
  if (path.back() != '\\') path += '\\';
  return path + "score.dat";
}

static std::string FallbackFolder() {
  char appData[MAX_PATH];
  DWORD n = GetEnvironmentVariableA("APPDATA", appData, sizeof appData);
  if (n == 0 || n >= sizeof appData) return std::string();
  return std::string(appData, n) + "\\ZARVEL";
}

std::string PortFallbackScorePath() {
  std::string folder = FallbackFolder();
  return folder.empty() ? folder : folder + "\\score.dat";
}

int32_t PortCanWriteFile(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    CloseHandle(file);
    return 1;
  }
  // A folder of that name, or a file we may not write: no.
  if (GetLastError() != ERROR_FILE_NOT_FOUND) return 0;
  file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                     FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 0;
  CloseHandle(file);
  return 1;
}

int32_t PortMakeFallbackFolder() {
  std::string folder = FallbackFolder();
  if (folder.empty()) return 0;
  CreateDirectoryA(folder.c_str(), nullptr);
  DWORD a = GetFileAttributesA(folder.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) ? 1 : 0;
}

void PortScoreDebug(const char* text) { OutputDebugStringA(text); }
