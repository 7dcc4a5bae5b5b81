#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/setup/install_fixture.h"

using Records = std::vector<std::string>;

namespace {

void AddMediumFiles(const std::vector<std::string>& names, uint64_t time = 5) {
  for (const std::string& name : names) FakeAddFile("D:\\medium\\" + name, "<" + name + ">", time);
}

}  // namespace

TEST(CopyEngine, OneFileLogReadsByteForByte) {
  SetUpInstall(std::string("[Install]\ngame.exe\n") + UninstallSection());
  AddMediumFiles({"game.exe"});
  InstallRun run = RunInstall();
  EXPECT_EQ(StepFinished, run.last);
  EXPECT_EQ(
      "C:\\Games\\Foo\r\nC:\\Games\\Foo\\_inst_.log\r\nC:\\Games\\Foo\\game.exe\r\n"
      "FooGame\r\nFoo\r\nC:\\Windows\\unfoo.exe\r\n",
      LogText());
  EXPECT_EQ("<game.exe>", FakeBytes("C:\\Games\\Foo\\game.exe"));
  EXPECT_EQ("SETUP", FakeBytes("C:\\Windows\\unfoo.exe"));
  EXPECT_TRUE(Fake.messages.empty());
  EXPECT_TRUE(Fake.complete);
  // Each file and each finishing step is a step of its own: 1 file, the
  // end of three lists and the finishing steps.
  EXPECT_EQ(1 + 3 + FinishingSteps, run.steps);
}

TEST(CopyEngine, WithoutTheUninstallerNothingIsLoggedCopiedOrRegistered) {
  SetUpInstall(std::string("[Install]\ngame.exe\n") + UninstallSection(), false);
  AddMediumFiles({"game.exe"});
  EXPECT_EQ(StepFinished, RunInstall().last);
  EXPECT_TRUE(FakeExists("C:\\Games\\Foo\\game.exe"));
  EXPECT_FALSE(FakeExists("C:\\Games\\Foo\\_inst_.log"));
  EXPECT_FALSE(FakeExists("C:\\Windows\\unfoo.exe"));
  EXPECT_TRUE(Fake.registry.empty());
}

TEST(CopyEngine, CopyModesAndTheUninstallDeleteSwitch) {
  struct Case {
    const char* name;
    const char* list;
    std::vector<std::pair<std::string, uint64_t>> existing;  // already installed, with time
    Records logged;         // records between the log's own two and the last three
    std::string gameBytes;  // C:\Games\Foo\a.dat afterwards
    size_t messages;
  } cases[] = {
      {"IfNotExit keeps an existing file unrecorded", "a.dat\nb.dat\n",
       {{"a.dat", 1}}, {"C:\\Games\\Foo\\b.dat"}, "old", 0},
      {"NewDateOverWrite: newer destination stays, recorded",
       ". CopyMode = NewDateOverWrite\na.dat\n", {{"a.dat", 6}}, {"C:\\Games\\Foo\\a.dat"}, "old", 0},
      {"NewDateOverWrite: equally old destination is replaced",
       ". CopyMode = NewDateOverWrite\na.dat\n", {{"a.dat", 5}}, {"C:\\Games\\Foo\\a.dat"}, "<a.dat>", 0},
      {"NewDateOverWrite: older destination is replaced",
       ". CopyMode = NewDateOverWrite\na.dat\n", {{"a.dat", 4}}, {"C:\\Games\\Foo\\a.dat"}, "<a.dat>", 0},
      {"OverWrite replaces", ". CopyMode = OverWrite\na.dat\n", {{"a.dat", 9}},
       {"C:\\Games\\Foo\\a.dat"}, "<a.dat>", 0},
      {"UninstallDelete switches records", 
       ". CopyMode = OverWrite\na.dat\n. UninstallDelete = 0\nb.dat\n. UninstallDelete = 1\nc.dat\n",
       {}, {"C:\\Games\\Foo\\a.dat", "C:\\Games\\Foo\\c.dat"}, "<a.dat>", 0},
      {"an unknown mode leaves the mode", ". CopyMode = IfNotExist\na.dat\n", {{"a.dat", 1}},
       {}, "old", 0},
  };
  for (const Case& c : cases) {
    SetUpInstall(std::string("[Install]\n") + c.list + UninstallSection());
    AddMediumFiles({"a.dat", "b.dat", "c.dat"});
    for (const auto& [name, time] : c.existing) FakeAddFile("C:\\Games\\Foo\\" + name, "old", time);
    EXPECT_EQ(StepFinished, RunInstall().last) << c.name;
    Records records = LogRecords(LogText());
    ASSERT_GE(records.size(), 5u) << c.name;
    EXPECT_EQ(c.logged, Records(records.begin() + 2, records.end() - 3)) << c.name;
    EXPECT_EQ(c.gameBytes, FakeBytes("C:\\Games\\Foo\\a.dat")) << c.name;
    EXPECT_EQ(c.messages, Fake.messages.size()) << c.name;
  }
}

