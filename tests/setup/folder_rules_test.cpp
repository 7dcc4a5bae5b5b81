#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "setup/install/command_line.h"
#include "setup/install/folder_rules.h"
#include "setup/install/setup_state.h"

TEST(FolderRules, FolderCheckAcceptsCutsOrRefuses) {
  struct { const char* field; FolderCheckResult result; const char* accepted; } cases[] = {
      {"C:\\Program Files\\Game\\", FolderAccepted, "C:\\Program Files\\Game"},
      {"C:\\Games\\   ", FolderAccepted, "C:\\Games"},
      {"  C:\\Games", FolderAccepted, "C:\\Games"},
      {"D:\\", FolderAccepted, "D:"},
      {"C:\\Games:2", FolderAccepted, "C:\\Games:2"},
      {"", FolderAccepted, ""},
      {"Games", FolderAccepted, "Games"},
      {"C:\\Games\\\\X", FolderUnnamed, "before"},
      {"C:\\ \\X", FolderUnnamed, "before"},
      {"C:\\\t\\", FolderUnnamed, "before"},
      {"\\\\server\\share", FolderUnnamed, "before"},
      {"C:\\Ga*mes", FolderBadCharacter, "before"},
      {"C:/Games", FolderBadCharacter, "before"},
      {"C:\\a?b", FolderBadCharacter, "before"},
      {"C:\\\"x\"", FolderBadCharacter, "before"},
      {"C:\\<x>", FolderBadCharacter, "before"},
      {"C:\\x|y", FolderBadCharacter, "before"},
      // the character test comes first, even before an unnamed folder
      {"C:\\\\*", FolderBadCharacter, "before"},
  };
  for (const auto& c : cases) {
    char accepted[SetupPathSize] = "before";
    EXPECT_EQ(CheckInstallFolder(c.field, accepted), c.result) << c.field;
    EXPECT_STREQ(accepted, c.accepted) << c.field;
  }
  EXPECT_EQ(std::string(FolderCheckMessage(FolderBadCharacter)),
            std::string("ファイル名に  ") + FolderForbiddenCharacters + "  の文字は使えません。");
}

TEST(FolderRules, AppendFolderNameAddsTheProductFolderOnce) {
  struct { const char* installFolder; const char* path; FolderNameResult ok; const char* result; } cases[] = {
      {"C:\\Mipa-Lu", "D:\\Games", FolderNameAdded, "D:\\Games\\Mipa-Lu"},
      {"C:\\Mipa-Lu", "D:\\", FolderNameAdded, "D:\\Mipa-Lu"},
      {"C:\\Mipa-Lu", "D:\\Games\\mipa-lu", FolderNameAdded, "D:\\Games\\mipa-lu"},
      {"C:\\Mipa-Lu", "D:\\Mipa-Lu", FolderNameAdded, "D:\\Mipa-Lu"},
      {"C:\\Mipa-Lu", "D:\\Mipa-Lu2", FolderNameAdded, "D:\\Mipa-Lu2\\Mipa-Lu"},
      {"C:\\Games\\Zarvel", "E:\\Apps", FolderNameAdded, "E:\\Apps\\Zarvel"},
      {"C:", "E:\\Apps", FolderNameNone, "E:\\Apps"},
      {"C:\\", "E:\\Apps", FolderNameNone, "E:\\Apps"},
  };
  for (const auto& c : cases) {
    char path[SetupPathSize];
    std::strcpy(path, c.path);
    EXPECT_EQ(AppendFolderName(path, sizeof path, c.installFolder), c.ok) << c.path;
    EXPECT_STREQ(path, c.result) << c.path;
  }
}

TEST(FolderRules, AppendFolderNameNeverRunsPastTheBuffer) {
  // 'D:\' + x... + '\Mipa-Lu': results of 259, 260 and 261 bytes in a
  // buffer of 260; one that would not leave room for its NUL is refused
  // whole and the path stays as it was.
  struct Case { size_t result; FolderNameResult ok; } cases[] = {
      {259, FolderNameAdded}, {260, FolderNameTooLong}, {261, FolderNameTooLong},
  };
  for (const Case& c : cases) {
    const std::string before = "D:\\" + std::string(c.result - 3 - 8, 'x');
    char path[SetupPathSize + 8];
    std::memset(path, '#', sizeof path);
    std::strcpy(path, before.c_str());
    EXPECT_EQ(AppendFolderName(path, SetupPathSize, "C:\\Mipa-Lu"), c.ok) << c.result;
    if (c.ok == FolderNameAdded) {
      EXPECT_EQ(std::strlen(path), c.result);
    } else {
      EXPECT_EQ(std::string(path), before) << c.result;
    }
    EXPECT_EQ(path[SetupPathSize], '#') << c.result;  // nothing written past the buffer
  }
}

TEST(FolderRules, RootsLoseTheirBackslash) {
  struct { const char* in; const char* out; } cases[] = {
      {"C:\\", "C:"}, {"C:", "C:"}, {"C:\\WINDOWS", "C:\\WINDOWS"}, {"\\", "\\"}, {"", ""},
  };
  for (const auto& c : cases) {
    char folder[SetupPathSize];
    std::strcpy(folder, c.in);
    StripRootBackslash(folder);
    EXPECT_STREQ(folder, c.out) << c.in;
  }
}

TEST(CommandLine, DashUPicksTheUninstallerAndItsLog) {
  struct { const char* args; const char* log; } cases[] = {
      {"-U C:\\Games\\_inst_.log", "C:\\Games\\_inst_.log"},
      {"-u    C:\\Games\\_inst_.log", "C:\\Games\\_inst_.log"},
      {"-uC:\\x.log", "C:\\x.log"},
      {" -u\tC:\\x.log", "C:\\x.log"},
      {"-u", ""},
      {"-x", nullptr},
      {"", nullptr},
      {"u C:\\x.log", nullptr},
      {"-x -u C:\\x.log", nullptr},  // only the first '-' counts
  };
  for (const auto& c : cases) {
    const char* log = UninstallLogPath(c.args);
    if (!c.log) EXPECT_EQ(log, nullptr) << c.args;
    else if (!log) ADD_FAILURE() << c.args;
    else EXPECT_STREQ(log, c.log) << c.args;
  }
  EXPECT_EQ(UninstallLogPath(nullptr), nullptr);
}
