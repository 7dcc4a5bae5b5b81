#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "game/shell/frame_log.h"
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
