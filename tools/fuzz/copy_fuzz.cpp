// The copy phase over any setup.ini: every step of the three lists and the
// finishing sequence on the in-memory machine. The first byte picks the
// options (shortcut boxes, uninstaller, in-place) and whether the medium
// prompt is answered; the rest is setup.ini.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "setup/install/copy_engine.h"
#include "setup/install/host/fake_machine.h"
#include "setup/install/ini_text.h"
#include "setup/install/install_log.h"
#include "setup/install/setup_state.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  uint8_t options = data[0];
  std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
  ResetFake();
  IniText = text.data();
  std::strcpy(SourceFolder, "D:\\medium");
  std::strcpy(WindowsFolder, "C:\\Windows");
  std::strcpy(SystemFolder, "C:\\Windows\\System32");
  std::strcpy(InstallFolder, (options & 0x40) ? "D:\\medium" : "C:\\Games\\Foo");
  std::strcpy(UninstallerPath, "C:\\Windows\\unfoo.exe");
  FakeAddFolder("C:\\Windows\\System32");
  FakeAddFile("D:\\medium\\setup.exe", "x");
  FakeAddFile("D:\\medium\\a.dat", "a");
  FakeAddFolder("D:\\medium\\DISK2");
  Fake.shellFolders = {{CsidlStartup, "C:\\S"}, {CsidlDesktop, "C:\\D"}, {CsidlSendTo, "C:\\T"},
                       {CsidlPrograms, "C:\\P"}};
  for (const auto& [csidl, folder] : Fake.shellFolders) FakeAddFolder(folder);
  RegisterStartUp = options & 1;
  RegisterDesktop = options & 2;
  RegisterSendTo = options & 4;
  RegisterStartMenu = options & 8;
  UninstallerEnabled = options & 0x10;
  InPlaceInstall = options & 0x40;
  int prompts = 0;
  // OK a few times, then Cancel, unless the option says never to cancel
  // (the prompt then ends only if the disk is there).
  Fake.answer = [&](const FakeMessage& m) {
    return m.kind != MessageInsertMedium || ((options & 0x20) && ++prompts < 3);
  };
  ResetCopyState();
  int32_t list = 0;
  int32_t entry = 1;
  for (int steps = 0; steps < 100000 && RunCopyStep(list, entry) == StepNext; ++steps) {
    list = Copy.list;
    entry = Copy.entry;
  }
  CloseInstallLog();
  IniText = nullptr;
  return 0;
}
