#include <gtest/gtest.h>

#include "setup/install/list_entries.h"
#include "setup/install/uninstall_setting.h"

TEST(ListEntries, DirectivesReadByNameWithAValue) {
  struct { const char* text; DirectiveKind kind; const char* value; } cases[] = {
      {"DustSubDir = data", DirectiveDustSubDir, "data"},
      {"  srcsubdir=disk1", DirectiveSrcSubDir, "disk1"},
      {"ChangeMedia = DISK2,Disk 2", DirectiveChangeMedia, "DISK2,Disk 2"},
      {"CopyMode = OverWrite", DirectiveCopyMode, "OverWrite"},
      {"UninstallDelete=0", DirectiveUninstallDelete, "0"},
      {"CopyMode OverWrite", DirectiveIgnored, nullptr},
      {"DustSubDir", DirectiveIgnored, nullptr},
      {"DestSubDir = data", DirectiveIgnored, nullptr},
      {"CopyModes = OverWrite", DirectiveIgnored, nullptr},
      {"DustSubDir=", DirectiveDustSubDir, ""},
  };
  for (const auto& c : cases) {
    const char* value = nullptr;
    EXPECT_EQ(ParseDirective(c.text, &value), c.kind) << c.text;
    if (c.value) {
      EXPECT_STREQ(value, c.value) << c.text;
    }
  }
  EXPECT_TRUE(IsDirectiveEntry("  . CopyMode = OverWrite"));
  EXPECT_FALSE(IsDirectiveEntry("data\\.hidden"));
}

TEST(ListEntries, CopyModesAndMedia) {
  struct { const char* value; int mode; } modes[] = {
      {"OverWrite", CopyOverWrite}, {"newdateoverwrite", CopyNewDateOverWrite},
      {"IfNotExit", CopyIfNotExit}, {"IfNotExist", -1}, {"Over Write", -1}, {"", -1},
  };
  for (const auto& c : modes) EXPECT_EQ(ParseCopyMode(c.value), c.mode) << c.value;

  char name[8];
  const char* label = nullptr;
  EXPECT_TRUE(SplitChangeMedia("DISK2,Disk 2", name, sizeof name, &label));
  EXPECT_STREQ(name, "DISK2");
  EXPECT_STREQ(label, "Disk 2");
  EXPECT_TRUE(SplitChangeMedia("VERYLONGNAME,x", name, sizeof name, &label));
  EXPECT_STREQ(name, "VERYLON");
  EXPECT_FALSE(SplitChangeMedia("DISK2", name, sizeof name, &label));
}

TEST(ListEntries, ShortcutEntriesSplitAtBarOrComma) {
  struct { const char* entry; bool ok; const char* name; const char* target; const char* args; } cases[] = {
      {"Game|game.exe", true, "Game", "game.exe", nullptr},
      {"Readme , readme.txt", true, "Readme ", "readme.txt", nullptr},
      {"Play|game.exe|-window", true, "Play", "game.exe", "-window"},
      {"Play,game.exe,-window", true, "Play", "game.exe", "-window"},
      {"Game, Deluxe|game.exe", true, "Game, Deluxe", "game.exe", nullptr},
      {"Play| game.exe ,  -w -x", true, "Play", "game.exe ", "-w -x"},
      {"game.exe", false, nullptr, nullptr, nullptr},
  };
  for (const auto& c : cases) {
    ShortcutEntry s{};
    ASSERT_EQ(SplitShortcutEntry(c.entry, &s), c.ok) << c.entry;
    if (!c.ok) continue;
    EXPECT_STREQ(s.name, c.name) << c.entry;
    EXPECT_STREQ(s.target, c.target) << c.entry;
    EXPECT_EQ(s.hasArguments, c.args != nullptr) << c.entry;
    if (c.args) {
      EXPECT_STREQ(s.arguments, c.args) << c.entry;
    }
  }
}

TEST(UninstallSetting, MissingKeysTurnTheUninstallerOff) {
  const char* full =
      "[UninstallSetting]\nUseUninstaller=1\nUninstallProgramName=zunst.exe\n"
      "RegName=Zarvel\nShowName=ZARVEL\nShowUninstallProgramName=ZARVEL\n";
  struct { const char* text; bool asked; const char* missing; } cases[] = {
      {full, true, nullptr},
      {"[UninstallSetting]\nUseUninstaller=1\nRegName=Z\nShowName=Z\nShowUninstallProgramName=Z\n",
       true, "UninstallProgramName"},
      {"[UninstallSetting]\nUseUninstaller= 1\nUninstallProgramName=u.exe\nRegName=\nShowName=Z\n"
       "ShowUninstallProgramName=Z\n", true, "RegName"},
      {"[UninstallSetting]\nUseUninstaller=yes1\nUninstallProgramName=u.exe\nRegName=\\\n"
       "ShowName=Z\nShowUninstallProgramName=Z\n", false, "RegName"},
      {"[UninstallSetting]\nUninstallProgramName=u.exe\nRegName=a\\b\nShowName=Z\n", false, "RegName"},
      {"[UninstallSetting]\nUninstallProgramName=u.exe\nRegName=Z\nShowName=Z\n", false,
       "ShowUninstallProgramName"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(UninstallerAsked(c.text), c.asked) << c.text;
    const char* missing = MissingUninstallKey(c.text);
    if (!c.missing) EXPECT_EQ(missing, nullptr) << c.text;
    else if (!missing) ADD_FAILURE() << c.text;
    else EXPECT_STREQ(missing, c.missing) << c.text;
  }
  struct { const char* name; bool safe; } names[] = {
      {"Zarvel", true}, {"", false}, {" \t", false}, {"\\", false}, {"a\\b", false}, {"My Game", true},
  };
  for (const auto& c : names) EXPECT_EQ(IsSafeRegName(c.name), c.safe) << c.name;
}
