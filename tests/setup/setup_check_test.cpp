#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "tools/setup_check/check_report.h"
#include "tools/setup_check/known_keys.h"

namespace {

struct Checked {
  int warnings;
  std::string all;  // report and warnings
};

Checked Check(const std::string& text, const char* medium = nullptr) {
  Report r;
  int n = CheckSetupIni(text.c_str(), text.size(), medium, r);
  std::string all = r.out;
  for (const std::string& w : r.warnings) all += "W: " + w + "\n";
  return {n, all};
}

const char* const CleanHead =
    "[init]\nCopyDir=Zarvel\n[UninstallSetting]\nUseUninstaller=1\nUninstallProgramName=u.exe\n"
    "RegName=Zarvel\nShowName=ZARVEL\nShowUninstallProgramName=ZARVEL\n";

}  // namespace

TEST(SetupCheck, EachMistakeGivesItsWarning) {
  struct { const char* name; std::string text; const char* says; } cases[] = {
      {"near-miss section", "[StartMenuSet]\nA|a.exe\n", "did you mean [StarMenuSet]?"},
      {"near-miss key", "[init]\nDisableDefaultInstallButton=1\n", "did you mean DisableDefalutInstallButton?"},
      {"split key name", "[init]\nCopy_Dir=x\n", "did you mean CopyDir?"},
      {"unknown key", "[init]\nColour=red\n", "unknown key 'Colour' in [init]"},
      {"key read as more", "[init]\nCopyDir-old=x\n", "'CopyDir-old' is read as key CopyDir"},
      {"second key line", "[init]\nCopyDir=\nCopyDir=x\n", "CopyDir again: the installer uses line 2"},
      {"key without =", "[init]\nCopyDir Games\n", "has no '=': not read"},
      {"header without ]", "[init\nCopyDir=x\n", "has no ']'"},
      {"header read as shorter", "[Install Windows]\nx\n", "section [Install Windows] is read as [Install]"},
      {"outside sections", "CopyDir=x\n[init]\n", "outside any section"},
      {"long line", "[Exec]\n" + std::string(300, 'x') + "\n", "line 2 is 300 bytes"},
      {"copy mode near miss", "[Install]\n.CopyMode = IfNotExist\na\n", "did you mean IfNotExit?"},
      {"directive without =", "[Install]\n.CopyMode OverWrite\n", "has no '=': ignored"},
      {"directive near miss", "[Install]\n.DestSubDir = d\n", "did you mean DustSubDir?"},
      {"media without comma", "[Install]\n.ChangeMedia = DISK2\n", "has no ',': the directive is ignored"},
      {"shortcut without separator", "[DeskTopSet]\ngame.exe\n", "has no '|' or ','"},
      {"missing uninstaller key", "[UninstallSetting]\nUseUninstaller=1\nRegName=Z\n", "UninstallProgramName is missing"},
      {"unsafe RegName",
       "[UninstallSetting]\nUseUninstaller=1\nUninstallProgramName=u\nRegName=\\\nShowName=Z\n"
       "ShowUninstallProgramName=Z\n", "RegName is missing or unusable"},
      {"long title", "[init]\nBigTitle=" + std::string(130, 'T') + "\n", "only the first 127"},
      {"NUL inside", std::string("[init]\n\0CopyDir=x\n", 18), "byte 8 is a NUL"},
  };
  for (const auto& c : cases) {
    Checked got = Check(c.text);
    EXPECT_GE(got.warnings, 1) << c.name;
    EXPECT_NE(got.all.find(c.says), std::string::npos) << c.name << "\n" << got.all;
  }
}

TEST(SetupCheck, ACleanFileHasNoWarnings) {
  std::string text = std::string(CleanHead) +
                     "; comment\n[Install]\r\n. CopyMode = OverWrite\r\ntzk.exe  ; the game\r\n"
                     "[StarMenuSet]\nZARVEL|tzk.exe|-window\n[Exec]\nreadme.txt\n";
  Checked got = Check(text);
  EXPECT_EQ(got.warnings, 0) << got.all;
  EXPECT_NE(got.all.find("SOURCE\\tzk.exe -> INSTALL\\tzk.exe  (OverWrite, logged)"), std::string::npos)
      << got.all;
  EXPECT_NE(got.all.find("\"ZARVEL.lnk\" -> INSTALL\\tzk.exe, arguments \"-window\""), std::string::npos);
}

TEST(SetupCheck, DirectivesCarryAcrossTheThreeFileLists) {
  std::string text =
      "[Install]\n.DustSubDir=data\nx.dat\n.UninstallDelete=0\nb.dat\n"
      "[InstallWindows]\ny.dll\n[InstallSystem]\n.SrcSubDir=sys\nz.sys\n";
  Checked got = Check(text);
  EXPECT_NE(got.all.find("SOURCE\\x.dat -> INSTALL\\data\\x.dat  (IfNotExit, logged)"), std::string::npos) << got.all;
  EXPECT_NE(got.all.find("SOURCE\\b.dat -> INSTALL\\data\\b.dat  (IfNotExit, left by the uninstaller)"),
            std::string::npos);
  EXPECT_NE(got.all.find("SOURCE\\y.dll -> WINDOWS\\data\\y.dll"), std::string::npos);
  EXPECT_NE(got.all.find("SOURCE\\sys\\z.sys -> SYSTEM\\data\\z.sys"), std::string::npos);
}

TEST(SetupCheck, MediumFilesAreLookedUpIgnoringCase) {
  namespace fs = std::filesystem;
  fs::path medium = fs::path("setup_check_medium");
  fs::remove_all(medium);
  fs::create_directories(medium / "Data");
  std::ofstream(medium / "TZK.EXE") << "x";
  std::ofstream(medium / "Data" / "Stage1.dat") << "x";
  std::ofstream(medium / "setup.exe") << "x";
  std::ofstream(medium / "setup.bmp") << "x";
  std::string text = std::string(CleanHead) +
                     "[Install]\ntzk.exe\ndata\\stage1.dat\ndata\\stage2.dat\n.ChangeMedia=DISK2,Disk 2\n";
  Checked got = Check(text, medium.string().c_str());
  EXPECT_EQ(got.warnings, 2) << got.all;
  EXPECT_NE(got.all.find("data\\stage2.dat is not a file on the medium"), std::string::npos) << got.all;
  EXPECT_NE(got.all.find("the medium has no 'DISK2'"), std::string::npos) << got.all;
  fs::remove_all(medium);
}

TEST(SetupCheck, NearMissesNeedToBeNearAndNotAlreadyRead) {
  const char* const names[] = {"StarMenuSet", "Install", "InstallWindows", "Exec", nullptr};
  struct { const char* token; const char* near; } cases[] = {
      {"StartMenuSet", "StarMenuSet"}, {"InstalWindows", "InstallWindows"}, {"Install", nullptr},
      {"install", nullptr},            {"Readme", nullptr},                 {"Exe", "Exec"},
      {"Install_Windows", nullptr},  // read as [Install], said elsewhere
  };
  for (const auto& c : cases) {
    const char* got = NearMiss(c.token, names);
    if (!c.near) {
      EXPECT_EQ(got, nullptr) << c.token;
    } else {
      ASSERT_NE(got, nullptr) << c.token;
      EXPECT_STREQ(got, c.near) << c.token;
    }
  }
}
