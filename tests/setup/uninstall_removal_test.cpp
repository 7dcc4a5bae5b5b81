#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "setup/uninstall/host/fake_system.h"
#include "setup/uninstall/item_removal.h"
#include "setup/uninstall/removal_places.h"
#include "setup/uninstall/uninstall_run.h"

namespace {

using Paths = std::vector<std::string>;

// A machine as the uninstaller sees it, installed to C:\Games\Foo.
RemovalPlaces Places(const char* installFolder = "C:\\Games\\Foo") {
  RemovalPlaces p;
  std::strcpy(p.installFolder, installFolder);
  std::strcpy(p.windowsFolder, "C:\\WINDOWS");
  std::strcpy(p.systemFolder, "C:\\WINDOWS\\system32");
  const char* start = "C:\\Users\\kim\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu";
  std::strcpy(p.shortcutFolders[ShortcutStartUp], (std::string(start) + "\\Programs\\Startup").c_str());
  std::strcpy(p.shortcutFolders[ShortcutDesktop], "C:\\Users\\kim\\Desktop");
  std::strcpy(p.shortcutFolders[ShortcutSendTo], "C:\\Users\\kim\\AppData\\Roaming\\Microsoft\\Windows\\SendTo");
  std::strcpy(p.shortcutFolders[ShortcutPrograms], (std::string(start) + "\\Programs").c_str());
  for (const char* kept : {"C:\\Users\\kim", "C:\\Users\\kim\\Documents", "C:\\Program Files", start})
    AddKeptFolder(p, kept);
  return p;
}

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
  const RemovalResult r = RemoveLoggedItem("C:\\Games\\Foo\\data", Places());
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
    EXPECT_EQ(RemoveLoggedItem(c.item, Places()).foldersRemoved, c.removed);
    for (const std::string& p : c.left) EXPECT_TRUE(FakeDiskExists(p)) << p;
  }
}

TEST(UninstallRemoval, TheClimbStopsBelowEveryKeptFolder) {
  // Each install folder's parents are all empty; the climb takes them up to
  // the first folder the system or the user keeps, never that one.
  struct Case { const char* install; const char* kept; int32_t removed; };
  const char* menu = "C:\\Users\\kim\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu";
  const std::string programs = std::string(menu) + "\\Programs";
  const std::string group = programs + "\\ZARVEL";
  const Case cases[] = {
      {"C:\\WINDOWS\\system32\\zarvel", "C:\\WINDOWS\\system32", 1},
      {"C:\\WINDOWS\\zarvel\\x", "C:\\WINDOWS", 2},
      {"C:\\Users\\kim\\Games\\Foo", "C:\\Users\\kim", 2},
      {"C:\\Users\\kim\\Documents\\Foo", "C:\\Users\\kim\\Documents", 1},
      {"C:\\Users\\kim\\Desktop\\Foo", "C:\\Users\\kim\\Desktop", 1},
      {"C:\\Program Files\\Foo", "C:\\Program Files", 1},
      {group.c_str(), programs.c_str(), 1},
      {"C:\\Users\\kim\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Foo", menu, 1},
      {"C:\\Users\\kim\\AppData\\Foo", "C:\\Users\\kim\\AppData", 1},  // above the start menu
      {"D:\\Games\\Foo", "D:", 2},
  };
  for (const Case& c : cases) {
    FakeDiskReset();
    FakeDiskAddFolder(c.install);
    std::string up = c.install;
    while (up.size() > 3 && up.rfind('\\') != std::string::npos) {
      up = up.substr(0, up.rfind('\\'));
      FakeDiskAddFolder(up);
    }
    const RemovalResult r = RemoveLoggedItem(c.install, Places(c.install));
    EXPECT_EQ(r.foldersRemoved, c.removed) << c.install;
    EXPECT_TRUE(FakeDiskExists(c.kept)) << c.install;
    EXPECT_FALSE(Called(std::string("rmdir ") + c.kept)) << c.install;
  }
}

TEST(UninstallRemoval, EachPlaceAllowsOnlyWhatTheInstallerPutsThere) {
  struct Case { const char* item; bool folder; int32_t refused; bool gone; };
  const Case cases[] = {
      {"C:\\Games\\Foo\\a.dat", false, 0, true},                    // the install folder: anything
      {"C:\\Games\\Foo\\data", true, 0, true},
      {"C:\\WINDOWS\\zarvel.dll", false, 0, true},                    // Windows and system: files
      {"C:\\WINDOWS\\system32\\sub\\zarvel.dll", false, 0, true},
      {"C:\\WINDOWS\\zarvel", true, 0, false},                        // ...but no folders
      {"C:\\Users\\kim\\Desktop\\ZARVEL.lnk", false, 0, true},    // shell folders: shortcuts
      {"C:\\Users\\kim\\Desktop\\thesis.docx", false, 1, false},
      {"C:\\Users\\kim\\Desktop\\Work", true, 1, false},
      {"C:\\Users\\kim\\Desktop.lnk", false, 1, false},             // beside the desktop
      {"C:\\Users\\kim\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Z\\Z.LNK", false, 0, true},
      {"C:\\Users\\kim\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Z", true, 0, true},
      {"C:\\Users\\kim\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Z\\z.ini", false, 0, false},
      {"C:\\Users\\kim\\Documents\\thesis.docx", false, 1, false},  // nowhere of ours
      {"C:\\Games\\Other\\a.dat", false, 1, false},
      {"C:\\Games\\Foo2\\a.dat", false, 1, false},
  };
  for (const Case& c : cases) {
    MakeMachine();
    if (c.folder)
      FakeDiskAddFolder(c.item);
    else
      FakeDiskAddFile(c.item);
    const RemovalResult r = RemoveLoggedItem(c.item, Places());
    EXPECT_EQ(r.refused, c.refused) << c.item;
    EXPECT_EQ(!FakeDiskExists(c.item), c.gone) << c.item;
  }
}

