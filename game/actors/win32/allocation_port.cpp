#include "game/actors/allocation.h"

int AllocationShouldFail() { return 0; }
