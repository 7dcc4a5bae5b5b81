#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "setup/uninstall/host/fake_system.h"
#include "setup/uninstall/uninstall_run.h"

namespace {

using Paths = std::vector<std::string>;

struct Step {
  std::string path;
  int32_t progress;
};

// Runs every tick and records what each one did.
std::vector<Step> RunAll(UninstallRun& run) {
  std::vector<Step> steps;
  for (int guard = 0; guard < 1000; ++guard) {
    const UninstallTick tick = RunUninstallTick(run);
    steps.push_back({tick.path, tick.progress});
    if (tick.finished) break;
  }
  return steps;
}

RemovalPlaces RunPlaces() {
  RemovalPlaces p;
  std::strcpy(p.windowsFolder, "C:\\WINDOWS");
  std::strcpy(p.systemFolder, "C:\\WINDOWS\\system32");
  return p;
}

const char* OpenedLog = "C:\\Games\\ZARVEL\\_inst_.log";

void MakeInstallation() {
  FakeDiskReset();
  FakeDiskAddFolder("C:\\");
  FakeDiskAddFolder("C:\\WINDOWS");
  FakeDiskAddFile("C:\\WINDOWS\\zarvel_u.exe");
  FakeDiskAddFolder("C:\\Games");
  FakeDiskAddFolder("C:\\Games\\ZARVEL");
  FakeDiskAddFile("C:\\Games\\ZARVEL\\_inst_.log");
  FakeDiskAddFile("C:\\Games\\ZARVEL\\a.dat");
  FakeDiskAddFile("C:\\Games\\ZARVEL\\b.dat");
}

const char SevenRecordLog[] =
    "C:\\Games\\ZARVEL\r\n"
    "C:\\Games\\ZARVEL\\_inst_.log\r\n"
    "C:\\Games\\ZARVEL\\a.dat\r\n"
    "C:\\Games\\ZARVEL\\b.dat\r\n"
    "ZARVEL\r\n"
    "ZARVEL Uninstall\r\n"
    "C:\\WINDOWS\\zarvel_u.exe\r\n";

}  // namespace

TEST(UninstallRun, SevenRecordLogGoesFromTheLastItemToTheFirst) {
  MakeInstallation();
  UninstallRun run;
  StartUninstallRun(run, SevenRecordLog, RunPlaces(), OpenedLog);
  ASSERT_EQ(HasItems(run), 1);
  char line[260];
  LogLine(run, run.plan.nameLine, line);
  EXPECT_STREQ(line, "ZARVEL Uninstall");
  LogLine(run, run.plan.keyLine, line);
  EXPECT_STREQ(line, "ZARVEL");
  const std::vector<Step> steps = RunAll(run);
  ASSERT_EQ(steps.size(), 4u);
  const Step want[] = {{"C:\\Games\\ZARVEL\\b.dat", 25},
                       {"C:\\Games\\ZARVEL\\a.dat", 50},
                       {"C:\\Games\\ZARVEL\\_inst_.log", 75},
                       {"C:\\Games\\ZARVEL", 100}};
  for (size_t k = 0; k < 4; ++k) {
    EXPECT_EQ(steps[k].path, want[k].path) << k;
    EXPECT_EQ(steps[k].progress, want[k].progress) << k;
  }
  // C:\Games held nothing else, so the climb took it too; the uninstaller
  // is not in the items (it waits for the next restart).
  EXPECT_EQ(FakeDiskPaths(), (Paths{"C:\\", "C:\\WINDOWS", "C:\\WINDOWS\\zarvel_u.exe"}));
}

TEST(UninstallRun, LogsWithoutItemsDeleteNothing) {
  const char* logs[] = {"", "\r\n", "ZARVEL\r\n", "ZARVEL\r\nName\r\n", "ZARVEL\r\nName\r\nC:\\WINDOWS\\zarvel_u.exe\r\n"};
  for (const char* log : logs) {
    MakeInstallation();
    const Paths before = FakeDiskPaths();
    UninstallRun run;
    StartUninstallRun(run, log, RunPlaces(), OpenedLog);
    EXPECT_EQ(HasItems(run), 0) << log;
    const UninstallTick tick = RunUninstallTick(run);
    EXPECT_EQ(tick.finished, 1);
    EXPECT_TRUE(FakeDiskCalls().empty()) << log;
    EXPECT_EQ(FakeDiskPaths(), before);
  }
}

TEST(UninstallRun, ALogCutShortByACancelledInstallationRemovesEveryRecord) {
  // The install was cancelled after two files: no key, name or uninstaller
  // records. Every record is an item, from the last to the first.
  MakeInstallation();
  const char log[] =
      "C:\\Games\\ZARVEL\r\n"
      "C:\\Games\\ZARVEL\\_inst_.log\r\n"
      "C:\\Games\\ZARVEL\\a.dat\r\n"
      "C:\\Games\\ZARVEL\\b.dat\r\n";
  UninstallRun run;
  StartUninstallRun(run, log, RunPlaces(), OpenedLog);
  EXPECT_EQ(run.plan.cutShort, 1);
  char line[260];
  LogLine(run, run.plan.nameLine, line);
  EXPECT_STREQ(line, "C:\\Games\\ZARVEL");
  const std::vector<Step> steps = RunAll(run);
  ASSERT_EQ(steps.size(), 4u);
  EXPECT_EQ(steps[0].path, "C:\\Games\\ZARVEL\\b.dat");
  EXPECT_EQ(steps[3].path, "C:\\Games\\ZARVEL");
  EXPECT_EQ(steps[3].progress, 100);
  EXPECT_EQ(FakeDiskPaths(), (Paths{"C:\\", "C:\\WINDOWS", "C:\\WINDOWS\\zarvel_u.exe"}));
}

