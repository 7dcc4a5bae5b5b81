// The frame pacing on the real platform (Wine in our runs): by the
// performance counter every frame ends more than 60 ms after the previous
// one, and the wait gives the processor back rather than spinning it away.
#include <gtest/gtest.h>

#include <cstdlib>

#include "game/shell/frame_log_port.h"
#include "game/shell/shared_state.h"
#include "game/shell/stage_loop.h"
#include "game/shell/system_port.h"

TEST(FramePacing, FramesPassSixtyMillisecondsAndTheWaitSleeps) {
  FrameCount = 1;
  AppActive.store(1);
  Paused.store(0);
  QuitConfirmed.store(0);
  FrameTime = 0;
  LastTick = PortGetTickCount();
  int64_t start = PortPacingMicroseconds();
  int64_t cpuStart = PortThreadCpuMicroseconds();
  int64_t last = start;
  for (int frame = 0; frame < 4; ++frame) {
    ASSERT_EQ(FrameWait(), 0);
    int64_t end = PortPacingMicroseconds();
    EXPECT_GT(end - last, 60000) << "frame " << frame;
    last = end;
    FrameTime = 0;  // as the stage loop clears it after its wait
  }
  int64_t cpu = PortThreadCpuMicroseconds() - cpuStart;
  if (const char* spin = std::getenv("ZARVEL_FRAME_SPIN"); spin && spin[0] == '1')
    GTEST_SKIP() << "ZARVEL_FRAME_SPIN=1 spins the wait";
  EXPECT_LT(cpu, (last - start) / 2) << "processor time over " << last - start << " us";
}
