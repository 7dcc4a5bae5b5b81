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

// A save: the new file written whole beside the old, then put in its place
// in one step, whether or not a table was there before.
TEST(ScorePort, ANewFileReplacesTheOldOnlyWhenWhole) {
  char temp[MAX_PATH];
  std::string folder(temp, GetTempPathA(sizeof temp, temp));
  std::string file = folder + "zarvel_replace.dat", fresh = file + ".new";
  const struct { bool oldThere; } cases[] = {{true}, {false}};
  for (const auto& c : cases) {
    DeleteFileA(file.c_str());
    if (c.oldThere) ASSERT_EQ(PortWriteWholeFile(file, "OLD\r\n1\r\n"), 1);
    ASSERT_EQ(PortWriteWholeFile(fresh, "NEW\r\n2\r\n"), 1);
    EXPECT_EQ(PortReplaceFile(fresh, file), 1) << c.oldThere;
    char text[32] = {};
    DWORD read = 0;
    HANDLE h = CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ReadFile(h, text, sizeof text - 1, &read, nullptr);
    CloseHandle(h);
    EXPECT_STREQ(text, "NEW\r\n2\r\n") << c.oldThere;
    EXPECT_EQ(GetFileAttributesA(fresh.c_str()), INVALID_FILE_ATTRIBUTES) << c.oldThere;
  }
  EXPECT_EQ(PortWriteWholeFile(folder + "no_such_folder\\score.dat", "X"), 0);
  EXPECT_EQ(PortReplaceFile(fresh, file), 0);  // nothing to put in its place
  DeleteFileA(file.c_str());
}
