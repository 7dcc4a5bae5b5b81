#include <gtest/gtest.h>

#include <string>

#include "setup/install/install_record.h"
#include "tests/setup/install_fixture.h"

// The install record: the log's bytes, kept in the Uninstall entry where
// users cannot write, whole after every step.

namespace {

std::string Record(const char* regName = "FooGame") {
  auto key = Fake.registry.find(FakeKey(std::string("Uninstall\\") + regName));
  if (key == Fake.registry.end() || !key->second.count("InstallRecord")) return "(none)";
  return key->second.at("InstallRecord");
}

}  // namespace

TEST(InstallRecord, EveryStepLeavesTheRecordEqualToTheLog) {
  SetUpInstall(std::string("[Install]\ngame.exe\n[InstallWindows]\nfoo.dll\n"
                           "[DeskTopSet]\nFoo|game.exe\n[StarMenuSet]\nFoo|game.exe\n") +
               UninstallSection() + "SetStartMenuInUninstall=1\n");
  FakeAddFile("D:\\medium\\game.exe", "GAME", 5);
  FakeAddFile("D:\\medium\\foo.dll", "DLL", 5);
  RegisterDesktop = RegisterStartMenu = true;
  int32_t list = 0, entry = 1;
  for (int guard = 0; guard < 100; ++guard) {
    const StepResult result = RunCopyStep(list, entry);
    // A cancel may come between any two steps.
    EXPECT_EQ("bin:" + LogText(), Record()) << "after step " << list << "," << entry;
    if (result != StepNext) break;
    list = Copy.list;
    entry = Copy.entry;
  }
  EXPECT_TRUE(Fake.complete);
  EXPECT_EQ("sz:Foo Game", Fake.registry[FakeKey("Uninstall\\FooGame")]["DisplayName"]);
  EXPECT_NE(std::string::npos, LogText().find("C:\\Windows\\foo.dll\r\n"));
}

TEST(InstallRecord, ASecondInstallationUnderTheSameNameReplacesTheRecord) {
  SetUpInstall(std::string("[Install]\ngame.exe\n") + UninstallSection());
  FakeAddFile("D:\\medium\\game.exe", "GAME", 5);
  Fake.registry[FakeKey("Uninstall\\FooGame")] = {{"DisplayName", "sz:Old"},
                                                  {"InstallRecord", "bin:C:\\Old\r\n"}};
  // The first step: the entry keeps its values until it is written anew.
  ASSERT_EQ(StepNext, RunCopyStep(0, 1));
  EXPECT_EQ("sz:Old", Fake.registry[FakeKey("Uninstall\\FooGame")]["DisplayName"]);
  EXPECT_EQ("bin:" + LogText(), Record());
  for (int32_t list = Copy.list, entry = Copy.entry; RunCopyStep(list, entry) == StepNext;
       list = Copy.list, entry = Copy.entry) {
  }
  EXPECT_TRUE(Fake.complete);
  EXPECT_EQ("bin:" + LogText(), Record());
  EXPECT_EQ("sz:Foo Game", Fake.registry[FakeKey("Uninstall\\FooGame")]["DisplayName"]);
}

TEST(InstallRecord, WithoutALogThereIsNoRecord) {
  struct Case {
    bool uninstaller;
    bool logFails;
  } cases[] = {{false, false}, {true, true}};
  for (const Case& c : cases) {
    SetUpInstall(std::string("[Install]\ngame.exe\n") + UninstallSection(), c.uninstaller);
    FakeAddFile("D:\\medium\\game.exe", "GAME", 5);
    Fake.logCreateFails = c.logFails;
    EXPECT_EQ(StepFinished, RunInstall().last);
    EXPECT_TRUE(Fake.registry.empty());
  }
}
