// Where the high scores go: the game's folder only when score.dat can be
// written there, and the probe leaves the folder as it found it.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "game/scores/score_port.h"

namespace {
std::string Folder() {
  char temp[MAX_PATH];
  DWORD n = GetTempPathA(sizeof temp, temp);
  std::string folder = std::string(temp, n) + "zarvel_score_port";
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
}  // namespace

TEST(ScorePort, WritableOnlyWhereAFileCanBeWritten) {
  std::string folder = Folder(), file = folder + "\\score.dat";
  enum Stands { Nothing, AFile, AFolder };
  struct Case {
    Stands there;
    int32_t writable;
  } cases[] = {{Nothing, 1}, {AFile, 1}, {AFolder, 0}};
  for (const Case& c : cases) {
    DeleteFileA(file.c_str());
    RemoveDirectoryA(file.c_str());
    if (c.there == AFile) {
      HANDLE h = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
      DWORD written = 0;
      WriteFile(h, "A\r\n9\r\n", 6, &written, nullptr);
      CloseHandle(h);
    }
    if (c.there == AFolder) CreateDirectoryA(file.c_str(), nullptr);
    EXPECT_EQ(PortCanWriteFile(file), c.writable) << c.there;
    // Asking changes nothing: no file made, none cut short.
    EXPECT_EQ(Exists(file), c.there != Nothing) << c.there;
    if (c.there == AFile) {
      WIN32_FILE_ATTRIBUTE_DATA data = {};
      GetFileAttributesExA(file.c_str(), GetFileExInfoStandard, &data);
      EXPECT_EQ(data.nFileSizeLow, 6u);
    }
  }
  DeleteFileA(file.c_str());
  RemoveDirectoryA(file.c_str());
  RemoveDirectoryA(folder.c_str());
}
