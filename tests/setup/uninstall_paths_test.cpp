#include <gtest/gtest.h>

#include <string>

#include "setup/uninstall/path_rules.h"

TEST(UninstallPaths, DriveRootsAreRecognisedInEveryForm) {
  struct Case { const char* path; int32_t root; };
  const Case cases[] = {
      {"C:", 1}, {"c:\\", 1}, {"C:\\\\", 1}, {"\\", 1},
      {"\\\\server", 1}, {"\\\\server\\share", 1}, {"\\\\server\\share\\", 1},
      {"C:\\Games", 0}, {"\\\\server\\share\\Games", 0}, {"Games", 0}, {"", 0},
  };
  for (const Case& c : cases) EXPECT_EQ(IsDriveRoot(c.path), c.root) << c.path;
}

TEST(UninstallPaths, ParentFolderNeverReturnsADriveRoot) {
  struct Case { const char* path; int32_t ok; const char* parent; };
  const Case cases[] = {
      {"C:\\Games\\Foo\\data", 1, "C:\\Games\\Foo"},
      {"C:\\Games\\Foo\\data\\", 1, "C:\\Games\\Foo"},
      {"C:\\Games\\Foo", 1, "C:\\Games"},
      {"C:\\Games", 0, ""},
      {"C:\\", 0, ""},
      {"C:", 0, ""},
      {"\\\\server\\share\\Games\\Foo", 1, "\\\\server\\share\\Games"},
      {"\\\\server\\share\\Games", 0, ""},
      {"Games", 0, ""},
      // Shift-JIS: the second byte of "ソ" (83 5C) is no separator.
      {"C:\\\x83\x5C\x83t\x83g\\data", 1, "C:\\\x83\x5C\x83t\x83g"},
      {"C:\\Games\\\x83\x5C", 1, "C:\\Games"},
  };
  for (const Case& c : cases) {
    char buffer[260] = "";
    EXPECT_EQ(ParentFolder(c.path, buffer, sizeof buffer), c.ok) << c.path;
    if (c.ok) {
      EXPECT_STREQ(buffer, c.parent) << c.path;
    }
  }
}

TEST(UninstallPaths, OnlyPlainDrivePathsThatAreNotWindowsMayBeRemoved) {
  const char* windows = "C:\\WINDOWS";
  const char* system = "C:\\WINDOWS\\system32";
  struct Case { const char* path; int32_t removable; };
  const Case cases[] = {
      {"C:\\Games\\ZARVEL", 1},
      {"C:\\Games\\ZARVEL\\tzk.exe", 1},
      {"C:\\WINDOWS\\zarvel_u.exe", 1},

      {"", 0},                      // an empty line
      {"   ", 0},
      {"C:", 0}, {"C:\\", 0}, {"D:\\", 0}, {"\\", 0},  // drive roots
      {"\\\\server\\share", 0},
      {"C:\\WINDOWS", 0}, {"c:\\windows\\", 0},       // the Windows folder
      {"C:\\Windows\\System32", 0},                   // the system folder
      {"ZARVEL", 0}, {"C:ZARVEL", 0}, {"\\Games", 0}, // relative to something
      {"C:\\Games\\..", 0}, {"C:\\Games\\.\\x", 0}, {"C:\\WINDOWS\\system32\\..", 0},
      {"C:\\Games\\\\ZARVEL", 0},
      // Forms the system reads otherwise than they look.
      {"\\\\server\\share\\Games", 0}, {"\\\\?\\C:\\Users\\kim\\thesis.docx", 0},
      {"\\\\.\\C:\\Users\\kim\\thesis.docx", 0}, {"\\\\?\\UNC\\server\\share\\x", 0},
      {"C:\\x/../Users/kim/thesis.docx", 0}, {"C:\\Games/ZARVEL", 0}, {"C:/Games", 0},
      {"C:\\Games\\ZARVEL\\..\\..\\Users", 0}, {"C:\\Games\\ZARVEL\\.. \\x", 0},
      {"C:\\Games\\ZARVEL.\\x", 0}, {"C:\\Games\\ZARVEL \\x", 0}, {"C:\\Games\\ZARVEL\\", 0},
      {"C:\\Games\\a.dat:stream", 0}, {"C:\\Games\\a*.dat", 0}, {"C:\\Games\\a?.dat", 0},
      {"C:\\Games\\a|b", 0}, {"C:\\Games\\a\tb", 0}, {"C:\\Games\\a<b", 0},
      {"C:\\Games\\\x83", 0},          // a lead byte without its partner
      {"C:\\Games\\\x83/..", 0},       // nor one whose partner is no second byte
      // Two-byte names whose second byte is 5C or 7C are names of their own.
      {"C:\\\x83\x5C\x83t\x83g\\a.dat", 1}, {"C:\\\x83\x58\x83\x7C\x81\x5B\x83\x63", 1},
      {"C:\\Games\\\x95\x5C", 1}, {"C:\\Games\\\x94\x5C", 1},
  };
  for (const Case& c : cases) EXPECT_EQ(ItemIsRemovable(c.path, windows, system), c.removable) << c.path;
}

