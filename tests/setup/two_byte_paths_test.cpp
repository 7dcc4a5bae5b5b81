// Shift-JIS names whose second byte is '\' (ソ 83 5C, 表 95 5C, 能 94 5C) or
// '|' (ポ 83 7C): the installer takes each such character whole.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "setup/install/ensure_folder.h"
#include "setup/install/folder_rules.h"
#include "setup/install/list_entries.h"
#include "setup/install/path_chars.h"
#include "tests/setup/install_fixture.h"

namespace {

using Records = std::vector<std::string>;

const std::string So = "\x83\x5C", Hyo = "\x95\x5C", No = "\x94\x5C", Po = "\x83\x7C";
const std::string Sports = "\x83\x58" + Po + "\x81\x5B\x83\x63";  // スポーツ
const std::string Game = "\x83\x51\x81\x5B\x83\x80";               // ゲーム
const std::string HyoSoft = Hyo + So + "\x83\x74\x83\x67";        // 表ソフト

}  // namespace

TEST(TwoBytePaths, TheFolderCheckTakesSecondBytesForNoSeparatorOrBadCharacter) {
  struct Case { std::string field; FolderCheckResult result; std::string accepted; };
  const Case cases[] = {
      {"C:\\" + Sports, FolderAccepted, "C:\\" + Sports},
      {"C:\\" + Game + "\\" + HyoSoft + "\\ZARVEL", FolderAccepted, "C:\\" + Game + "\\" + HyoSoft + "\\ZARVEL"},
      {"C:\\" + So, FolderAccepted, "C:\\" + So},  // not cut as a trailing '\'
      {"C:\\" + No + "\\", FolderAccepted, "C:\\" + No},
      {"C:\\" + Hyo + "\\ \\x", FolderUnnamed, "before"},  // the real '\' after 表 still counts
      {"C:\\" + So + "\\\\x", FolderUnnamed, "before"},
      {"C:\\" + Po + "|", FolderBadCharacter, "before"},
  };
  for (const Case& c : cases) {
    char accepted[SetupPathSize] = "before";
    EXPECT_EQ(CheckInstallFolder(c.field.c_str(), accepted), c.result) << c.field;
    EXPECT_EQ(std::string(accepted), c.accepted) << c.field;
  }
}

TEST(TwoBytePaths, ABrowsedFolderGetsTheProductFolderAfterARealSeparator) {
  struct Case { std::string installFolder, browsed; bool ok; std::string result; };
  const Case cases[] = {
      {"C:\\ZARVEL", "D:\\" + So, true, "D:\\" + So + "\\ZARVEL"},
      {"C:\\ZARVEL", "D:\\" + Game + "\\" + HyoSoft, true, "D:\\" + Game + "\\" + HyoSoft + "\\ZARVEL"},
      {"C:\\" + No, "D:\\Games", true, "D:\\Games\\" + No},
      {"C:\\" + No, "D:\\Games\\" + No, true, "D:\\Games\\" + No},  // already there
      {"C:\\Games\\" + Sports, "E:", true, "E:\\" + Sports},
  };
  for (const Case& c : cases) {
    char path[SetupPathSize];
    std::strcpy(path, c.browsed.c_str());
    EXPECT_EQ(AppendFolderName(path, sizeof path, c.installFolder.c_str()) == FolderNameAdded, c.ok) << c.browsed;
    EXPECT_EQ(std::string(path), c.result) << c.browsed;
  }
}

TEST(TwoBytePaths, EnsureFolderCutsAtRealSeparatorsOnly) {
  struct Case { std::string path; int parent; };
  const Case cases[] = {
      {"C:\\" + Hyo, 2}, {"C:\\" + HyoSoft + "\\x", 11}, {"C:\\" + So + So, 2}, {"C:\\" + No + "\\" + No, 5},
  };
  for (const Case& c : cases) EXPECT_EQ(ParentLength(c.path.c_str()), c.parent) << c.path;
  // A missing parent ending in 表 is made whole: no stray 'C:\<95>' folder.
  SetUpInstall("");
  const std::string folder = "C:\\" + Game + "\\" + HyoSoft + "\\ZARVEL";
  ASSERT_TRUE(EnsureFolder(folder.c_str()));
  EXPECT_TRUE(FakeIsFolder("C:\\" + Game + "\\" + HyoSoft));
  EXPECT_FALSE(FakeExists("C:\\" + Game + "\\\x95"));
}

