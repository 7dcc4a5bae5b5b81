#pragma once
#include <cstdint>

// Clocks for the frame log: a fine wall clock and the calling thread's
// processor time, both in microseconds.
int64_t PortWallMicroseconds();
int64_t PortThreadCpuMicroseconds();
// The wall time of the pacing clock's latest reading (PortGetTickCount),
// on the clock above: the reading that ended a frame wait times its end.
int64_t PortPacingMicroseconds();
