#pragma once
#include <cstdint>

// The game thread's frame times, kept only when ZARVEL_FRAME_LOG names a
// file: one line per frame wait, "FRAME WALL_US CPU_US", where FRAME is
// FrameCount (-1 on the title screen), WALL_US the time since the previous
// wait and CPU_US the game thread's processor time in it.
// Start hooks the frame waits (before the game thread starts); Stop writes
// the file (after it has ended). Both do nothing without the variable.
void StartFrameLog();
void StopFrameLog();
// One frame wait; public for the tests.
void NoteFrameLog();
int32_t FrameLogCount();