TEST(CopyEngine, ModeAndSubFoldersCarryAcrossTheThreeLists) {
  SetUpInstall(std::string("[Install]\n. CopyMode = OverWrite\n. DustSubDir = data\nx.dat\n"
                           "[InstallWindows]\ny.dll\n[InstallSystem]\n. DustSubDir =\nz.sys\n") +
               UninstallSection());
  AddMediumFiles({"x.dat", "y.dll", "z.sys"});
  FakeAddFolder("C:\\Windows\\data");
  FakeAddFile("C:\\Windows\\data\\y.dll", "old", 9);  // OverWrite still in force
  EXPECT_EQ(StepFinished, RunInstall().last);
  Records records = LogRecords(LogText());
  EXPECT_EQ((Records{"C:\\Games\\Foo", "C:\\Games\\Foo\\_inst_.log", "C:\\Games\\Foo\\data",
                     "C:\\Games\\Foo\\data\\x.dat", "C:\\Windows\\data\\y.dll",
                     "C:\\Windows\\System32\\z.sys", "FooGame", "Foo", "C:\\Windows\\unfoo.exe"}),
            records);
  EXPECT_EQ("<y.dll>", FakeBytes("C:\\Windows\\data\\y.dll"));
}

TEST(CopyEngine, DustSubDirIsOnlyMadeUnderTheInstallFolder) {
  SetUpInstall(std::string("[InstallWindows]\n. DustSubDir = data\ny.dll\n") + UninstallSection());
  AddMediumFiles({"y.dll"});
  EXPECT_EQ(StepFinished, RunInstall().last);
  EXPECT_TRUE(FakeIsFolder("C:\\Games\\Foo\\data"));
  EXPECT_FALSE(FakeExists("C:\\Windows\\data\\y.dll"));  // nothing made that folder
  EXPECT_TRUE(Fake.messages.empty());                     // silent outside Install
}

TEST(CopyEngine, FailedCopiesAreShownOnlyWhereTheyMatter) {
  SetUpInstall(std::string("[Install]\n. CopyMode = OverWrite\nmissing.dat\nok.dat\n"
                           "[InstallWindows]\nmissing.dll\n") + UninstallSection());
  AddMediumFiles({"ok.dat"});
  EXPECT_EQ(StepFinished, RunInstall().last);
  ASSERT_EQ(1u, Fake.messages.size());
  EXPECT_EQ(MessageCopyFailed, Fake.messages[0].kind);
  EXPECT_EQ("コピーできませんでした：D:\\medium\\missing.dat -> C:\\Games\\Foo\\missing.dat",
            Fake.messages[0].text);
  EXPECT_TRUE(FakeExists("C:\\Games\\Foo\\ok.dat"));
  EXPECT_EQ(std::string::npos, LogText().find("missing"));
}

TEST(CopyEngine, PathsPast259BytesAreRefusedAsFailedCopies) {
  // D:\medium\ + 249 bytes is 259 and fits; C:\Games\Foo\ + 249 does not.
  std::string longName(249, 'n');
  SetUpInstall("[Install]\n. CopyMode = OverWrite\n" + longName + "\nok.dat\n" +
               UninstallSection());
  AddMediumFiles({"ok.dat"});
  FakeAddFile("D:\\medium\\" + longName, "x");
  EXPECT_EQ(StepFinished, RunInstall().last);
  ASSERT_EQ(1u, Fake.messages.size());
  EXPECT_NE(std::string::npos, Fake.messages[0].text.find("C:\\Games\\Foo\\" + longName));
  for (const std::string& path : FakePaths()) EXPECT_GE(259u, path.size()) << path;
  EXPECT_TRUE(FakeExists("C:\\Games\\Foo\\ok.dat"));
}

