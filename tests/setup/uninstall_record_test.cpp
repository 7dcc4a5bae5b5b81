#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "setup/uninstall/host/fake_system.h"
#include "setup/uninstall/uninstall_run.h"

// The install record, kept where users cannot write, against a log anyone
// could edit: only what both name is deleted.

namespace {

using Paths = std::vector<std::string>;

const std::string Desktop = "C:\\Users\\kim\\Desktop";
const std::string Programs = "C:\\Users\\kim\\Start Menu\\Programs";
const std::string Documents = "C:\\Users\\kim\\Documents";

RemovalPlaces RecordPlaces(const char* record) {
  RemovalPlaces p;
  std::strcpy(p.windowsFolder, "C:\\WINDOWS");
  std::strcpy(p.systemFolder, "C:\\WINDOWS\\system32");
  std::strcpy(p.shortcutFolders[ShortcutDesktop], Desktop.c_str());
  std::strcpy(p.shortcutFolders[ShortcutPrograms], Programs.c_str());
  for (const char* kept : {"C:\\Users\\kim", Documents.c_str(), "C:\\Program Files"})
    AddKeptFolder(p, kept);
  p.record = record;
  return p;
}

std::string Lines(const Paths& records) {
  std::string text;
  for (const std::string& r : records) text += r + "\r\n";
  return text;
}

// Every path on the fake disk, the folders marked by a trailing '\'.
void Make(const Paths& paths) {
  for (const std::string& p : paths) {
    if (p.back() == '\\')
      FakeDiskAddFolder(p.substr(0, p.size() - 1));
    else
      FakeDiskAddFile(p);
  }
}

bool Exists(const std::string& p) { return FakeDiskExists(p.back() == '\\' ? p.substr(0, p.size() - 1) : p); }

// The whole uninstallation; the number of items refused.
int32_t Uninstall(const std::string& log, const char* record, const char* opened) {
  static UninstallRun run;
  StartUninstallRun(run, log.c_str(), RecordPlaces(record), opened);
  EXPECT_EQ(run.logTrusted, 1);
  for (int guard = 0; guard < 1000 && !RunUninstallTick(run).finished; ++guard) {
  }
  return run.refused;
}

// What an edited log names besides the installation: none of it is ours.
const Paths Victims = {
    "C:\\WINDOWS\\system32\\drivers\\etc\\hosts", "C:\\WINDOWS\\win.ini",
    "C:\\WINDOWS\\system32\\notepad.exe",       "C:\\WINDOWS\\Fonts\\arial.ttf",
    "C:\\WINDOWS\\system32\\vendor.dll",         Desktop + "\\Tools\\other.lnk",
    Programs + "\\Vendor\\app.lnk",              Programs + "\\Vendor\\",
    Documents + "\\thesis.docx",
};

}  // namespace

