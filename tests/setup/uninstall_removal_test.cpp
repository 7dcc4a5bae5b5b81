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

const std::string StartMenu = "C:\\Users\\kim\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu";

// A machine as the uninstaller sees it, installed to C:\Games\Foo, with or
// without an install record.
RemovalPlaces Places(const char* installFolder = "C:\\Games\\Foo", const char* record = nullptr) {
  RemovalPlaces p;
  std::strcpy(p.installFolder, installFolder);
  std::strcpy(p.windowsFolder, "C:\\WINDOWS");
  std::strcpy(p.systemFolder, "C:\\WINDOWS\\system32");
  std::strcpy(p.shortcutFolders[ShortcutStartUp], (StartMenu + "\\Programs\\Startup").c_str());
  std::strcpy(p.shortcutFolders[ShortcutDesktop], "C:\\Users\\kim\\Desktop");
  std::strcpy(p.shortcutFolders[ShortcutSendTo], "C:\\Users\\kim\\AppData\\Roaming\\Microsoft\\Windows\\SendTo");
  std::strcpy(p.shortcutFolders[ShortcutPrograms], (StartMenu + "\\Programs").c_str());
  for (const char* kept : {"C:\\Users\\kim", "C:\\Users\\kim\\Documents", "C:\\Users\\kim\\Downloads",
                           "C:\\Program Files", StartMenu.c_str()})
    AddKeptFolder(p, kept);
  p.record = record;
  SettleRemovalPlaces(p);
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
  // With an install record naming every item (its group Programs\Z), each
  // place takes what the installer puts there; without one (an older
  // installer's log) only the install folder counts.
  enum Outcome { Refused, Kept, Gone };
  struct Case { std::string item; bool folder; Outcome withRecord; Outcome without; };
  const std::string programs = StartMenu + "\\Programs";
  const Case cases[] = {
      {"C:\\Games\\Foo\\a.dat", false, Gone, Gone},                    // the install folder: anything
      {"C:\\Games\\Foo\\data", true, Gone, Gone},
      {"C:\\WINDOWS\\zarvel.dll", false, Gone, Refused},               // Windows and system: files
      {"C:\\WINDOWS\\system32\\sub\\zarvel.dll", false, Gone, Refused},
      {"C:\\WINDOWS\\zarvel", true, Kept, Refused},                    // ...but no folders
      {"C:\\Users\\kim\\Desktop\\ZARVEL.lnk", false, Gone, Refused},   // shortcuts directly in
      {"C:\\Users\\kim\\Desktop\\Sub\\other.lnk", false, Refused, Refused},  // never deeper
      {"C:\\Users\\kim\\Desktop\\thesis.docx", false, Refused, Refused},
      {"C:\\Users\\kim\\Desktop\\Work", true, Refused, Refused},
      {"C:\\Users\\kim\\Desktop.lnk", false, Refused, Refused},        // beside the desktop
      {programs + "\\Z\\Z.LNK", false, Gone, Refused},                 // the group, its shortcuts
      {programs + "\\Z", true, Gone, Refused},
      {programs + "\\Z\\z.ini", false, Refused, Refused},
      {programs + "\\Z\\Sub\\z.lnk", false, Refused, Refused},
      {programs + "\\Vendor\\app.lnk", false, Refused, Refused},       // another program's group
      {programs + "\\Vendor", true, Refused, Refused},
      {"C:\\Users\\kim\\Documents\\thesis.docx", false, Refused, Refused},  // nowhere of ours
      {"C:\\Games\\Other\\a.dat", false, Refused, Refused},
      {"C:\\Games\\Foo2\\a.dat", false, Refused, Refused},
  };
  std::string record = "C:\\Games\\Foo\r\nC:\\Games\\Foo\\_inst_.log\r\n" + programs + "\\Z\r\n";
  for (const Case& c : cases) record += c.item + "\r\n";
  record += "Foo\r\nFoo\r\nC:\\WINDOWS\\u.exe\r\n";
  for (const bool withRecord : {true, false}) {
    for (const Case& c : cases) {
      MakeMachine();
      if (c.folder)
        FakeDiskAddFolder(c.item);
      else
        FakeDiskAddFile(c.item);
      const char* kept = withRecord ? record.c_str() : nullptr;
      const RemovalResult r = RemoveLoggedItem(c.item.c_str(), Places("C:\\Games\\Foo", kept));
      const Outcome want = withRecord ? c.withRecord : c.without;
      const char* how = withRecord ? " with a record" : " without";
      EXPECT_EQ(r.refused, want == Refused ? 1 : 0) << c.item << how;
      EXPECT_EQ(!FakeDiskExists(c.item), want == Gone) << c.item << how;
    }
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

TEST(UninstallRemoval, LinksCountBelowTheSystemsFoldersNeverAsThemselves) {
  // A Wine user's Desktop and Documents, or folders redirected elsewhere,
  // are links themselves: what lies in them still goes. A link below one
  // of them, or in the install folder, still stops the item.
  const std::string record =
      "C:\\Users\\kim\\Documents\\Foo\r\nC:\\Users\\kim\\Documents\\Foo\\_inst_.log\r\n"
      "C:\\Users\\kim\\Documents\\Foo\\a.dat\r\nC:\\Users\\kim\\Desktop\\ZARVEL.lnk\r\n"
      "Foo\r\nFoo\r\nC:\\WINDOWS\\u.exe\r\n";
  struct Case { const char* link; const char* item; int32_t refused; };
  const Case cases[] = {
      {"C:\\Users\\kim\\Desktop", "C:\\Users\\kim\\Desktop\\ZARVEL.lnk", 0},
      {"C:\\Users\\kim", "C:\\Users\\kim\\Desktop\\ZARVEL.lnk", 0},  // above a shell folder too
      {"C:\\Users\\kim\\Documents", "C:\\Users\\kim\\Documents\\Foo\\a.dat", 0},
      {"C:\\Users\\kim\\Documents\\Foo", "C:\\Users\\kim\\Documents\\Foo\\a.dat", 1},
      {"C:\\Users\\kim\\Desktop\\ZARVEL.lnk", "C:\\Users\\kim\\Desktop\\ZARVEL.lnk", 1},
  };
  for (const Case& c : cases) {
    MakeMachine();
    FakeDiskAddFolder("C:\\Users\\kim\\Documents\\Foo");
    FakeDiskAddFile(c.item);
    FakeDiskAddLink(c.link);
    const RemovalResult r =
        RemoveLoggedItem(c.item, Places("C:\\Users\\kim\\Documents\\Foo", record.c_str()));
    EXPECT_EQ(r.refused, c.refused) << c.link;
    EXPECT_EQ(FakeDiskExists(c.item), c.refused == 1) << c.link;
  }
}

TEST(UninstallRemoval, KeptFoldersAreKnownByTheirLongFormToo) {
  // Downloads reached through its 8.3 name is Downloads: never removed,
  // nor climbed from; a folder inside it is no kept folder.
  struct Case { const char* folder; int32_t kept; };
  const Case cases[] = {
      {"C:\\Users\\kim\\Downloads", 1},
      {"C:\\Users\\kim\\DOWNLO~1", 1},
      {"C:\\USERS\\KIM\\downlo~1", 1},
      {"C:\\Users\\kim\\DOWNLO~1\\Foo", 0},
      {"C:\\Users\\kim\\DOWNLO~2", 0},  // no such alias
      {"C:\\Users\\kim\\Saved Games", 0},
  };
  FakeDiskReset();
  FakeDiskAddFolder("C:\\Users");
  FakeDiskAddFolder("C:\\Users\\kim");
  FakeDiskAddFolder("C:\\Users\\kim\\Downloads");
  FakeDiskSetAlias("C:\\Users\\kim\\Downloads", "DOWNLO~1");
  const RemovalPlaces places = Places("C:\\Users\\kim\\DOWNLO~1");
  for (const Case& c : cases) EXPECT_EQ(IsKeptFolder(places, c.folder), c.kept) << c.folder;
  EXPECT_EQ(places.installFolderKept, 1);

  // Installed into Downloads by its short name: the install folder, the
  // last item, stays even when empty, and is not counted as refused.
  const char* record = "C:\\Users\\kim\\DOWNLO~1\r\nC:\\Users\\kim\\DOWNLO~1\\_inst_.log\r\n"
                       "C:\\Users\\kim\\DOWNLO~1\\Foo\r\nFoo\r\nFoo\r\nC:\\WINDOWS\\u.exe\r\n";
  const RemovalPlaces recorded = Places("C:\\Users\\kim\\DOWNLO~1", record);
  const RemovalResult r = RemoveLoggedItem("C:\\Users\\kim\\DOWNLO~1", recorded);
  EXPECT_EQ(r.refused + r.foldersRemoved, 0);
  EXPECT_FALSE(Called("rmdir C:\\Users\\kim\\DOWNLO~1"));
}

TEST(UninstallRemoval, KeptFoldersFillUpToTheirBounds) {
  RemovalPlaces places;
  const std::string longest(259, 'x');
  EXPECT_EQ(AddKeptFolder(places, (longest + "y").c_str()), 0);  // 260 bytes: no room for the NUL
  EXPECT_EQ(AddKeptFolder(places, longest.c_str()), 1);
  EXPECT_EQ(places.keptFolders[0], longest);
  for (int32_t k = 1; k < KeptFolderLimit; ++k) ASSERT_EQ(AddKeptFolder(places, "C:\\x"), 1);
  EXPECT_EQ(AddKeptFolder(places, "C:\\one-too-many"), 0);
  EXPECT_EQ(places.keptCount, KeptFolderLimit);
  EXPECT_EQ(AddKeptFolder(places, ""), 0);
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
