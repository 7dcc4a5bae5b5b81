#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "setup/uninstall/host/fake_system.h"
#include "setup/uninstall/item_removal.h"
#include "setup/uninstall/uninstall_run.h"

namespace {

using Paths = std::vector<std::string>;

const char* Windows = "C:\\WINDOWS";
const char* System = "C:\\WINDOWS\\system32";

void MakeMachine() {
  FakeDiskReset();
  FakeDiskAddFolder("C:\\");
  FakeDiskAddFolder("C:\\WINDOWS");
  FakeDiskAddFolder("C:\\WINDOWS\\system32");
  FakeDiskAddFile("C:\\WINDOWS\\win.ini");
  FakeDiskAddFile("C:\\WINDOWS\\system32\\kernel32.dll");
}

bool Called(const std::string& call) {
  for (const std::string& c : FakeDiskCalls())
    if (c == call) return true;
  return false;
}

}  // namespace

TEST(UninstallRemoval, EmptiedFoldersAreClimbedButTheDriveRootNeverTried) {
  MakeMachine();
  FakeDiskAddFolder("C:\\Games");
  FakeDiskAddFolder("C:\\Games\\Foo");
  FakeDiskAddFolder("C:\\Games\\Foo\\data");
  const RemovalResult r = RemoveLoggedItem("C:\\Games\\Foo\\data", Windows, System);
  EXPECT_EQ(r.foldersRemoved, 3);
  EXPECT_FALSE(FakeDiskExists("C:\\Games"));
  EXPECT_TRUE(FakeDiskExists("C:\\"));
  EXPECT_FALSE(Called("rmdir C:"));
  EXPECT_FALSE(Called("rmdir C:\\"));
}

TEST(UninstallRemoval, AFolderThatStillHoldsAnythingStopsTheClimb) {
  struct Case { Paths extra; const char* item; int32_t removed; Paths left; };
  const Case cases[] = {
      // Something else in C:\Games: only Foo\data and Foo go.
      {{"C:\\Games\\other.txt"}, "C:\\Games\\Foo\\data", 2, {"C:\\Games", "C:\\Games\\other.txt"}},
      // Something left in the folder itself: nothing goes.
      {{"C:\\Games\\Foo\\data\\x.dat"}, "C:\\Games\\Foo\\data", 0,
       {"C:\\Games", "C:\\Games\\Foo", "C:\\Games\\Foo\\data", "C:\\Games\\Foo\\data\\x.dat"}},
  };
  for (const Case& c : cases) {
    MakeMachine();
    FakeDiskAddFolder("C:\\Games");
    FakeDiskAddFolder("C:\\Games\\Foo");
    FakeDiskAddFolder("C:\\Games\\Foo\\data");
    for (const std::string& p : c.extra) FakeDiskAddFile(p);
    EXPECT_EQ(RemoveLoggedItem(c.item, Windows, System).foldersRemoved, c.removed);
    for (const std::string& p : c.left) EXPECT_TRUE(FakeDiskExists(p)) << p;
  }
}

TEST(UninstallRemoval, TheClimbStopsBelowTheWindowsAndSystemFolders) {
  MakeMachine();
  FakeDiskReset();
  FakeDiskAddFolder("C:\\WINDOWS");  // an empty Windows folder, as a test can have it
  FakeDiskAddFolder("C:\\WINDOWS\\system32");
  FakeDiskAddFolder("C:\\WINDOWS\\system32\\zarvel");
  EXPECT_EQ(RemoveLoggedItem("C:\\WINDOWS\\system32\\zarvel", Windows, System).foldersRemoved, 1);
  EXPECT_TRUE(FakeDiskExists("C:\\WINDOWS\\system32"));
  EXPECT_TRUE(FakeDiskExists("C:\\WINDOWS"));
  EXPECT_FALSE(Called("rmdir C:\\WINDOWS\\system32"));
}

TEST(UninstallRemoval, RefusedRecordsTouchNothing) {
  const char* items[] = {"", "C:", "C:\\", "C:\\WINDOWS", "c:\\windows\\system32\\", "ZARVEL",
                         "C:\\Games\\..", "\\\\server\\share"};
  for (const char* item : items) {
    MakeMachine();
    const RemovalResult r = RemoveLoggedItem(item, Windows, System);
    EXPECT_EQ(r.refused, 1) << item;
    EXPECT_TRUE(FakeDiskCalls().empty()) << item;
  }
}

TEST(UninstallRemoval, AFileInUseStaysAndIsNotRetried) {
  MakeMachine();
  FakeDiskAddFolder("C:\\Games");
  FakeDiskAddFile("C:\\Games\\tzk.exe", "", true);
  const RemovalResult r = RemoveLoggedItem("C:\\Games\\tzk.exe", Windows, System);
  EXPECT_EQ(r.fileDeleted, 0);
  EXPECT_EQ(r.foldersRemoved, 0);
  EXPECT_TRUE(FakeDiskExists("C:\\Games\\tzk.exe"));
  EXPECT_EQ(FakeDiskCalls(), (Paths{"delete C:\\Games\\tzk.exe", "isfolder C:\\Games\\tzk.exe"}));
}

