#include <gtest/gtest.h>

#include <string>

#include "tests/setup/install_fixture.h"

// A user may make any folder they can write a junction or symbolic link
// before an administrator installs; the installer writes nothing through
// one. The system's own folders may be links (a Wine user's Desktop and
// Documents) and still take the installation.

TEST(InstallLinks, AnInstallFolderThatIsOrPassesThroughALinkIsRefused) {
  struct Case {
    const char* link;
    const char* install;
    bool refused;
  } cases[] = {
      {"C:\\Games\\Foo", "C:\\Games\\Foo", true},           // the folder itself
      {"C:\\Games", "C:\\Games\\Foo", true},                // a folder above it
      {"C:\\Games\\Foo", "C:\\Games\\Foo\\Sub", true},
      {"C:\\Users\\me\\Documents\\Games", "C:\\Users\\me\\Documents\\Games\\Foo", true},
      {"C:\\Games\\Other", "C:\\Games\\Foo", false},        // a link elsewhere
      {"C:\\Users\\me\\Desktop", "C:\\Users\\me\\Desktop\\Foo", false},  // a shell folder
      {"C:\\Users\\me\\Documents", "C:\\Users\\me\\Documents\\Foo", false},  // a known folder
      {"C:\\Users\\me\\Documents", "C:\\Users\\me\\Documents", false},
      {"C:\\Users\\me", "C:", false},                        // a drive root
  };
  for (const Case& c : cases) {
    SetUpInstall(std::string("[Install]\ngame.exe\n") + UninstallSection());
    Fake.knownFolders = {"C:\\Users\\me\\Documents"};
    FakeAddFile("D:\\medium\\game.exe", "OURS", 5);
    FakeAddLink(c.link);
    FakeAddFile(std::string(c.link) + "\\notes.txt", "THEIRS", 9);
    std::strcpy(InstallFolder, c.install);
    const InstallRun run = RunInstall();
    const std::string folder = c.install;
    if (c.refused) {
      EXPECT_EQ(StepStop, run.last) << c.install;
      ASSERT_EQ(1u, Fake.messages.size()) << c.install;
      EXPECT_EQ(MessageFolderFailed, Fake.messages[0].kind);
      EXPECT_NE(std::string::npos, Fake.messages[0].text.find("\n" + folder + "\n")) << c.install;
      EXPECT_EQ(0, Fake.copies) << c.install;
      EXPECT_FALSE(FakeExists(folder + "\\_inst_.log")) << c.install;
      EXPECT_TRUE(Fake.registry.empty()) << c.install;
    } else {
      EXPECT_EQ(StepFinished, run.last) << c.install;
      EXPECT_EQ("OURS", FakeBytes(folder + "\\game.exe")) << c.install;
    }
    EXPECT_EQ("THEIRS", FakeBytes(std::string(c.link) + "\\notes.txt")) << c.install;
  }
}

TEST(InstallLinks, NothingIsWrittenThroughALinkInsideTheInstallation) {
  // Each link stands where the installation writes next; what it would
  // have written there is neither made nor logged.
  struct Case {
    const char* link;
    bool folder;  // a junction; otherwise a file that is a symbolic link
    const char* absent;
    InstallMessage message;  // what the user hears, MessageCopyFailed for nothing
  } cases[] = {
      {"C:\\Games\\Foo\\data", true, "C:\\Games\\Foo\\data\\x.dat", MessageCopyFailed},
      {"C:\\Games\\Foo\\_inst_.log", false, "C:\\Games\\Foo\\_inst_.log", MessageLogFailed},
      {"C:\\Users\\me\\Desktop\\Foo.lnk", false, "C:\\Users\\me\\Desktop\\Foo.lnk", MessageCopyFailed},
      {"C:\\Users\\me\\Programs\\Mipa-Lu", true, "C:\\Users\\me\\Programs\\Mipa-Lu\\Foo.lnk",
       MessageGroupFailed},
  };
  for (const Case& c : cases) {
    SetUpInstall(std::string("[Install]\n. DustSubDir = data\nx.dat\n[DeskTopSet]\nFoo|x.exe\n"
                             "[StarMenuSet]\nFoo|x.exe\n") + UninstallSection());
    RegisterDesktop = RegisterStartMenu = true;
    FakeAddFile("D:\\medium\\x.dat", "OURS", 5);
    if (c.folder) {
      FakeAddLink(c.link);
    } else {
      FakeAddFile(c.link, "THEIRS", 9);
      Fake.entries[FakeKey(c.link)].link = true;
    }
    EXPECT_EQ(StepFinished, RunInstall().last) << c.link;
    if (!c.folder) {
      EXPECT_EQ("THEIRS", FakeBytes(c.link)) << c.link;
    } else {
      EXPECT_FALSE(FakeExists(c.absent)) << c.link;
    }
    EXPECT_EQ(std::string::npos, LogText().find(c.link)) << c.link;
    const bool said = !Fake.messages.empty() && Fake.messages[0].kind == c.message;
    EXPECT_EQ(c.message != MessageCopyFailed, said) << c.link;
  }
}
