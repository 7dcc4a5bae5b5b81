// libFuzzer target: any bytes as an install log, uninstalled for real on the
// in-memory file system. The reader must stay inside the text, and the run
// must never try a drive root, the Windows folder or the system folder.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "setup/uninstall/host/fake_system.h"
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
  UninstallRun run;
  StartUninstallRun(run, text.c_str(), "C:\\WINDOWS", "C:\\WINDOWS\\system32");
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
  return 0;
}
