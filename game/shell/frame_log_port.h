#pragma once
#include <cstdint>

// Clocks for the frame log: a fine wall clock and the calling thread's
// processor time, both in microseconds.
int64_t PortWallMicroseconds();
int64_t PortThreadCpuMicroseconds();
