#pragma once
#include <cstdint>

// The game thread's frame times, kept only when a file is named (tzk.exe:
// the environment variable ZARVEL_FRAME_LOG). One line per frame wait,
// "FRAME WALL_US CPU_US": FrameCount (-1 on the title screen), the time
// since the previous wait and the game thread's processor time in it.
// Start hooks the frame waits (before the game thread starts); Stop writes
// the file (after it has ended). Both do nothing without a file name.
void StartFrameLog(const char* path);
void StopFrameLog();
// One frame wait; public for the tests.
void NoteFrameLog();
int32_t FrameLogCount();
