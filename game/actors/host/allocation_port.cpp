#include "game/actors/allocation.h"

#include "game/actors/host/host_allocation.h"

static int FailuresAhead = 0;
static int AllocationsToSkip = 0;

void HostFailAllocations(int after, int count) {
  AllocationsToSkip = after;
  FailuresAhead = count;
}

int AllocationShouldFail() {
  if (FailuresAhead <= 0) return 0;
  if (AllocationsToSkip > 0) {
    AllocationsToSkip -= 1;
    return 0;
  }
  FailuresAhead -= 1;
  return 1;
}