TEST(UninstallRun, AnEmptyOrRootLineInTheMiddleIsSkippedAndTheRestGoes) {
  MakeInstallation();
  const char log[] =
      "C:\\Games\\ZARVEL\r\n"
      "C:\\Games\\ZARVEL\\_inst_.log\r\n"
      "\r\n"
      "C:\\\r\n"
      "C:\\WINDOWS\r\n"
      "C:\\Games\\ZARVEL\\a.dat\r\n"
      "C:\\Games\\ZARVEL\\b.dat\r\n"
      "ZARVEL\r\n"
      "ZARVEL Uninstall\r\n"
      "C:\\WINDOWS\\zarvel_u.exe\r\n";
  UninstallRun run;
  StartUninstallRun(run, log, RunPlaces(), OpenedLog);
  const std::vector<Step> steps = RunAll(run);
  ASSERT_EQ(steps.size(), 7u);
  EXPECT_EQ(steps.back().progress, 100);
  EXPECT_EQ(FakeDiskPaths(), (Paths{"C:\\", "C:\\WINDOWS", "C:\\WINDOWS\\zarvel_u.exe"}));
  for (const std::string& call : FakeDiskCalls()) {
    EXPECT_NE(call, "rmdir C:\\WINDOWS");
    EXPECT_NE(call, "rmdir C:\\");
    EXPECT_NE(call, "rmdir C:");
  }
}

TEST(UninstallRun, ALogThatDoesNotNameItselfDeletesNothing) {
  // Records 1 and 2 must be the folder of the opened log and the log itself.
  const std::string items = "C:\\Games\\ZARVEL\\a.dat\r\nC:\\Games\\ZARVEL\\b.dat\r\nZARVEL\r\nZ\r\nC:\\WINDOWS\\zarvel_u.exe\r\n";
  struct Case { std::string head; const char* opened; const char* longForm; int32_t trusted; };
  const std::string good = "C:\\Games\\ZARVEL\r\nC:\\Games\\ZARVEL\\_inst_.log\r\n";
  const std::string cutLog = "C:\\Games\\ZARVEL\\" + std::string(243, 'x');
  const Case cases[] = {
      {good, OpenedLog, nullptr, 1},
      {"c:\\games\\zarvel\r\nC:\\GAMES\\ZARVEL\\_INST_.LOG\r\n", OpenedLog, nullptr, 1},
      {good, "C:\\GAMES~1\\ZARVEL\\_inst_.log", OpenedLog, 1},  // started by its short name
      {good, "C:\\Other\\_inst_.log", nullptr, 0},            // another folder's log
      {good, "C:\\Users\\kim\\notes.txt", nullptr, 0},         // '-u' at any text file
      {"C:\\Games\r\nC:\\Games\\ZARVEL\\_inst_.log\r\n", OpenedLog, nullptr, 0},
      {"C:\\Games\\ZARVEL\r\nC:\\Games\\ZARVEL\\other.log\r\n", OpenedLog, nullptr, 0},
      {"C:\\Games\\ZARVEL\r\nC:\\Games\\ZARVEL/_inst_.log\r\n", "C:\\Games\\ZARVEL/_inst_.log", nullptr, 0},
      {"C:\\Games\\ZARVEL\r\n\\\\?\\C:\\Games\\ZARVEL\\_inst_.log\r\n", "\\\\?\\C:\\Games\\ZARVEL\\_inst_.log", nullptr, 0},
      {"C:\\Games\\ZARVEL\r\nC:\\Games\\ZARVEL\\" + std::string(300, 'x') + "\r\n",
       cutLog.c_str(), nullptr, 0},  // record 2 cut
      {"\r\n" + good, OpenedLog, nullptr, 0},
  };
  for (const Case& c : cases) {
    MakeInstallation();
    const Paths before = FakeDiskPaths();
    const std::string log = c.head + items;
    UninstallRun run;
    StartUninstallRun(run, log.c_str(), RunPlaces(), c.opened, c.longForm);
    EXPECT_EQ(run.logTrusted, c.trusted) << c.head;
    EXPECT_EQ(LogRefused(run), 1 - c.trusted) << c.head;
    RunAll(run);
    if (c.trusted) {
      EXPECT_FALSE(FakeDiskExists("C:\\Games\\ZARVEL")) << c.head;
    } else {
      EXPECT_TRUE(FakeDiskCalls().empty()) << c.head;
      EXPECT_EQ(FakeDiskPaths(), before) << c.head;
    }
  }
}

TEST(UninstallRun, ALineCutToFitIsNeverObeyed) {
  // The 259 bytes kept of a longer line name a file of ours; it stays.
  MakeInstallation();
  const std::string kept = "C:\\Games\\ZARVEL\\" + std::string(243, 'x');
  ASSERT_EQ(kept.size(), 259u);
  FakeDiskAddFile(kept);
  const std::string log = "C:\\Games\\ZARVEL\r\nC:\\Games\\ZARVEL\\_inst_.log\r\n" + kept +
                          ".dat\r\nC:\\Games\\ZARVEL\\a.dat\r\nZARVEL\r\nZ\r\nC:\\WINDOWS\\zarvel_u.exe\r\n";
  UninstallRun run;
  StartUninstallRun(run, log.c_str(), RunPlaces(), OpenedLog);
  EXPECT_EQ(RunUninstallTick(run).removal.fileDeleted, 1);  // a.dat
  const UninstallTick cut = RunUninstallTick(run);
  EXPECT_EQ(cut.removal.refused, 1);
  EXPECT_EQ(std::string(cut.path), kept);
  EXPECT_TRUE(FakeDiskExists(kept));
}
