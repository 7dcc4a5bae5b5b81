#include "setup/install/copy_rules.h"

CopyAction DecideCopy(CopyModeKind mode, bool destExists, uint64_t destTime, bool sourceExists,
                      uint64_t sourceTime) {
  switch (mode) {
    case CopyOverWrite:
      return CopyReplacing;
    case CopyNewDateOverWrite:
      return destExists && sourceExists && destTime > sourceTime ? KeepDestination
                                                                  : CopyReplacing;
    case CopyIfNotExit:
      break;
  }
  return CopyUnlessPresent;
}

bool ShowsCopyFailure(int32_t list, CopyModeKind mode) {
  return list == 0 && mode != CopyIfNotExit;
}

bool MediaIsFolder(uint32_t attributes) { return attributes == 0x10; }
