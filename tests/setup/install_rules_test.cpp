#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "setup/install/copy_rules.h"
#include "setup/install/ensure_folder.h"
#include "setup/install/install_paths.h"

namespace {
std::string Bytes(int n, char c = 'a') { return std::string(static_cast<size_t>(n), c); }
}  // namespace

TEST(InstallPaths, JoinPathSkipsEmptyPartsAndRefusesPast259Bytes) {
  const std::string folder12 = "C:\\" + Bytes(9);  // 12 bytes
  struct Case {
    std::string folder, a, b, c;
    int length;  // -1: refused
    std::string joined;
  } cases[] = {
      {"C:", "x.dat", "", "", 8, "C:\\x.dat"},
      {"C:\\Foo", "", "sub", "x", 12, "C:\\Foo\\sub\\x"},
      {"C:\\Foo", "disk2", "", "x", 14, "C:\\Foo\\disk2\\x"},
      {"", "x", "", "", 2, "\\x"},
      {folder12, Bytes(246), "", "", 259, folder12 + "\\" + Bytes(246)},
      {folder12, Bytes(247), "", "", -1, ""},
      {folder12, Bytes(100), Bytes(100), Bytes(44), 259,
       folder12 + "\\" + Bytes(100) + "\\" + Bytes(100) + "\\" + Bytes(44)},
      {folder12, Bytes(100), Bytes(100), Bytes(45), -1, ""},
      {Bytes(259), "x", "", "", -1, ""},
  };
  for (const Case& c : cases) {
    char out[PathBufferSize] = "junk";
    EXPECT_EQ(c.length, JoinPath(out, c.folder.c_str(), c.a.c_str(), c.b.c_str(), c.c.c_str()))
        << c.joined;
    EXPECT_EQ(c.joined, out);
  }
}

TEST(InstallPaths, DisplayJoinKeepsWhatThePathJoinRefuses) {
  char out[DisplayPathSize];
  std::string entry = Bytes(255);
  JoinForDisplay(out, ("C:\\" + Bytes(250)).c_str(), Bytes(200).c_str(), entry.c_str());
  EXPECT_EQ(3u + 250 + 1 + 200 + 1 + 255, std::string(out).size());
}

TEST(InstallPaths, AppendToPathRefusesWholeAndLeavesThePath) {
  char out[PathBufferSize];
  std::string base = Bytes(255);
  std::strcpy(out, base.c_str());
  EXPECT_TRUE(AppendToPath(out, ".lnk"));  // 259
  EXPECT_FALSE(AppendToPath(out, "x"));
  EXPECT_EQ(base + ".lnk", out);
}

TEST(CopyRules, CopyModeDecidesOnStrictlyNewerDestinations) {
  struct Case {
    CopyModeKind mode;
    bool destExists;
    uint64_t destTime;
    bool sourceExists;
    uint64_t sourceTime;
    CopyAction action;
  } cases[] = {
      {CopyOverWrite, true, 9, true, 1, CopyReplacing},
      {CopyOverWrite, false, 0, true, 1, CopyReplacing},
      {CopyIfNotExit, true, 1, true, 9, CopyUnlessPresent},
      {CopyIfNotExit, false, 0, true, 9, CopyUnlessPresent},
      {CopyNewDateOverWrite, true, 10, true, 9, KeepDestination},
      {CopyNewDateOverWrite, true, 9, true, 9, CopyReplacing},  // equally old: replaced
      {CopyNewDateOverWrite, true, 8, true, 9, CopyReplacing},
      {CopyNewDateOverWrite, false, 0, true, 9, CopyReplacing},
      {CopyNewDateOverWrite, true, 10, false, 0, CopyReplacing},  // no source: the copy fails
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.action, DecideCopy(c.mode, c.destExists, c.destTime, c.sourceExists, c.sourceTime))
        << c.mode << " " << c.destTime << " " << c.sourceTime;
}

TEST(CopyRules, OnlyInstallListFailuresOutsideIfNotExitAreShown) {
  struct Case {
    int32_t list;
    CopyModeKind mode;
    bool shown;
  } cases[] = {
      {0, CopyOverWrite, true}, {0, CopyNewDateOverWrite, true}, {0, CopyIfNotExit, false},
      {1, CopyOverWrite, false}, {2, CopyNewDateOverWrite, false}, {2, CopyIfNotExit, false},
  };
  for (const Case& c : cases) EXPECT_EQ(c.shown, ShowsCopyFailure(c.list, c.mode));
}

TEST(CopyRules, OnlyTheFolderBitAloneMakesTheMediumAFolder) {
  EXPECT_TRUE(MediaIsFolder(0x10));
  EXPECT_FALSE(MediaIsFolder(0x11));  // a read-only folder reads as a marker
  EXPECT_FALSE(MediaIsFolder(0x30));
  EXPECT_FALSE(MediaIsFolder(0x20));
}

TEST(EnsureFolderWalk, ParentIsCutAtTheLastBackslashAndStopsAtADriveColon) {
  struct Case {
    const char* path;
    int parent;
  } cases[] = {
      {"C:\\Games\\Foo", 8}, {"C:\\Games", 2}, {"C:", -1}, {"Games", -1},
      {"C:Games\\x", 7},     {"C:Games", -1},  {"\\x", 0}, {"", -1},
  };
  for (const Case& c : cases) EXPECT_EQ(c.parent, ParentLength(c.path)) << c.path;
}
