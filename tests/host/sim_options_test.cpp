#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/shell/shared_state.h"
#include "tools/sim/sim.h"

namespace {
int Parse(std::vector<const char*> args, SimOptions& o, std::string& error) {
  args.insert(args.begin(), "tzk-sim");
  return ParseSimArgs(int(args.size()), args.data(), o, error);
}
}  // namespace

TEST(SimOptions, BadUsageIsAOneLineErrorWithExitCodeTwo) {
  const std::vector<std::vector<const char*>> bad = {
      {"--stage", "3"},  {"--stage", "-1"}, {"--level", "5"},   {"--level", "two"},
      {"--seed", "0x1FFFFFFFF"}, {"--frames", "-4"}, {"--frames"}, {"--keys"},
      {"--games", "0"},  {"--bogus"},       {"stage"},          {"--stage", "1x"},
  };
  for (const auto& args : bad) {
    SimOptions o;
    std::string error;
    EXPECT_EQ(Parse(args, o, error), 2) << args[0];
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(error.find('\n'), std::string::npos);
  }
}

TEST(SimOptions, GoodOptionsAreTaken) {
  SimOptions o;
  std::string error;
  ASSERT_EQ(Parse({"--stage", "2", "--level", "0", "--seed", "0x10", "--frames", "99", "--keys",
                   "k.txt", "--games", "3"},
                  o, error),
            0)
      << error;
  EXPECT_EQ(o.stage, 2);
  EXPECT_EQ(o.level, 0);
  EXPECT_EQ(o.seed, 16u);
  EXPECT_EQ(o.frames, 99);
  EXPECT_EQ(o.games, 3);
  EXPECT_EQ(o.keysFile, "k.txt");
}

TEST(KeyScript, ParsesHeldKeysPressesAndReleases) {
  std::vector<KeyChange> script;
  std::string error;
  ASSERT_TRUE(ParseKeyScript("# fight\n0 fire\n\n12 up fire M   # climb\n13 weapon\n20\n30 pause\n",
                             script, error))
      << error;
  ASSERT_EQ(script.size(), 5u);
  EXPECT_EQ(script[0].held, 0x10);
  EXPECT_EQ(script[1].frame, 12);
  EXPECT_EQ(script[1].held, 0x11);
  EXPECT_TRUE(script[1].holdM);
  EXPECT_TRUE(script[2].weapon);
  EXPECT_EQ(script[2].held, 0);  // a press line holds nothing else
  EXPECT_EQ(script[3].held, 0);
  EXPECT_TRUE(script[4].pause);
}

TEST(KeyScript, MalformedScriptsAreRefusedWithTheLine) {
  const char* bad[] = {
      "0 fire\nx up\n", "0 jump\n", "5 fire\n5 up\n", "5 fire\n4 up\n", "-1 up\n",
      "1e3 up\n", "99999999999999 up\n",
  };
  for (const char* text : bad) {
    std::vector<KeyChange> script;
    std::string error;
    EXPECT_FALSE(ParseKeyScript(text, script, error)) << text;
    EXPECT_NE(error.find("line"), std::string::npos) << error;
  }
}
