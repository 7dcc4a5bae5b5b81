#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "setup/install/install_log.h"
#include "setup/install/uninstall_entry.h"
#include "setup/uninstall/uninstall_log.h"
#include "tests/setup/install_fixture.h"

using Records = std::vector<std::string>;

namespace {

Records MiddleRecords() {
  Records records = LogRecords(LogText());
  return records.size() < 5 ? records : Records(records.begin() + 2, records.end() - 3);
}

std::string ShortcutOf(const std::string& file) {
  auto found = Fake.shortcuts.find(FakeKey(file));
  if (found == Fake.shortcuts.end()) return "(none)";
  const FakeShortcut& s = found->second;
  return s.target + " | " + s.workingFolder + " | " + s.arguments + " | " + std::to_string(s.icon);
}

const char* ShortcutLists() {
  return "[StartUpSet]\nUp|up.exe\n[DeskTopSet]\nDesk|game.exe|-window\n"
         "[SendToSet]\nSend,send.exe\n[StarMenuSet]\nGame|game.exe\nReadme , readme.txt\n"
         "Play,game.exe,-window\nGame, Deluxe|game.exe\ngame.exe\n";
}

}  // namespace

TEST(Shortcuts, RowsInOrderWithTheGroupBeforeItsShortcuts) {
  SetUpInstall(std::string("[init]\nStartMenuGroup = My Games\n") + ShortcutLists() +
               UninstallSection());
  RegisterStartMenu = RegisterStartUp = RegisterDesktop = RegisterSendTo = true;
  EXPECT_EQ(StepFinished, RunInstall().last);
  EXPECT_EQ((Records{"C:\\Users\\me\\Startup\\Up.lnk", "C:\\Users\\me\\Desktop\\Desk.lnk",
                     "C:\\Users\\me\\SendTo\\Send.lnk", "C:\\Users\\me\\Programs\\My Games",
                     "C:\\Users\\me\\Programs\\My Games\\Game.lnk",
                     "C:\\Users\\me\\Programs\\My Games\\Readme .lnk",
                     "C:\\Users\\me\\Programs\\My Games\\Play.lnk",
                     "C:\\Users\\me\\Programs\\My Games\\Game, Deluxe.lnk"}),
            MiddleRecords());
  struct Case {
    const char* file;
    const char* shortcut;
  } cases[] = {
      {"C:\\Users\\me\\Programs\\My Games\\Game.lnk", "C:\\Games\\Foo\\game.exe | C:\\Games\\Foo | (none) | -1"},
      {"C:\\Users\\me\\Programs\\My Games\\Readme .lnk", "C:\\Games\\Foo\\readme.txt | C:\\Games\\Foo | (none) | -1"},
      {"C:\\Users\\me\\Programs\\My Games\\Play.lnk", "C:\\Games\\Foo\\game.exe | C:\\Games\\Foo | -window | -1"},
      {"C:\\Users\\me\\Desktop\\Desk.lnk", "C:\\Games\\Foo\\game.exe | C:\\Games\\Foo | -window | -1"},
      {"C:\\Users\\me\\Programs\\My Games\\game.exe.lnk", "(none)"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.shortcut, ShortcutOf(c.file)) << c.file;
}

TEST(Shortcuts, UnticketRowsAndUnknownFoldersMakeNothing) {
  SetUpInstall(std::string(ShortcutLists()) + UninstallSection());
  RegisterDesktop = RegisterStartMenu = true;
  Fake.shellFolders.erase(CsidlDesktop);
  EXPECT_EQ(StepFinished, RunInstall().last);
  EXPECT_EQ((Records{"C:\\Users\\me\\Programs\\Mipa-Lu", "C:\\Users\\me\\Programs\\Mipa-Lu\\Game.lnk",
                     "C:\\Users\\me\\Programs\\Mipa-Lu\\Readme .lnk",
                     "C:\\Users\\me\\Programs\\Mipa-Lu\\Play.lnk",
                     "C:\\Users\\me\\Programs\\Mipa-Lu\\Game, Deluxe.lnk"}),
            MiddleRecords());
  EXPECT_EQ(4u, Fake.shortcuts.size());
}

TEST(Shortcuts, TickedStartMenuWithAnEmptyListStillMakesTheGroup) {
  SetUpInstall(std::string("[init]\nStartMenuGroup=Foo\n") + UninstallSection());
  RegisterStartMenu = true;
  EXPECT_EQ(StepFinished, RunInstall().last);
  EXPECT_EQ((Records{"C:\\Users\\me\\Programs\\Foo"}), MiddleRecords());
  EXPECT_TRUE(FakeIsFolder("C:\\Users\\me\\Programs\\Foo"));
}

TEST(Shortcuts, AGroupThatCannotBeMadeIsReportedAndTheOtherRowsStay) {
  SetUpInstall(std::string("[init]\nStartMenuGroup=Foo\n") + ShortcutLists() +
               "SetStartMenuInUninstall=1\n" + UninstallSection());
  RegisterStartMenu = RegisterStartUp = true;
  FakeAddFile("C:\\Users\\me\\Programs\\Foo", "a file in the way");
  EXPECT_EQ(StepFinished, RunInstall().last);
  ASSERT_EQ(1u, Fake.messages.size());
  EXPECT_EQ(MessageGroupFailed, Fake.messages[0].kind);
  EXPECT_EQ("スタートメニューのグループの登録に失敗しました", Fake.messages[0].text);
  EXPECT_EQ((Records{"C:\\Users\\me\\Startup\\Up.lnk"}), MiddleRecords());
}

TEST(Shortcuts, TheUninstallShortcutIsLoggedBeforeTheExtraDeletes) {
  SetUpInstall(std::string("[init]\nStartMenuGroup=Foo\n[UninstallSetting]\n"
                           "SetStartMenuInUninstall=1\n[AddUninstallDeleteFile]\nscore.dat\n"
                           "save\\slot1.dat\n") + UninstallSection());
  RegisterStartMenu = true;
  EXPECT_EQ(StepFinished, RunInstall().last);
  EXPECT_EQ((Records{"C:\\Users\\me\\Programs\\Foo", "C:\\Users\\me\\Programs\\Foo\\Foo Game.lnk",
                     "C:\\Games\\Foo\\score.dat", "C:\\Games\\Foo\\save\\slot1.dat"}),
            MiddleRecords());
  EXPECT_EQ("C:\\Windows\\unfoo.exe | (none) |  -u C:\\Games\\Foo\\_inst_.log | 1",
            ShortcutOf("C:\\Users\\me\\Programs\\Foo\\Foo Game.lnk"));
}

TEST(Shortcuts, NoUninstallShortcutWithoutTheStartMenuOption) {
  SetUpInstall(std::string("[UninstallSetting]\nSetStartMenuInUninstall=1\n") + UninstallSection());
  EXPECT_EQ(StepFinished, RunInstall().last);
  EXPECT_EQ(Records{}, MiddleRecords());
  EXPECT_TRUE(Fake.shortcuts.empty());
}

TEST(UninstallEntry, CommandIsQuotedOnlyWhenTheProgramPathHoldsABlank) {
  struct Case {
    const char* uninstaller;
    const char* folder;
    const char* command;
  } cases[] = {
      {"C:\\Windows\\unfoo.exe", "C:\\Games\\Foo", "C:\\Windows\\unfoo.exe -u C:\\Games\\Foo\\_inst_.log"},
      {"C:\\Program Files\\Foo\\setup.exe", "C:\\Program Files\\Foo",
       "\"C:\\Program Files\\Foo\\setup.exe\" -u C:\\Program Files\\Foo\\_inst_.log"},
      {"D:\\a\tb\\setup.exe", "D:", "\"D:\\a\tb\\setup.exe\" -u D:\\_inst_.log"},
  };
  for (const Case& c : cases) {
    char command[UninstallCommandSize];
    MakeUninstallCommand(command, c.uninstaller, c.folder);
    EXPECT_STREQ(c.command, command);
  }
}

TEST(UninstallEntry, ValuesOfTheEntryInTheListOfPrograms) {
  SetUpInstall("");
  std::strcpy(InstallFolder, "D:");
  EXPECT_TRUE(WriteUninstallEntry("FooGame", "Foo Game", "cmd"));
  std::map<std::string, std::string> want = {
      {"DisplayName", "sz:Foo Game"},
      {"UninstallString", "sz:cmd"},
      {"DisplayIcon", "sz:C:\\Windows\\unfoo.exe,1"},
      {"InstallLocation", "sz:D:\\"},
      {"NoModify", "dword:1"},
      {"NoRepair", "dword:1"},
  };
  EXPECT_EQ(want, Fake.registry[FakeKey("Uninstall\\FooGame")]);
}

TEST(UninstallEntry, ASecondInstallationReplacesTheKeyWhole) {
  SetUpInstall("");
  Fake.registry[FakeKey("Uninstall\\FooGame")] = {{"Leftover", "sz:old"}, {"DisplayName", "sz:Old"}};
  EXPECT_TRUE(WriteUninstallEntry("FooGame", "Foo Game", "cmd"));
  EXPECT_EQ(0u, Fake.registry[FakeKey("Uninstall\\FooGame")].count("Leftover"));
  EXPECT_EQ("sz:Foo Game", Fake.registry[FakeKey("Uninstall\\FooGame")]["DisplayName"]);

  // A key that cannot be deleted (it has sub-keys) is left as it was.
  Fake.registry[FakeKey("Uninstall\\FooGame")] = {{"Leftover", "sz:old"}};
  Fake.registry[FakeKey("Uninstall\\FooGame\\Sub")] = {};
  EXPECT_TRUE(WriteUninstallEntry("FooGame", "Foo Game", "cmd"));
  EXPECT_EQ((std::map<std::string, std::string>{{"Leftover", "sz:old"}}),
            Fake.registry[FakeKey("Uninstall\\FooGame")]);
}

TEST(UninstallEntry, KeyNamesThatWouldReachAnotherKeyWriteNothing) {
  const char* names[] = {"", "\\", "..\\Run", "Foo\\Bar"};
  for (const char* name : names) {
    SetUpInstall("");
    EXPECT_FALSE(WriteUninstallEntry(name, "Foo", "cmd")) << name;
    EXPECT_TRUE(Fake.registry.empty()) << name;
  }
  SetUpInstall("");
  Fake.registryFails = true;
  EXPECT_FALSE(WriteUninstallEntry("FooGame", "Foo", "cmd"));
}

TEST(UninstallEntry, TheInstallationWritesItAndTheLogNamesIt) {
  SetUpInstall("[UninstallSetting]\nUseUninstaller=1\nRegName=FooGame\nShowName=Foo Game\n"
               "ShowUninstallProgramName=Foo\n");
  std::strcpy(InstallFolder, "C:\\Program Files\\Foo");
  EXPECT_EQ(StepFinished, RunInstall().last);
  EXPECT_EQ("sz:C:\\Windows\\unfoo.exe -u C:\\Program Files\\Foo\\_inst_.log",
            Fake.registry[FakeKey("Uninstall\\FooGame")]["UninstallString"]);
  Records records = LogRecords(FakeBytes("C:\\Program Files\\Foo\\_inst_.log"));
  ASSERT_EQ(5u, records.size());
  EXPECT_EQ("FooGame", records[2]);
}

TEST(ExecEntries, StartInListOrderFromTheInstallFolder) {
  SetUpInstall(std::string("[Exec]\nfirst.exe -a\nmissing.exe\nnotepad readme.txt\n") +
               UninstallSection());
  EXPECT_EQ(StepFinished, RunInstall().last);
  ASSERT_EQ(3u, Fake.started.size());
  const char* want[] = {"first.exe -a", "missing.exe", "notepad readme.txt"};
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(want[i], Fake.started[i].commandLine);
    EXPECT_EQ("C:\\Games\\Foo", Fake.started[i].currentFolder);
  }
}