TEST(TwoBytePaths, InstallFolderAndDestSubDirWithSecondByteBackslashes) {
  SetUpInstall("[Install]\nx.dat\n. DustSubDir = " + So + "\\" + No + "\ny.dat\n" +
               UninstallSection());
  const std::string folder = "C:\\" + Game + "\\" + HyoSoft + "\\ZARVEL";
  std::strcpy(InstallFolder, folder.c_str());
  FakeAddFile("D:\\medium\\x.dat", "X", 5);
  FakeAddFile("D:\\medium\\y.dat", "Y", 5);
  EXPECT_EQ(StepFinished, RunInstall().last);
  const std::string sub = folder + "\\" + So + "\\" + No;
  EXPECT_EQ((Records{folder, folder + "\\_inst_.log", folder + "\\x.dat", sub, sub + "\\y.dat",
                     "FooGame", "Foo", "C:\\Windows\\unfoo.exe"}),
            LogRecords(FakeBytes(folder + "\\_inst_.log")));
  EXPECT_EQ(FakeBytes(sub + "\\y.dat"), "Y");
  // No stray, unlogged folders named by a lead byte alone.
  EXPECT_FALSE(FakeExists(folder + "\\\x83"));
  EXPECT_FALSE(FakeExists(folder + "\\" + So + "\\\x94"));
  EXPECT_TRUE(Fake.messages.empty());
}

TEST(TwoBytePaths, AShortcutNameWithPoIsNotSplitInside) {
  struct Case { std::string entry; std::string name, target, arguments; };
  const Case cases[] = {
      {Sports + "|game.exe", Sports, "game.exe", ""},
      {Sports + ",game.exe,-w", Sports, "game.exe", "-w"},
      {Po + "|" + Po + ".exe|" + Po, Po, Po + ".exe", Po},
  };
  for (const Case& c : cases) {
    ShortcutEntry s{};
    ASSERT_TRUE(SplitShortcutEntry(c.entry.c_str(), &s)) << c.entry;
    EXPECT_EQ(std::string(s.name), c.name) << c.entry;
    EXPECT_EQ(std::string(s.target), c.target) << c.entry;
    EXPECT_EQ(std::string(s.arguments), c.arguments) << c.entry;
  }
  // Made and logged under its whole name.
  SetUpInstall("[DeskTopSet]\n" + Sports + "|game.exe\n" + UninstallSection());
  RegisterDesktop = true;
  EXPECT_EQ(StepFinished, RunInstall().last);
  const std::string lnk = "C:\\Users\\me\\Desktop\\" + Sports + ".lnk";
  EXPECT_EQ(Fake.shortcuts.count(FakeKey(lnk)), 1u);
  EXPECT_EQ(LogRecords(LogText())[2], lnk);
}

TEST(TwoBytePaths, EveryLeadByteRangeEndHidesTheSecondBytesBackslash) {
  // 81-9F and E0-FC lead a two-byte character; the bytes just outside them
  // are characters of their own, and a 5C after them is a separator.
  struct Case { unsigned char first; bool lead; } cases[] = {
      {0x80, false}, {0x81, true}, {0x9F, true}, {0xA0, false},
      {0xDF, false}, {0xE0, true}, {0xFC, true}, {0xFD, false},
  };
  for (const Case& c : cases) {
    const char text[] = {static_cast<char>(c.first), '\\', 'x', '\0'};
    EXPECT_EQ(Cp932LeadByte(c.first) != 0, c.lead) << std::hex << int(c.first);
    EXPECT_EQ(FindPathChar(text, '\\') == nullptr, c.lead) << std::hex << int(c.first);
    EXPECT_EQ(NextPathChar(text) - text, c.lead ? 2 : 1) << std::hex << int(c.first);
  }
}