TEST(UninstallPaths, SamePathIgnoresAsciiCaseOnlyOutsideTwoByteCharacters) {
  struct Case { const char* a; const char* b; int32_t same; };
  const Case cases[] = {
      {"C:\\Windows", "c:\\WINDOWS\\", 1},
      {"C:\\Games", "C:\\Game", 0},
      // "\x83\x61" and "\x83\x41" are two different characters.
      {"C:\\\x83\x61", "C:\\\x83\x41", 0},
      {"C:\\\x83\x61", "C:\\\x83\x61", 1},
  };
  for (const Case& c : cases) EXPECT_EQ(SamePath(c.a, c.b), c.same) << c.a << " " << c.b;
}

TEST(UninstallPaths, UninstallKeyPathNeverAddressesTheUninstallKeyItself) {
  struct Case { const char* name; int32_t ok; const char* path; };
  const Case cases[] = {
      {"ZARVEL", 1, "Uninstall\\ZARVEL"},
      {"ZARVEL Deluxe", 1, "Uninstall\\ZARVEL Deluxe"},
      {"Vendor\\ZARVEL", 1, "Uninstall\\Vendor\\ZARVEL"},
      {"", 0, ""}, {"  ", 0, ""}, {"\t", 0, ""},
      {"\\", 0, ""}, {"\\ZARVEL", 0, ""}, {"ZARVEL\\", 0, ""}, {"a\\\\b", 0, ""},
  };
  for (const Case& c : cases) {
    char buffer[260] = "";
    EXPECT_EQ(UninstallKeyPath(c.name, buffer, sizeof buffer), c.ok) << c.name;
    if (c.ok) {
      EXPECT_STREQ(buffer, c.path);
    }
  }
  char small[12];
  EXPECT_EQ(UninstallKeyPath("ZARVEL", small, sizeof small), 0);
}

TEST(UninstallPaths, WininitLiesInTheWindowsFolder) {
  struct Case { const char* windows; int32_t ok; const char* path; };
  const Case cases[] = {
      {"C:\\WINDOWS", 1, "C:\\WINDOWS\\WININIT.INI"},
      {"C:\\WINDOWS\\", 1, "C:\\WINDOWS\\WININIT.INI"},
      {"C:\\", 1, "C:\\WININIT.INI"},
      {"", 0, ""},
  };
  for (const Case& c : cases) {
    char buffer[260] = "";
    EXPECT_EQ(WininitPath(c.windows, buffer, sizeof buffer), c.ok) << c.windows;
    if (c.ok) {
      EXPECT_STREQ(buffer, c.path);
    }
  }
}

