#pragma once
// A whole copy phase on the in-memory machine: a medium in D:\medium, Windows
// in C:\Windows, the install folder C:\Games\Foo, shell folders under
// C:\Users\me. RunInstall runs the steps as the copy dialog would.
#include <cstring>
#include <string>
#include <vector>

#include "setup/install/copy_engine.h"
#include "setup/install/ini_text.h"
#include "setup/install/install_log.h"
#include "setup/install/host/fake_machine.h"
#include "setup/install/setup_state.h"
#include "setup/install/shortcuts.h"

struct InstallRun {
  StepResult last = StepNext;
  int steps = 0;
};

inline std::string g_iniText;

inline void SetUpInstall(const std::string& ini, bool uninstaller = true) {
  ResetFake();
  g_iniText = ini;
  IniText = g_iniText.data();
  std::strcpy(SourceFolder, "D:\\medium");
  std::strcpy(WindowsFolder, "C:\\Windows");
  std::strcpy(SystemFolder, "C:\\Windows\\System32");
  std::strcpy(InstallFolder, "C:\\Games\\Foo");
  std::strcpy(UninstallerPath, "C:\\Windows\\unfoo.exe");
  InPlaceInstall = false;
  RegisterStartMenu = RegisterStartUp = RegisterDesktop = RegisterSendTo = false;
  UninstallerEnabled = uninstaller;
  LogEnabled = false;
  RecordItems = true;
  CloseInstallLog();
  FakeAddFolder("C:\\Windows\\System32");
  FakeAddFile("D:\\medium\\setup.exe", "SETUP", 5);
  FakeAddFile("D:\\medium\\setup.ini", ini, 5);
  Fake.shellFolders = {{CsidlStartup, "C:\\Users\\me\\Startup"},
                       {CsidlDesktop, "C:\\Users\\me\\Desktop"},
                       {CsidlSendTo, "C:\\Users\\me\\SendTo"},
                       {CsidlPrograms, "C:\\Users\\me\\Programs"}};
  for (const auto& [csidl, folder] : Fake.shellFolders) FakeAddFolder(folder);
  ResetCopyState();
}

// The dialog's loop: step (0, 1), then whatever each step says, until a step
// stops or finishes. Bounded, so a step machine that never ends fails.
inline InstallRun RunInstall(int maxSteps = 100000) {
  InstallRun run;
  int32_t list = 0;
  int32_t entry = 1;
  while (run.steps < maxSteps) {
    ++run.steps;
    run.last = RunCopyStep(list, entry);
    if (run.last != StepNext) break;
    list = Copy.list;
    entry = Copy.entry;
  }
  return run;
}

inline std::string LogText() { return FakeBytes("C:\\Games\\Foo\\_inst_.log"); }

// The log's records, without their CR LF.
inline std::vector<std::string> LogRecords(const std::string& text) {
  std::vector<std::string> records;
  size_t start = 0;
  for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
    records.push_back(text.substr(start, end - start));
  return records;
}

inline const char* UninstallSection() {
  return "[UninstallSetting]\nUseUninstaller=1\nUninstallProgramName=unfoo.exe\n"
         "RegName=FooGame\nShowName=Foo Game\nShowUninstallProgramName=Foo\n";
}
