#include "setup/uninstall/uninstall_run.h"

#include <cstring>

void StartUninstallRun(UninstallRun& run, const char* text, const RemovalPlaces& places,
                       const char* openedLog, const char* openedLogLong) {
  run.text = text;
  run.plan = ReadUninstallPlan(text);
  run.places = places;
  run.places.installFolder[0] = '\0';
  run.refused = 0;
  const auto namesOpenedLog = [&run](const char* log, const char* opened) {
    return opened && LogNamesItself(log, opened, run.places);
  };
  run.logTrusted = run.plan.items > 0 && (namesOpenedLog(text, openedLog) ||
                                          namesOpenedLog(text, openedLogLong));
  const char* record = run.places.record;
  if (!run.logTrusted || !record ||
      !(namesOpenedLog(record, openedLog) || namesOpenedLog(record, openedLogLong)))
    run.places.record = nullptr;
  if (run.logTrusted) {
    GetLine(text, 1, run.places.installFolder, sizeof run.places.installFolder);
    SettleRemovalPlaces(run.places);
  }
  run.index = run.logTrusted ? run.plan.items : 0;
}

int32_t HasItems(const UninstallRun& run) { return run.plan.items > 0; }

int32_t LogRefused(const UninstallRun& run) { return HasItems(run) && !run.logTrusted; }

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
  // A line too long for the buffer is never obeyed: its cut names another file.
  if (GetLine(run.text, run.index, tick.path, sizeof tick.path) == LineCut)
    tick.removal.refused = 1;
  else
    tick.removal = RemoveLoggedItem(tick.path, run.places);
  run.refused += tick.removal.refused;
  tick.progress = ProgressPosition(run.plan.items, run.index);
  --run.index;
  tick.finished = run.index <= 0;
  return tick;
}
