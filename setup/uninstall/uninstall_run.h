#pragma once
#include <cstdint>

#include "setup/uninstall/item_removal.h"
#include "setup/uninstall/uninstall_log.h"

// One uninstallation, as the dialog drives it: items from the last to the
// first, one per timer tick.
struct UninstallRun {
  const char* text = "";  // the log, NUL-terminated
  UninstallPlan plan;
  int32_t index = 0;      // i: the next item, T down to 1
  char windowsFolder[260] = "";
  char systemFolder[260] = "";
};

// Reads the plan from the log; i = T.
void StartUninstallRun(UninstallRun& run, const char* text, const char* windowsFolder,
                       const char* systemFolder);

// 1 when the log holds items to delete (T > 0).
int32_t HasItems(const UninstallRun& run);

struct UninstallTick {
  char path[260] = "";     // the record of item i, for the shell's notice
  RemovalResult removal;
  int32_t progress = 0;    // the progress bar's new position
  int32_t finished = 0;    // the first item is done: the finishing steps follow
};

// Removes item i, advances to i - 1. Does nothing once finished.
UninstallTick RunUninstallTick(UninstallRun& run);

// Line n of the log into buffer (260 bytes), empty when there is none.
void LogLine(const UninstallRun& run, int32_t n, char* buffer);