TEST(FinishingSteps, CancelBetweenStepsLeavesWhatTheLogHolds) {
  SetUpInstall(std::string("[Exec]\nrun.exe\n[StarMenuSet]\nGame|game.exe\n") + UninstallSection());
  RegisterStartMenu = true;
  // Steps 1 and 2 only (hide fields, shortcuts): then the user cancels.
  ASSERT_EQ(StepNext, RunCopyStep(0, 1));
  for (int32_t list = 1; list < FinishingList; ++list) ASSERT_EQ(StepNext, RunCopyStep(list, 1));
  ASSERT_EQ(StepNext, RunCopyStep(FinishingList, 1));
  ASSERT_EQ(StepNext, RunCopyStep(FinishingList, 2));
  EXPECT_EQ(3, Copy.entry);
  EXPECT_EQ("C:\\Games\\Foo\r\nC:\\Games\\Foo\\_inst_.log\r\nC:\\Users\\me\\Programs\\Mipa-Lu\r\n"
            "C:\\Users\\me\\Programs\\Mipa-Lu\\Game.lnk\r\n",
            LogText());
  // The entry holds nothing yet but the install record.
  EXPECT_EQ((std::map<std::string, std::string>{{"InstallRecord", "bin:" + LogText()}}),
            Fake.registry[FakeKey("Uninstall\\FooGame")]);
  EXPECT_TRUE(Fake.started.empty());
  EXPECT_FALSE(Fake.complete);
}

