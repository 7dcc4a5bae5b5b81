// Where the native program keeps score.dat, and its one-instance lock.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "game/scores/score_file.h"
#include "game/scores/score_port.h"
#include "game/scores/score_table.h"
#include "game/scores/sdl2/native_places.h"

namespace {
struct PlaceCase {
  const char* xdg;
  const char* home;
  const char* folder;
};

TEST(NativePlaces, TheDataFolderFollowsTheXdgRules) {
  const PlaceCase cases[] = {
      {"/data/p", "/home/p", "/data/p/zarvel"},
      {nullptr, "/home/p", "/home/p/.local/share/zarvel"},
      {"", "/home/p", "/home/p/.local/share/zarvel"},
      {"relative/dir", "/home/p", "/home/p/.local/share/zarvel"},  // not absolute: ignored
      {nullptr, "relative", ""},
      {nullptr, nullptr, ""},
      {"/x", nullptr, "/x/zarvel"},
  };
  for (const PlaceCase& c : cases)
    EXPECT_EQ(c.folder, NativeDataFolder(c.xdg, c.home)) << (c.xdg ? c.xdg : "(null)") << " "
                                                        << (c.home ? c.home : "(null)");
}

std::string TempFolder() {
  char name[] = "/tmp/zarvel_places_XXXXXX";
  return mkdtemp(name) ? name : "";
}

TEST(NativePlaces, ScoresGoToTheDataFolderMadeWithItsParents) {
  std::string root = TempFolder();
  std::string folder = root + "/deep/er/zarvel";
  ASSERT_EQ(1, MakeFolders(folder));
  struct stat s;
  ASSERT_EQ(0, stat(folder.c_str(), &s));
  EXPECT_EQ(0700u, s.st_mode & 0777);
  SetScoreFolder(folder);
  EXPECT_EQ(folder + "/score.dat", PortScorePath());
  EXPECT_EQ("", PortFallbackScorePath());
  ClearScores();
  LoadScores();
  InsertScore("AB CD", 1234);
  ASSERT_EQ(1, SaveScores());
  ClearScores();
  ASSERT_EQ(1, LoadScores());
  EXPECT_STREQ("AB CD", ScoreTable[0].name);
  EXPECT_EQ(1234, ScoreTable[0].score);
  SetScoreFolder("");  // no folder: nothing is written
  EXPECT_EQ(0, SaveScores());
  // Writable: an existing file is kept as it is, a new one is not left behind.
  struct stat kept;
  EXPECT_EQ(1, PortCanWriteFile(folder + "/score.dat"));
  ASSERT_EQ(0, stat((folder + "/score.dat").c_str(), &kept));
  EXPECT_GT(kept.st_size, 10);
  EXPECT_EQ(1, PortCanWriteFile(folder + "/probe.dat"));
  EXPECT_NE(0, access((folder + "/probe.dat").c_str(), F_OK));
  ASSERT_EQ(0, mkdir((folder + "/dir.dat").c_str(), 0700));
  EXPECT_EQ(0, PortCanWriteFile(folder + "/dir.dat"));
  EXPECT_EQ(0, PortCanWriteFile(root + "/missing/score.dat"));
  // A file where the folder should be: no folder, and nothing made over it.
  std::string blocked = root + "/file";
  std::fclose(std::fopen(blocked.c_str(), "w"));
  EXPECT_EQ(0, MakeFolders(blocked + "/zarvel"));
  std::system(("rm -rf " + root).c_str());
}

TEST(NativePlaces, TheLockKeepsToOneGameAndGoesWithIt) {
  std::string root = TempFolder();
  std::string lock = root + "/zarvel.lock";
  ASSERT_EQ(LockTaken, TakeInstanceLock(lock));
  // A second program: another process holding its own descriptor.
  pid_t child = fork();
  if (child == 0) _exit(TakeInstanceLock(lock));
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_EQ(LockHeld, WEXITSTATUS(status));
  ReleaseInstanceLock();
  child = fork();
  if (child == 0) _exit(TakeInstanceLock(lock));
  waitpid(child, &status, 0);
  EXPECT_EQ(LockTaken, WEXITSTATUS(status));
  // A lock file planted as a link is not followed.
  std::string planted = root + "/planted.lock";
  ASSERT_EQ(0, symlink((root + "/elsewhere").c_str(), planted.c_str()));
  EXPECT_EQ(LockFailed, TakeInstanceLock(planted));
  EXPECT_NE(0, access((root + "/elsewhere").c_str(), F_OK));
  EXPECT_EQ(LockFailed, TakeInstanceLock(root + "/no/such/folder/zarvel.lock"));
  std::system(("rm -rf " + root).c_str());
}
}  // namespace