TEST(UninstallPaths, AppendProfileLineKeepsOtherPendingDeletions) {
  struct Case { std::string before; std::string after; };
  const std::string nul = "NUL=C:\\WINDOWS\\ZARVEL~1.EXE";
  const Case cases[] = {
      {std::string("", 0), nul + '\0'},
      {std::string("NUL=C:\\OLD.EXE\0", 15), std::string("NUL=C:\\OLD.EXE\0", 15) + nul + '\0'},
      {std::string("NUL=C:\\A\0C:\\B=C:\\C\0", 19), std::string("NUL=C:\\A\0C:\\B=C:\\C\0", 19) + nul + '\0'},
      {nul + '\0', nul + '\0'},  // the second uninstall adds no second line
  };
  for (const Case& c : cases) {
    char out[512];
    const int32_t n = AppendProfileLine(c.before.data(), static_cast<int32_t>(c.before.size()), "NUL",
                                        "C:\\WINDOWS\\ZARVEL~1.EXE", out, sizeof out);
    ASSERT_GE(n, 0);
    EXPECT_EQ(std::string(out, static_cast<size_t>(n)), c.after);
    EXPECT_EQ(out[n], '\0');
  }
  char tiny[10];
  EXPECT_EQ(AppendProfileLine("", 0, "NUL", "C:\\WINDOWS\\ZARVEL~1.EXE", tiny, sizeof tiny), -1);
}

TEST(UninstallPaths, InsideAFolderMeansItsCharactersThenASeparatorThenAName) {
  struct Case { const char* path; const char* folder; int32_t inside; };
  const Case cases[] = {
      {"C:\\Games\\ZARVEL\\a.dat", "C:\\Games\\ZARVEL", 1},
      {"c:\\games\\zarvel\\a.dat", "C:\\Games\\ZARVEL\\", 1},
      {"C:\\x", "C:", 1},
      {"C:\\Games\\ZARVEL", "C:\\Games\\ZARVEL", 0},     // the folder itself
      {"C:\\Games\\ZARVEL2\\a.dat", "C:\\Games\\ZARVEL", 0},
      {"C:\\Games\\ZARVEL\\", "C:\\Games\\ZARVEL", 0},
      {"C:\\Games\\ZARVEL\\\\a.dat", "C:\\Games\\ZARVEL", 0},  // a doubled separator
      {"C:\\\\x", "C:", 0},
      {"D:\\Games\\ZARVEL\\a", "C:\\Games\\ZARVEL", 0},
      {"C:\\a", "", 0},
      // "ソ" is 83 5C: the folder 'C:\<83>' holds nothing of 'C:\ソ\x'.
      {"C:\\\x83\x5C\\x", "C:\\\x83", 0},
      {"C:\\\x83\x5C\\x", "C:\\\x83\x5C", 1},
      {"C:\\\x83\x61\\x", "C:\\\x83\x41", 0},  // two different characters
  };
  for (const Case& c : cases) EXPECT_EQ(IsInsideFolder(c.path, c.folder), c.inside) << c.path << " in " << c.folder;
}

TEST(UninstallPaths, OnlyTheEntryThatUninstallsWithThisLogIsOurs) {
  const char* log = "C:\\Games\\ZARVEL\\_inst_.log";
  struct Case { const char* command; const char* log; int32_t ours; };
  const Case cases[] = {
      {"C:\\WINDOWS\\zu.exe -u C:\\Games\\ZARVEL\\_inst_.log", log, 1},
      {"C:\\WINDOWS\\zu.exe -U c:\\games\\zarvel\\_INST_.LOG  ", log, 1},
      {"C:\\WINDOWS\\zu.exe -u \"C:\\Games\\ZARVEL\\_inst_.log\"", log, 1},
      {"C:\\Mipa-Lu\\setup.exe -u C:\\Mipa-Lu\\_inst_.log", "C:\\Mipa-Lu\\_inst_.log", 1},
      {"\"C:\\Program Files\\Z\\setup.exe\" -u C:\\Program Files\\Z\\_inst_.log",
       "C:\\Program Files\\Z\\_inst_.log", 1},
      {"C:\\WINDOWS\\zu.exe -u C:\\Other\\_inst_.log", log, 0},        // another installation
      {"C:\\WINDOWS\\zu.exe -u C:\\Games\\ZARVEL\\_inst_.log.bak", log, 0},
      {"C:\\Other\\uninst.exe /S", log, 0},                             // another program
      {"MsiExec.exe /X{01234567-89AB-CDEF-0123-456789ABCDEF}", log, 0},
      {"\"C:\\Program Files\\Z\\setup.exe -u C:\\Games\\ZARVEL\\_inst_.log", log, 0},
      {"", log, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(CommandRemovesLog(c.command, c.log), c.ours) << c.command;
}
