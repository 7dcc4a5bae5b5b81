#pragma once
#include <cstdint>

// The game thread's frame times, kept only when a file is named (tzk.exe:
// the environment variable ZARVEL_FRAME_LOG). One line per frame wait,
// "FRAME WALL_US CPU_US WORK_US PRESENT_US WAIT_US": FrameCount (-1 on the
// title screen), the time since the previous wait began, the game thread's
// processor time in it, then where the frame's time went: the work since
// the previous wait ended (update and draw), presenting the frame, and the
// wait for its 60 ms. The last three add up to the paced frame time; a
// wait that ended in no frame (the game paused, inactive or quitting) has
// WAIT_US -1.
// Start hooks the frame waits (before the game thread starts); Stop writes
// the file (after it has ended). Both do nothing without a file name.
// With a count of stage frames (tzk.exe: ZARVEL_FRAME_LOG_FRAMES), the file
// is written, and the log stops, as soon as it holds that many: a script
// can wait for the file instead of for a time long enough.
void StartFrameLog(const char* path, const char* stageFrames = nullptr);
void StopFrameLog();
// The three points of a frame wait; public for the tests.
void NoteFrameLog();
void NoteFrameLogPresented();
void NoteFrameLogWaitEnd();
int32_t FrameLogCount();