TEST(FinishingSteps, NoCancelSeparatesTheKeyFromTheLogsClosingRecords) {
  // Cancel after each finishing step: either the key is absent, or the log
  // ends with its three closing records, so an uninstall removes the key.
  for (int32_t stop = 1; stop <= FinishingSteps; ++stop) {
    SetUpInstall(std::string("[Install]\ngame.exe\nstage.dat\n[StarMenuSet]\nGame|game.exe\n") +
                 UninstallSection());
    FakeAddFile("D:\\medium\\game.exe", "GAME", 5);
    FakeAddFile("D:\\medium\\stage.dat", "STAGE", 5);
    RegisterStartMenu = true;
    for (int32_t list = 0, entry = 1; list < FinishingList; list = Copy.list, entry = Copy.entry)
      ASSERT_EQ(StepNext, RunCopyStep(list, entry));
    for (int32_t step = 1; step <= stop; ++step) RunCopyStep(FinishingList, step);
    CloseInstallLog();  // what the cancel does
    const std::string log = LogText();
    const UninstallPlan plan = ReadUninstallPlan(log.c_str());
    const bool keyWritten = Fake.registry[FakeKey("Uninstall\\FooGame")].count("DisplayName") != 0;
    EXPECT_EQ(keyWritten, stop >= 6) << "after step " << stop;
    EXPECT_EQ(plan.cutShort, keyWritten ? 0 : 1) << "after step " << stop;
    if (keyWritten) {
      char key[260] = "";
      GetLine(log.c_str(), plan.keyLine, key, sizeof key);
      EXPECT_STREQ("FooGame", key) << "after step " << stop;
    }
  }
}