TEST(CopyEngine, ChangeMediaReadsFromAFolderOrWaitsForAMarkerFile) {
  struct Case {
    const char* name;
    bool folder;         // DISK2 is a folder on the medium, else a marker file
    int promptsBefore;   // OK pressed this often before the disk is there
    const char* source;  // where x.dat was read from
  } cases[] = {
      {"folder present", true, 0, "D:\\medium\\DISK2\\x.dat"},
      {"marker present", false, 0, "D:\\medium\\x.dat"},
      {"folder after two prompts", true, 2, "D:\\medium\\DISK2\\x.dat"},
  };
  for (const Case& c : cases) {
    SetUpInstall(std::string("[Install]\n. ChangeMedia = DISK2,Disk 2\nx.dat\n") + UninstallSection());
    FakeAddFile("D:\\medium\\x.dat", "top");
    FakeAddFile("D:\\medium\\DISK2\\x.dat", "disk2");
    if (!c.folder) Fake.entries.erase(FakeKey("D:\\medium\\DISK2\\x.dat"));
    auto insert = [&] {
      if (c.folder) FakeAddFolder("D:\\medium\\DISK2");
      else FakeAddFile("D:\\medium\\DISK2", "marker");
    };
    Fake.entries.erase(FakeKey("D:\\medium\\DISK2"));
    if (c.promptsBefore == 0) {
      insert();
      if (c.folder) FakeAddFile("D:\\medium\\DISK2\\x.dat", "disk2");
    }
    int prompts = 0;
    Fake.answer = [&](const FakeMessage& m) {
      EXPECT_EQ(MessageInsertMedium, m.kind);
      EXPECT_EQ("Disk 2 のラベルの付いたディスクを入れてください", m.text);
      if (++prompts == c.promptsBefore) {
        insert();
        if (c.folder) FakeAddFile("D:\\medium\\DISK2\\x.dat", "disk2");
      }
      return true;
    };
    EXPECT_EQ(StepFinished, RunInstall().last) << c.name;
    EXPECT_EQ(c.promptsBefore, prompts) << c.name;
    EXPECT_EQ(FakeBytes(c.source), FakeBytes("C:\\Games\\Foo\\x.dat")) << c.name;
  }
}

TEST(CopyEngine, CancelAtTheMediumPromptStopsWithTheLogSoFar) {
  SetUpInstall(std::string("[Install]\na.dat\n. ChangeMedia = DISK2,Disk 2\nx.dat\n") +
               UninstallSection());
  AddMediumFiles({"a.dat", "x.dat"});
  Fake.answer = [](const FakeMessage&) { return false; };
  EXPECT_EQ(StepStop, RunInstall().last);
  EXPECT_FALSE(FakeExists("C:\\Games\\Foo\\x.dat"));
  EXPECT_EQ("C:\\Games\\Foo\r\nC:\\Games\\Foo\\_inst_.log\r\nC:\\Games\\Foo\\a.dat\r\n", LogText());
  // No entry in the list of programs; only the install record so far.
  EXPECT_EQ(1u, Fake.registry[FakeKey("Uninstall\\FooGame")].size());
  EXPECT_EQ("bin:" + LogText(), Fake.registry[FakeKey("Uninstall\\FooGame")]["InstallRecord"]);
}

TEST(CopyEngine, InPlaceLogsIntoTheSourceFolderAndUsesItsSetup) {
  SetUpInstall(std::string("[InstallWindows]\ny.dll\n") + UninstallSection());
  InPlaceInstall = true;
  std::strcpy(InstallFolder, SourceFolder);
  AddMediumFiles({"y.dll"});
  EXPECT_EQ(StepFinished, RunInstall().last);
  EXPECT_EQ("D:\\medium\r\nD:\\medium\\_inst_.log\r\nC:\\Windows\\y.dll\r\nFooGame\r\nFoo\r\n"
            "D:\\medium\\setup.exe\r\n",
            FakeBytes("D:\\medium\\_inst_.log"));
  EXPECT_FALSE(FakeExists("C:\\Windows\\unfoo.exe"));
}

TEST(CopyEngine, FolderAndLogFailures) {
  // The install folder cannot be made: a file holds its name.
  SetUpInstall(std::string("[Install]\na.dat\n") + UninstallSection());
  AddMediumFiles({"a.dat"});
  FakeAddFile("C:\\Games\\Foo", "file");
  InstallRun run = RunInstall();
  EXPECT_EQ(StepStop, run.last);
  EXPECT_EQ(1, run.steps);
  ASSERT_EQ(1u, Fake.messages.size());
  EXPECT_EQ(MessageFolderFailed, Fake.messages[0].kind);
  EXPECT_EQ("フォルダを作成できませんでした。", Fake.messages[0].text);

  // An empty folder field passed the check; nothing can be made of it.
  SetUpInstall(std::string("[Install]\na.dat\n") + UninstallSection());
  AddMediumFiles({"a.dat"});
  InstallFolder[0] = '\0';
  EXPECT_EQ(StepStop, RunInstall().last);
  ASSERT_EQ(1u, Fake.messages.size());
  EXPECT_EQ(MessageFolderFailed, Fake.messages[0].kind);
  EXPECT_EQ(0, Fake.copies);

  // The log cannot be made: warned once, installed without uninstaller.
  SetUpInstall(std::string("[Install]\na.dat\n") + UninstallSection());
  AddMediumFiles({"a.dat"});
  Fake.logCreateFails = true;
  EXPECT_EQ(StepFinished, RunInstall().last);
  ASSERT_EQ(1u, Fake.messages.size());
  EXPECT_EQ(MessageLogFailed, Fake.messages[0].kind);
  EXPECT_TRUE(FakeExists("C:\\Games\\Foo\\a.dat"));
  EXPECT_FALSE(FakeExists("C:\\Windows\\unfoo.exe"));
  EXPECT_TRUE(Fake.registry.empty());
}

