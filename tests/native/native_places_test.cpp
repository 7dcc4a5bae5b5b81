// Where the native program keeps score.dat, and its one-instance lock.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <cstring>
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
  SetScoreFolder("");  // no folder when the table is read: nothing is written
  LoadScores();
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

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// The system's file size limit stops a save part way (as a full disk or a
// quota would): the table on disk stays the previous one, whole.
TEST(NativePlaces, ASaveCutShortByTheSizeLimitKeepsThePreviousTable) {
  std::string folder = TempFolder();
  SetScoreFolder(folder);
  ClearScores();
  LoadScores();
  for (int32_t place = 1; place <= ScorePlaces; ++place) InsertScore("OLD", 100 * place);
  ASSERT_EQ(1, SaveScores());
  const std::string before = Slurp(folder + "/score.dat");
  InsertScore("NEW", 5000);
  const rlim_t whole = FormatScoreFile().size();
  struct Case {
    rlim_t limit;  // bytes a file may have
    int saved;
  } cases[] = {{0, 0}, {64, 0}, {whole - 1, 0}, {whole, 1}};
  for (const Case& c : cases) {
    pid_t child = fork();
    if (child == 0) {
      signal(SIGXFSZ, SIG_IGN);  // the write fails instead of ending the process
      struct rlimit limit = {c.limit, c.limit};
      setrlimit(RLIMIT_FSIZE, &limit);
      _exit(SaveScores());
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status)) << c.limit;
    EXPECT_EQ(c.saved, WEXITSTATUS(status)) << c.limit;
    EXPECT_EQ(c.saved ? FormatScoreFile() : before, Slurp(folder + "/score.dat")) << c.limit;
    EXPECT_NE(0, access((folder + "/score.dat.new").c_str(), F_OK)) << c.limit;
  }
  SetScoreFolder("");
  std::system(("rm -rf " + folder).c_str());
}

int LockErrno = 0;
int FailingLock(int, int) {
  errno = LockErrno;
  return -1;
}

// Only a lock another process holds is another game: a folder that takes no
// locks (NFS without its lock service) plays on without one.
TEST(NativePlaces, OnlyALockHeldElsewhereMeansAnotherGame) {
  const struct {
    int error;
    LockResult result;
  } cases[] = {{EWOULDBLOCK, LockHeld}, {ENOLCK, LockFailed}, {EINVAL, LockFailed}, {EINTR, LockFailed}};
  std::string root = TempFolder();
  for (const auto& c : cases) {
    LockErrno = c.error;
    InstanceLockCall = FailingLock;
    int32_t error = 0;
    EXPECT_EQ(c.result, TakeInstanceLock(root + "/zarvel.lock", &error)) << std::strerror(c.error);
    EXPECT_EQ(c.error, error);
  }
  InstanceLockCall = flock;
  std::system(("rm -rf " + root).c_str());
}
}  // namespace
