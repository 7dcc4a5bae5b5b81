// The game's folder takes the high scores only when score.dat can be
// written there; asking leaves the folder as it was.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "game/scores/score_port.h"

TEST(ScorePort, WritableOnlyWhereAFileCanBeWritten) {
  char temp[MAX_PATH];
  std::string file = std::string(temp, GetTempPathA(sizeof temp, temp)) + "zarvel_score.dat";
  enum Stands { Nothing, AFile, AFolder };
  const struct { Stands there; int32_t writable; DWORD size; } cases[] = {
      {Nothing, 1, 0}, {AFile, 1, 6}, {AFolder, 0, 0}};
  for (const auto& c : cases) {
    if (c.there == AFile) {
      HANDLE h = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
      DWORD written = 0;
      WriteFile(h, "A\r\n9\r\n", 6, &written, nullptr);
      CloseHandle(h);
    }
    if (c.there == AFolder) CreateDirectoryA(file.c_str(), nullptr);
    EXPECT_EQ(PortCanWriteFile(file), c.writable) << c.there;
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    EXPECT_EQ(GetFileAttributesExA(file.c_str(), GetFileExInfoStandard, &data) != 0, c.there != Nothing)
        << c.there;  // no file made, none cut short
    EXPECT_EQ(data.nFileSizeLow, c.size) << c.there;
    DeleteFileA(file.c_str());
    RemoveDirectoryA(file.c_str());
  }
}
