// Until the uninstaller proper is in: the log is read as the uninstaller
// will read it, so '-u' with a missing or unreadable log already ends with 3.
#include "setup/uninstall/uninstaller.h"

#include "setup/install/text_file.h"

int RunUninstaller(const char* logPath) {
  char* log = nullptr;
  if (ReadTextFile(logPath, &log, nullptr) != LoadOk) return 3;
  FreeText(log);
  return 0;
}