TEST(UninstallRemoval, ShortPathTakesEachComponentsAliasOrItsOwnName) {
  struct Case { const char* path; int32_t ok; const char* shortPath; };
  const Case cases[] = {
      {"C:\\Program Files\\ZARVEL Game\\zarvel_uninstall.exe", 1, "C:\\PROGRA~1\\ZARVEL~1\\ZARVEL~1.EXE"},
      {"C:\\WINDOWS\\zarvel.exe", 1, "C:\\WINDOWS\\zarvel.exe"},
      {"c:\\windows\\zarvel.exe", 1, "c:\\windows\\zarvel.exe"},  // the caller's spelling of short names
      {"C:\\WINDOWS\\missing.exe", 0, "C:\\WINDOWS"},               // stops at the first missing one
      {"C:\\Nowhere\\zarvel.exe", 0, "C:"},
      {"C:\\WINDOWS\\zarv*.exe", 0, "C:\\WINDOWS"},                  // no search by pattern
      {"C:\\WINDOWS\\\x83*.exe", 0, "C:\\WINDOWS"},  // not hidden behind a lead byte either
      {"C:", 1, "C:"},
      {"C", 0, "C"},
  };
  for (const Case& c : cases) {
    FakeDiskReset();
    FakeDiskAddFolder("C:\\Program Files");
    FakeDiskSetAlias("C:\\Program Files", "PROGRA~1");
    FakeDiskAddFolder("C:\\Program Files\\ZARVEL Game");
    FakeDiskSetAlias("C:\\Program Files\\ZARVEL Game", "ZARVEL~1");
    FakeDiskAddFile("C:\\Program Files\\ZARVEL Game\\zarvel_uninstall.exe", "ZARVEL~1.EXE");
    FakeDiskAddFolder("C:\\WINDOWS");
    FakeDiskAddFile("C:\\WINDOWS\\zarvel.exe");
    FakeDiskAddFile("C:\\WINDOWS\\zarvel_u.exe", "ZARVEL~1.EXE");
    char buffer[260] = "";
    EXPECT_EQ(ToShortPath(c.path, buffer, sizeof buffer), c.ok) << c.path;
    EXPECT_STREQ(buffer, c.shortPath) << c.path;
  }
}

TEST(UninstallRemoval, ShortPathWalksTwoByteNamesWhole) {
  FakeDiskReset();
  // "ソフト" holds the byte 5C inside its first character.
  const std::string folder = "C:\\\x83\x5C\x83t\x83g";
  FakeDiskAddFolder(folder);
  FakeDiskSetAlias(folder, "\x83\x5C\x83t\x83g");
  FakeDiskAddFile(folder + "\\u.exe");
  char buffer[260] = "";
  EXPECT_EQ(ToShortPath((folder + "\\u.exe").c_str(), buffer, sizeof buffer), 1);
  EXPECT_EQ(std::string(buffer), folder + "\\u.exe");
  EXPECT_EQ(FakeDiskCalls(), (Paths{"find " + folder, "find " + folder + "\\u.exe"}));
}

TEST(UninstallRemoval, RebootDeletionFallsBackToWininitWithTheShortPath) {
  struct Case {
    bool systemWorks;
    const char* path;
    RebootDeletion how;
    Paths rename;  // [Rename] of C:\WINDOWS\WININIT.INI afterwards
  };
  const Case cases[] = {
      {true, "C:\\WINDOWS\\zarvel_uninstall.exe", RebootDeletionBySystem, {"NUL=C:\\OLD.EXE"}},
      {false, "C:\\WINDOWS\\zarvel_uninstall.exe", RebootDeletionByWininit,
       {"NUL=C:\\OLD.EXE", "NUL=C:\\WINDOWS\\ZARVEL~1.EXE"}},
      // A path that does not lead to the file would name its folder: nothing written.
      {false, "C:\\WINDOWS\\gone.exe", RebootDeletionNone, {"NUL=C:\\OLD.EXE"}},
  };
  for (const Case& c : cases) {
    FakeDiskReset();
    FakeDiskAddFolder("C:\\WINDOWS");
    FakeDiskAddFile("C:\\WINDOWS\\zarvel_uninstall.exe", "ZARVEL~1.EXE");
    FakeDiskSetProfileSection("C:\\WINDOWS\\WININIT.INI", "Rename", {"NUL=C:\\OLD.EXE"});
    FakeDiskSetDelayedDeletion(c.systemWorks);
    EXPECT_EQ(ScheduleDeleteAtReboot(c.path), c.how) << c.path;
    EXPECT_EQ(FakeDiskProfileSection("C:\\WINDOWS\\WININIT.INI", "Rename"), c.rename) << c.path;
  }
}

TEST(UninstallRemoval, RebootDeletionWithoutAWindowsFolderWritesNothing) {
  FakeDiskReset();
  FakeDiskAddFolder("C:\\WINDOWS");
  FakeDiskAddFile("C:\\WINDOWS\\u.exe");
  FakeDiskSetDelayedDeletion(false);
  FakeDiskSetWindowsFolder("");
  EXPECT_EQ(ScheduleDeleteAtReboot("C:\\WINDOWS\\u.exe"), RebootDeletionNone);
  EXPECT_TRUE(FakeDiskProfileSection("C:\\WINDOWS\\WININIT.INI", "Rename").empty());
}