TEST(UninstallRecord, LinesTheRecordLacksAreRefused) {
  // ZARVEL installed to C:\ZARVEL with its group, a desktop shortcut and a
  // DLL in the Windows folder; the log edited to name the victims too.
  const Paths head = {"C:\\ZARVEL\\", "C:\\ZARVEL\\_inst_.log"};
  const Paths ours = {"C:\\ZARVEL\\tzk.exe",      "C:\\ZARVEL\\data\\",  "C:\\ZARVEL\\data\\font_.bmp",
                      "C:\\WINDOWS\\zarvel.dll",  Programs + "\\ZARVEL\\", Programs + "\\ZARVEL\\ZARVEL.lnk",
                      Desktop + "\\ZARVEL.lnk"};
  const Paths closing = {"ZARVEL", "ZARVEL", "C:\\WINDOWS\\zarvel_u.exe"};
  auto bare = [](Paths paths) {
    for (std::string& p : paths)
      if (p.back() == '\\') p.pop_back();
    return paths;
  };
  Paths honest = bare(head), edited = bare(head);
  for (const std::string& p : bare(Victims)) edited.push_back(p);
  for (const std::string& p : bare(ours)) honest.push_back(p), edited.push_back(p);
  for (const std::string& p : closing) honest.push_back(p), edited.push_back(p);
  const std::string record = Lines(honest);
  const std::string otherRecord = "C:\\Other\r\nC:\\Other\\_inst_.log\r\n" + Lines(bare(Victims)) + Lines(closing);

  struct Case {
    const char* what;
    const char* record;
    Paths gone;
    int32_t refused;
  };
  const Case cases[] = {
      {"with the record", record.c_str(), ours, static_cast<int32_t>(Victims.size())},
      // An older installer's log, or a record of another log: the install
      // folder only.
      {"without a record", nullptr, {"C:\\ZARVEL\\tzk.exe", "C:\\ZARVEL\\data\\font_.bmp"},
       static_cast<int32_t>(Victims.size()) + 4},
      {"with another log's record", otherRecord.c_str(), {"C:\\ZARVEL\\tzk.exe"},
       static_cast<int32_t>(Victims.size()) + 4},
  };
  for (const Case& c : cases) {
    FakeDiskReset();
    Make({"C:\\WINDOWS\\", "C:\\WINDOWS\\zarvel_u.exe", "C:\\Users\\kim\\"});
    Make(head);
    Make(ours);
    Make(Victims);
    EXPECT_EQ(Uninstall(Lines(edited), c.record, "C:\\ZARVEL\\_inst_.log"), c.refused) << c.what;
    for (const std::string& p : Victims) EXPECT_TRUE(Exists(p)) << c.what << ": " << p;
    for (const std::string& p : c.gone) EXPECT_FALSE(Exists(p)) << c.what << ": " << p;
    EXPECT_EQ(Exists(Desktop + "\\ZARVEL.lnk"), c.record != record.c_str()) << c.what;
  }
}

TEST(UninstallRecord, ADriveRootInstallationLosesOnlyWhatItMade) {
  // Installed into C:\ (held as 'C:') with its start-menu group; the log
  // edited to name a document, another program and its folder, and an
  // empty folder of the system.
  const Paths ours = {"C:\\tzk.exe", "C:\\data\\", "C:\\data\\font_.bmp", Programs + "\\ZARVEL\\",
                      Programs + "\\ZARVEL\\ZARVEL.lnk"};
  const Paths victims = {Documents + "\\thesis.docx", "C:\\Program Files\\Other\\",
                         "C:\\Program Files\\Other\\app.exe", "C:\\WINDOWS\\system32\\empty\\"};
  const Paths closing = {"ZARVEL", "ZARVEL", "C:\\WINDOWS\\zarvel_u.exe"};
  const std::string made = "C:\\tzk.exe\r\nC:\\data\r\nC:\\data\\font_.bmp\r\n" + Programs + "\\ZARVEL\r\n" +
                          Programs + "\\ZARVEL\\ZARVEL.lnk\r\n" + Lines(closing);
  const std::string honest = "C:\r\nC:\\_inst_.log\r\n" + made;
  const std::string edited = "C:\r\nC:\\_inst_.log\r\n" + Documents + "\\thesis.docx\r\nC:\\Program Files\\Other\r\n"
                             "C:\\Program Files\\Other\\app.exe\r\nC:\\WINDOWS\\system32\\empty\r\n" + made;
  for (const bool withRecord : {true, false}) {
    FakeDiskReset();
    Make({"C:\\", "C:\\WINDOWS\\", "C:\\WINDOWS\\system32\\", "C:\\WINDOWS\\zarvel_u.exe",
          "C:\\_inst_.log", "C:\\Program Files\\"});
    Make(ours);
    Make(victims);
    const Paths before = FakeDiskPaths();
    Uninstall(edited, withRecord ? honest.c_str() : nullptr, "C:\\_inst_.log");
    for (const std::string& p : victims) EXPECT_TRUE(Exists(p)) << p;
    for (const std::string& call : FakeDiskCalls()) {
      EXPECT_NE(call, "rmdir C:");
      EXPECT_NE(call, "rmdir C:\\");
    }
    if (withRecord) {
      for (const std::string& p : ours) EXPECT_FALSE(Exists(p)) << p;
      EXPECT_FALSE(Exists("C:\\_inst_.log"));
    } else {
      // A drive root is the place of everything: without a record nothing
      // there is taken for ours.
      EXPECT_EQ(FakeDiskPaths(), before);
    }
  }
}
