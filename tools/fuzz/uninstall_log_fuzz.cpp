// libFuzzer target: any bytes as an install log, uninstalled for real on the
// in-memory file system. The reader must stay inside the text, and the run
// must never try a drive root, the Windows folder or the system folder, nor
// touch anything outside the places the installer writes. Inputs whose
// first byte is odd get the two records that make the log trusted.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "setup/uninstall/host/fake_system.h"
#include "setup/uninstall/removal_places.h"
#include "setup/uninstall/uninstall_run.h"

namespace {

bool Forbidden(const std::string& call) {
  static const char* const calls[] = {"rmdir C:", "rmdir C:\\", "rmdir D:", "rmdir D:\\",
                                      "rmdir C:\\WINDOWS", "rmdir C:\\WINDOWS\\system32",
                                      "delete C:\\WINDOWS", "delete C:\\WINDOWS\\system32"};
  for (const char* c : calls)
    if (call == c) return true;
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The log in memory is the file followed by one NUL, as loaded.
  std::string text(reinterpret_cast<const char*>(data), size);
  if (size > 0 && (data[0] & 1)) text = "C:\\Games\\ZARVEL\r\nC:\\Games\\ZARVEL\\_inst_.log\r\n" + text;
  const int32_t lines = CountLines(text.c_str());
  if (lines < 1) __builtin_trap();
  char line[260];
  for (int32_t n = 0; n <= lines + 1 && n < 64; ++n) {
    std::memset(line, 'x', sizeof line);
    if (GetLine(text.c_str(), n, line, sizeof line) && std::strlen(line) >= sizeof line) __builtin_trap();
  }
  if (FindLastLine(text.c_str(), line, sizeof line) && std::strlen(line) >= sizeof line) __builtin_trap();

  FakeDiskReset();
  FakeDiskAddFolder("C:\\");
  FakeDiskAddFolder("D:\\");
  FakeDiskAddFolder("C:\\WINDOWS");
  FakeDiskAddFolder("C:\\WINDOWS\\system32");
  FakeDiskAddFolder("C:\\Games");
  FakeDiskAddFolder("C:\\Games\\ZARVEL");
  FakeDiskAddFolder("C:\\Games\\ZARVEL\\data");
  FakeDiskAddFile("C:\\Games\\ZARVEL\\tzk.exe");
  FakeDiskAddFolder("C:\\Users");
  FakeDiskAddFolder("C:\\Users\\kim");
  FakeDiskAddFolder("C:\\Users\\kim\\Documents");
  FakeDiskAddFile("C:\\Users\\kim\\Documents\\thesis.docx");
  FakeDiskAddFolder("C:\\Users\\kim\\Desktop");
  FakeDiskAddFile("C:\\Users\\kim\\Desktop\\notes.txt");
  RemovalPlaces places;
  std::strcpy(places.windowsFolder, "C:\\WINDOWS");
  std::strcpy(places.systemFolder, "C:\\WINDOWS\\system32");
  std::strcpy(places.shortcutFolders[ShortcutDesktop], "C:\\Users\\kim\\Desktop");
  AddKeptFolder(places, "C:\\Users\\kim");
  AddKeptFolder(places, "C:\\Users\\kim\\Documents");
  // Half the inputs are their own install record, as the installer keeps it.
  places.record = text.size() % 2 ? text.c_str() : nullptr;
  UninstallRun run;
  StartUninstallRun(run, text.c_str(), places, "C:\\Games\\ZARVEL\\_inst_.log");
  int32_t last = 0, ticks = 0;
  for (;;) {
    const UninstallTick tick = RunUninstallTick(run);
    if (tick.progress < last || tick.progress > 100) __builtin_trap();
    last = tick.progress;
    if (++ticks > lines + 1) __builtin_trap();
    if (tick.finished) break;
  }
  if (run.plan.items > 0 && last != 100) __builtin_trap();
  for (const std::string& call : FakeDiskCalls())
    if (Forbidden(call)) __builtin_trap();
  if (!FakeDiskExists("C:\\WINDOWS\\system32") || !FakeDiskExists("D:\\")) __builtin_trap();
  if (!FakeDiskExists("C:\\Users\\kim\\Documents\\thesis.docx") ||
      !FakeDiskExists("C:\\Users\\kim\\Desktop\\notes.txt") || !FakeDiskExists("C:\\Users\\kim"))
    __builtin_trap();
  return 0;
}
