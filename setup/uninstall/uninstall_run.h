#pragma once
#include <cstdint>

#include "setup/uninstall/item_removal.h"
#include "setup/uninstall/removal_places.h"
#include "setup/uninstall/uninstall_log.h"

// One uninstallation, as the dialog drives it: items from the last to the
// first, one per timer tick.
struct UninstallRun {
  const char* text = "";  // the log, NUL-terminated
  UninstallPlan plan;
  int32_t index = 0;      // i: the next item, T down to 1
  RemovalPlaces places;   // installFolder is record 1 once the log is trusted
  int32_t logTrusted = 0;
  int32_t refused = 0;    // items refused so far
};

// Reads the plan from the log and checks that it names itself (record 2
// the opened log, record 1 its folder, removal_places.h) in one of the
// spellings the system gives for the opened file. i = T when it does, 0
// when it does not: then nothing is deleted. places.record, the install
// record found for the log, is kept only when it names the same log.
void StartUninstallRun(UninstallRun& run, const char* text, const RemovalPlaces& places,
                       const char* openedLog, const char* openedLogLong = nullptr);

// 1 when the log holds items to delete (T > 0).
int32_t HasItems(const UninstallRun& run);
// 1 when it holds items but belongs to some other place than the opened file.
int32_t LogRefused(const UninstallRun& run);

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