TEST(CopyEngine, EnsureFolderMakesParentsThatAreNotLogged) {
  SetUpInstall(std::string("[Install]\n. DustSubDir = a\\b\\c\nx.dat\n") + UninstallSection());
  std::strcpy(InstallFolder, "C:\\Games\\Deep\\Foo");
  AddMediumFiles({"x.dat"});
  EXPECT_EQ(StepFinished, RunInstall().last);
  Records records = LogRecords(FakeBytes("C:\\Games\\Deep\\Foo\\_inst_.log"));
  EXPECT_EQ((Records{"C:\\Games\\Deep\\Foo", "C:\\Games\\Deep\\Foo\\_inst_.log",
                     "C:\\Games\\Deep\\Foo\\a\\b\\c", "C:\\Games\\Deep\\Foo\\a\\b\\c\\x.dat",
                     "FooGame", "Foo", "C:\\Windows\\unfoo.exe"}),
            records);
  EXPECT_TRUE(FakeIsFolder("C:\\Games\\Deep\\Foo\\a\\b"));
}

TEST(CopyEngine, ManyOddEntriesNeverOverrunAndEndInOrder) {
  std::string ini = "[Install]\n. DustSubDir = ..\n. CopyMode = OverWrite\n";
  for (int i = 0; i < 10000; ++i) ini += "f" + std::to_string(i) + "\n";
  ini += std::string(300, 'q') + "\nC:\\abs.dat\nsub\\..\\..\\up.dat\n..\\dot.dat\n";
  SetUpInstall(ini + UninstallSection());
  InstallRun run = RunInstall(20000);
  EXPECT_EQ(StepFinished, run.last);
  // Every missing source is shown: 10,000 names, the long line's two parts,
  // the absolute and the climbing entry; '..\\dot.dat' reads as a directive.
  EXPECT_EQ(10004u, Fake.messages.size());
}

TEST(CopyEngine, EmptyNamesGoBackToTheRootOrMakeNothing) {
  // ',label' takes the files from the medium's root again, with no prompt.
  SetUpInstall(std::string("[Install]\n. ChangeMedia = DISK2,Disk 2\na.dat\n. ChangeMedia = ,Disk 1\nb.dat\n") +
               UninstallSection());
  FakeAddFolder("D:\\medium\\DISK2");
  FakeAddFile("D:\\medium\\DISK2\\a.dat", "disk2 a");
  FakeAddFile("D:\\medium\\DISK2\\b.dat", "disk2 b");
  FakeAddFile("D:\\medium\\b.dat", "root b");
  EXPECT_EQ(StepFinished, RunInstall().last);
  EXPECT_EQ("disk2 a", FakeBytes("C:\\Games\\Foo\\a.dat"));
  EXPECT_EQ("root b", FakeBytes("C:\\Games\\Foo\\b.dat"));
  EXPECT_TRUE(Fake.messages.empty());
  // A shortcut entry without a name makes no shortcut and no record: the
  // desktop folder + ".lnk" would lie beside the desktop.
  SetUpInstall(std::string("[DeskTopSet]\n|game.exe\n,game.exe\nGame|game.exe\n") + UninstallSection());
  RegisterDesktop = true;
  EXPECT_EQ(StepFinished, RunInstall().last);
  EXPECT_EQ(1u, Fake.shortcuts.size());
  EXPECT_FALSE(FakeExists("C:\\Users\\me\\Desktop.lnk"));
  EXPECT_EQ((Records{"C:\\Games\\Foo", "C:\\Games\\Foo\\_inst_.log", "C:\\Users\\me\\Desktop\\Game.lnk",
                     "FooGame", "Foo", "C:\\Windows\\unfoo.exe"}),
            LogRecords(LogText()));
}
