#include "setup/install/install_log.h"

#include <cstring>

#include "setup/install/install_port.h"
#include "setup/install/install_record.h"

bool LogEnabled = false;
bool RecordItems = true;

namespace {
bool logOpen = false;
}

bool OpenInstallLog() {
  ResetInstallRecord();  // a new log, a new record
  logOpen = PortLogCreate(InstallLogName);
  return logOpen;
}

void CloseInstallLog() {
  if (logOpen) PortLogClose();
  logOpen = false;
}

bool InstallLogOpen() { return logOpen; }

void WriteLogLine(const char* text) {
  if (!logOpen || !LogEnabled || !RecordItems) return;
  PortLogWrite(text, static_cast<int32_t>(std::strlen(text)));
  PortLogWrite("\r\n", 2);
  AddToInstallRecord(text);
}