TEST(UninstallRemoval, NothingIsDeletedThroughAJunction) {
  // C:\Games\Foo\docs is a junction to the user's documents, which hold a
  // file of the same name; so is an install folder replaced by one.
  struct Case { const char* link; const char* item; };
  const Case cases[] = {
      {"C:\\Games\\Foo\\docs", "C:\\Games\\Foo\\docs\\thesis.docx"},
      {"C:\\Games\\Foo\\docs", "C:\\Games\\Foo\\docs"},
      {"C:\\Games\\Foo", "C:\\Games\\Foo\\thesis.docx"},
      {"C:\\Games", "C:\\Games\\Foo\\thesis.docx"},
  };
  for (const Case& c : cases) {
    MakeMachine();
    FakeDiskAddLink(c.link);
    FakeDiskAddFile(std::string(c.link) + "\\thesis.docx");
    FakeDiskAddFile("C:\\Games\\Foo\\docs\\thesis.docx");
    EXPECT_EQ(RemoveLoggedItem(c.item, Places()).refused, 1) << c.item;
    EXPECT_TRUE(FakeDiskCalls().empty()) << c.item;
  }
}

TEST(UninstallRemoval, RefusedRecordsTouchNothing) {
  // Every form a hand-edited log could use to reach outside the places.
  const char* items[] = {"", "C:", "C:\\", "C:\\WINDOWS", "c:\\windows\\system32\\", "ZARVEL",
                         "C:\\Games\\..", "\\\\server\\share",
                         "C:\\Games\\Foo\\..\\..\\Users\\kim\\Documents\\thesis.docx",
                         "C:\\Games\\Foo/../../Users/kim/Documents/thesis.docx",
                         "C:\\Games\\Foo\\x/..\\a.dat",
                         "\\\\?\\C:\\Games\\Foo\\a.dat", "\\\\.\\C:\\Games\\Foo\\a.dat",
                         "\\\\server\\share\\Games\\Foo\\a.dat", "\\\\?\\UNC\\server\\share\\a.dat",
                         "C:\\Games\\Foo\\.\\a.dat", "C:\\Games\\Foo\\a.dat.", "C:\\Games\\Foo\\a.dat:x",
                         "C:\\Users\\kim\\Documents\\thesis.docx"};
  for (const char* item : items) {
    MakeMachine();
    const RemovalResult r = RemoveLoggedItem(item, Places());
    EXPECT_EQ(r.refused, 1) << item;
    EXPECT_TRUE(FakeDiskCalls().empty()) << item;
  }
}

TEST(UninstallRemoval, AFileInUseStaysAndIsNotRetried) {
  MakeMachine();
  FakeDiskAddFolder("C:\\Games");
  FakeDiskAddFile("C:\\Games\\tzk.exe", "", true);
  const RemovalResult r = RemoveLoggedItem("C:\\Games\\tzk.exe", Places("C:\\Games"));
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

TEST(UninstallRemoval, TheUninstallerSchedulesOnlyItsOwnFileWhereTheInstallerPutsIt) {
  struct Case { const char* recorded; const char* running; int32_t may; };
  const Case cases[] = {
      {"C:\\WINDOWS\\zarvel_u.exe", "C:\\windows\\ZARVEL_U.EXE", 1},
      {"C:\\Games\\Foo\\setup.exe", "C:\\Games\\Foo\\setup.exe", 1},  // in place
      {"C:\\WINDOWS\\zarvel_u.exe", "D:\\setup.exe", 0},              // started from the medium
      {"C:\\Users\\kim\\Documents\\thesis.docx", "C:\\Users\\kim\\Documents\\thesis.docx", 0},
      {"C:\\WINDOWS\\system32\\zarvel_u.exe", "C:\\WINDOWS\\system32\\zarvel_u.exe", 0},
      {"C:\\WINDOWS\\..\\zarvel_u.exe", "C:\\WINDOWS\\..\\zarvel_u.exe", 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(UninstallerMayGo(Places(), c.recorded, c.running), c.may) << c.recorded;
}
