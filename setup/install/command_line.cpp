#include "setup/install/command_line.h"

#include <cstring>

#include "setup/install/ini_text.h"

const char* UninstallLogPath(const char* arguments) {
  if (!arguments) return nullptr;
  const char* dash = std::strchr(arguments, '-');
  if (!dash || (dash[1] != 'u' && dash[1] != 'U')) return nullptr;
  return SkipBlanks(dash + 2);
}
