#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <chrono>
#include <sstream>
#include <thread>
#include <string>
#include <vector>

#include "game/shell/frame_log.h"
#include "game/shell/frame_log_port.h"
#include "game/shell/observers.h"
#include "game/shell/shared_state.h"

namespace {
std::vector<std::string> Lines(const std::filesystem::path& p) {
  std::vector<std::string> lines;
  std::ifstream in(p);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}
}  // namespace

TEST(FrameLog, WrittenOnlyWhenAsked) {
  auto path = std::filesystem::temp_directory_path() / "zarvel_frame_log_test.txt";
  std::filesystem::remove(path);
  struct Case {
    bool asked;
    size_t lines;  // header and one line per wait after the first
  } cases[] = {{false, 0}, {true, 3}};
  for (const Case& c : cases) {
    std::string name = path.string();
    StartFrameLog(c.asked ? name.c_str() : nullptr);
    EXPECT_EQ(OnFrameWait != nullptr, c.asked);
    for (int32_t frame : {-1, 0, 1}) {
      FrameCount = frame;
      if (OnFrameWait) OnFrameWait();
    }
    StopFrameLog();
    EXPECT_EQ(OnFrameWait, nullptr);
    std::vector<std::string> lines = Lines(path);
    ASSERT_EQ(lines.size(), c.lines) << "asked " << c.asked;
    if (c.asked) {
      EXPECT_EQ(lines[1].substr(0, 2), "0 ");  // the frame being waited for
      EXPECT_EQ(lines[2].substr(0, 2), "1 ");
    }
  }
  std::filesystem::remove(path);
  FrameCount = 0;
}

// Each part of a frame lands in its own column: the work between waits,
// the present, the wait. Sleeps of different lengths tell them apart.
TEST(FrameLog, PartsOfTheFrameInTheirColumns) {
  auto path = std::filesystem::temp_directory_path() / "zarvel_frame_parts_test.txt";
  std::string name = path.string();
  auto pause = [](int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); };
  StartFrameLog(name.c_str());
  int64_t firstWait[2] = {0, 0};  // the wall clock around the first wait's start
  for (int32_t frame : {-1, 1}) {
    FrameCount = frame;
    pause(30);  // work
    if (frame == -1) firstWait[0] = PortWallMicroseconds();
    OnFrameWait();
    if (frame == -1) firstWait[1] = PortWallMicroseconds();
    pause(10);  // present
    OnFramePresented();
    pause(20);  // wait
    OnFrameWaitEnd();
  }
  FrameCount = 2;
  OnFrameWait();  // a wait that ends in no frame, as when the game pauses
  StopFrameLog();
  std::vector<std::string> lines = Lines(path);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[2].substr(lines[2].size() - 3), " -1") << lines[2];
  std::istringstream in(lines[1]);
  long long frame, wall, cpu, work, present, wait;
  ASSERT_TRUE(in >> frame >> wall >> cpu >> work >> present >> wait) << lines[1];
  EXPECT_EQ(frame, 1);
  EXPECT_GE(work, 30000);
  EXPECT_GE(present, 10000);
  EXPECT_GE(wait, 20000);
  EXPECT_GE(wall, work + 30000) << "from one wait's start to the next";
  // The header places the log on the wall clock: the first wait's start.
  long long first = -1;
  size_t at = lines[0].find("first wait began at ");
  ASSERT_NE(at, std::string::npos) << lines[0];
  std::istringstream(lines[0].substr(at + 20)) >> first;
  EXPECT_GE(first, firstWait[0]);
  EXPECT_LE(first, firstWait[1]);
  std::filesystem::remove(path);
  FrameCount = 0;
}

// With a count, the file is written as the last of that many stage frames
// ends. The title's waits do not count, nor a wait that ended in no frame
// (paused), nor the frame after it (no wait ended before its work).
TEST(FrameLog, WrittenOnceItHoldsTheStageFramesAskedFor) {
  auto path = std::filesystem::temp_directory_path() / "zarvel_frame_count_test.txt";
  std::filesystem::remove(path);
  std::string name = path.string();
  StartFrameLog(name.c_str(), "2");
  auto call = [](void (*observer)()) {  // as the stage loop calls them
    if (observer) observer();
  };
  for (int32_t frame : {-1, -1, 1, 2, 3, 4, 5, 6}) {
    FrameCount = frame;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));  // some work
    call(OnFrameWait);
    if (frame == 2) continue;  // paused: a wait that ends in no frame
    call(OnFramePresented);
    call(OnFrameWaitEnd);
  }
  EXPECT_EQ(OnFrameWait, nullptr) << "the log stopped";
  std::vector<std::string> lines = Lines(path);
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[1].substr(0, 3), "-1 ");
  EXPECT_EQ(lines[5].substr(0, 2), "4 ");
  std::filesystem::remove(path);
  StopFrameLog();
  EXPECT_FALSE(std::filesystem::exists(path)) << "written a second time";
  FrameCount = 0;
}
