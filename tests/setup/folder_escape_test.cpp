#include <gtest/gtest.h>

#include <string>

#include "setup/install/path_escape.h"
#include "tools/setup_check/check_report.h"

TEST(FolderEscape, AbsoluteNamesAndClimbsAboveTheStartLeave) {
  struct Case {
    const char* relative;
    bool leaves;
  } cases[] = {
      {"game.exe", false},          {"data\\stage1.dat", false}, {"data\\..\\x.dat", false},
      {"a\\b\\..\\..\\x", false},   {".\\x", false},             {"...", false},
      {"..", true},                 {"..\\x", true},             {"data\\..\\..\\x", true},
      {"a/../../x", true},          {".. \\x", true},            {"\\Windows\\x", true},
      {"/x", true},                 {"C:\\Windows\\x", true},    {"c:x", true},
      {"\\\\server\\share\\x", true}, {"", false},               {"a\\..", false},
  };
  for (const Case& c : cases) EXPECT_EQ(c.leaves, LeavesFolder(c.relative)) << c.relative;
}

TEST(FolderEscape, SetupCheckWarnsAboutEveryEntryThatLeaves) {
  struct Case {
    const char* name;
    std::string text;
    const char* says;  // nullptr: no such warning
  } cases[] = {
      {"absolute file", "[Install]\nC:\\abs.dat\n", "'C:\\abs.dat' is copied outside the install folder"},
      {"climbing file", "[InstallSystem]\nsub\\..\\..\\x.dll\n", "outside the system folder"},
      {"sub-folder climbs", "[Install]\n. DustSubDir = ..\nx\n", "DustSubDir '..' makes and logs a folder"},
      {"sub-folder carries on", "[Install]\n. DustSubDir = ..\n[InstallWindows]\ny.dll\n",
       "'..\\y.dll' is copied outside the Windows folder"},
      {"sub-folder then back in", "[Install]\n. DustSubDir = data\n..\\x\n", nullptr},
      {"shortcut name", "[DeskTopSet]\n..\\..\\Evil|game.exe\n", "shortcut name '..\\..\\Evil'"},
      {"shortcut target", "[StarMenuSet]\nNote|C:\\Windows\\notepad.exe\n", "lies outside the install folder"},
      {"extra delete", "[AddUninstallDeleteFile]\n..\\..\\Windows\\win.ini\n", "'..\\..\\Windows\\win.ini' lies outside the install folder"},
      {"group", "[init]\nStartMenuGroup=..\\..\\Startup\n", "StartMenuGroup '..\\..\\Startup'"},
      {"plain entries stay quiet", "[Install]\ngame.exe\n[StarMenuSet]\nGame|game.exe\n", nullptr},
  };
  for (const Case& c : cases) {
    Report r;
    WarnFolderEscapes(c.text.c_str(), r);
    std::string all;
    for (const std::string& w : r.warnings) all += w + "\n";
    if (c.says)
      EXPECT_NE(std::string::npos, all.find(c.says)) << c.name << ":\n" << all;
    else
      EXPECT_EQ("", all) << c.name;
  }
}
