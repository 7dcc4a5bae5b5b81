// The installer's own cost per list entry: the step machine on the in-memory
// machine (no disk), at 1,000 and 10,000 entries, and how much of it is the
// list lookup, which reads setup.ini from its first byte for every entry.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

#include "setup/install/copy_engine.h"
#include "setup/install/host/fake_machine.h"
#include "setup/install/ini_text.h"
#include "setup/install/install_log.h"
#include "setup/install/setup_state.h"

namespace {

std::string iniText;

void Prepare(int entries) {
  ResetFake();
  iniText = "[UninstallSetting]\nUseUninstaller=1\nRegName=Bench\nShowName=Bench\n"
            "ShowUninstallProgramName=Bench\n[Install]\n. CopyMode = OverWrite\n";
  for (int i = 0; i < entries; ++i) {
    std::string name = "data\\file" + std::to_string(i) + ".dat";
    iniText += name + "\n";
    FakeAddFile("D:\\medium\\" + name, "x");
  }
  IniText = iniText.data();
  std::strcpy(SourceFolder, "D:\\medium");
  std::strcpy(WindowsFolder, "C:\\Windows");
  std::strcpy(SystemFolder, "C:\\Windows\\System32");
  std::strcpy(InstallFolder, "C:\\Games\\Bench");
  std::strcpy(UninstallerPath, "C:\\Windows\\unbench.exe");
  FakeAddFolder("C:\\Windows\\System32");
  FakeAddFolder("C:\\Games\\Bench\\data");
  FakeAddFile("D:\\medium\\setup.exe", "x");
  InPlaceInstall = false;
  UninstallerEnabled = true;
  ResetCopyState();
}

double Seconds(std::chrono::steady_clock::time_point from) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - from).count();
}

void Measure(int entries) {
  Prepare(entries);
  auto start = std::chrono::steady_clock::now();
  int32_t list = 0;
  int32_t entry = 1;
  int steps = 0;
  while (RunCopyStep(list, entry) == StepNext) {
    list = Copy.list;
    entry = Copy.entry;
    ++steps;
  }
  double whole = Seconds(start);
  CloseInstallLog();

  char buffer[260];
  start = std::chrono::steady_clock::now();
  long sum = 0;
  for (int n = 1; n <= entries + 1; ++n) sum += GetEntry(IniText, "Install", n, buffer, sizeof buffer);
  double lookups = Seconds(start);

  std::printf("%6d entries, %6d steps: %8.1f ms in all, %7.2f us per entry; "
              "list lookups %7.2f us per entry (%2.0f%%)%s\n",
              entries, steps, whole * 1e3, whole * 1e6 / entries, lookups * 1e6 / entries,
              100.0 * lookups / whole, sum > 0 ? "" : " (no entries read)");
}

}  // namespace

int main() {
  std::printf("copy-phase decisions per entry (in-memory machine, no disk)\n");
  Measure(1000);
  Measure(10000);
  return 0;
}
