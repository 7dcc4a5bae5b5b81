#pragma once
#include <new>

// 1 when the next record allocation is to fail (host switch; never on Windows).
int AllocationShouldFail();

// Every list record comes from here: a failed allocation gives null and the
// creator skips that spawn.
template <class Record>
Record* NewRecord() {
  if (AllocationShouldFail()) return nullptr;
  return new (std::nothrow) Record();
}
