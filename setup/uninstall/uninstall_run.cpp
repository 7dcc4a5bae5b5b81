#include "setup/uninstall/uninstall_run.h"

#include <cstring>

namespace {

void CopyFolder(char* to, const char* from) {
  std::strncpy(to, from ? from : "", 259);
  to[259] = '\0';
}

}  // namespace

void StartUninstallRun(UninstallRun& run, const char* text, const char* windowsFolder,
                       const char* systemFolder) {
  run.text = text;
  run.plan = ReadUninstallPlan(text);
  run.index = run.plan.items;
  CopyFolder(run.windowsFolder, windowsFolder);
  CopyFolder(run.systemFolder, systemFolder);
}

int32_t HasItems(const UninstallRun& run) { return run.plan.items > 0; }

void LogLine(const UninstallRun& run, int32_t n, char* buffer) {
  buffer[0] = '\0';
  GetLine(run.text, n, buffer, 260);
}

UninstallTick RunUninstallTick(UninstallRun& run) {
  UninstallTick tick;
  if (run.index <= 0) {
    tick.finished = 1;
    tick.progress = ProgressPosition(run.plan.items, 1);
    return tick;
  }
  LogLine(run, run.index, tick.path);
  tick.removal = RemoveLoggedItem(tick.path, run.windowsFolder, run.systemFolder);
  tick.progress = ProgressPosition(run.plan.items, run.index);
  --run.index;
  tick.finished = run.index <= 0;
  return tick;
}
