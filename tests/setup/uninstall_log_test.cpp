#include <gtest/gtest.h>

#include <string>

#include "setup/uninstall/uninstall_log.h"

namespace {

// The seven-record log of an installation with two files.
const char SevenRecords[] =
    "C:\\Games\\ZARVEL\r\n"
    "C:\\Games\\ZARVEL\\_inst_.log\r\n"
    "C:\\Games\\ZARVEL\\a.dat\r\n"
    "C:\\Games\\ZARVEL\\b.dat\r\n"
    "ZARVEL\r\n"
    "ZARVEL Uninstall\r\n"
    "C:\\WINDOWS\\zarvel_u.exe\r\n";

}  // namespace

TEST(UninstallLog, CountLinesIsOnePlusLineFeeds) {
  struct Case { const char* text; int32_t lines; };
  const Case cases[] = {
      {"", 1},
      {"a", 1},
      {"a\r\n", 2},
      {"a\r\nb\r\n", 3},
      {"a\rb\r", 1},  // CR alone ends no line here
      {"\n\n\n", 4},
      {SevenRecords, 8},
  };
  for (const Case& c : cases) EXPECT_EQ(CountLines(c.text), c.lines) << c.text;
}

TEST(UninstallLog, GetLineStopsAtCrLfOrNulAndRefusesOutOfRange) {
  struct Case { const char* text; int32_t n; int32_t size; int32_t ok; const char* want; };
  const Case cases[] = {
      {SevenRecords, 1, 260, 1, "C:\\Games\\ZARVEL"},
      {SevenRecords, 4, 260, 1, "C:\\Games\\ZARVEL\\b.dat"},
      {SevenRecords, 7, 260, 1, "C:\\WINDOWS\\zarvel_u.exe"},
      {SevenRecords, 8, 260, 1, ""},  // the empty line after the last CR LF
      {SevenRecords, 9, 260, 0, "untouched"},
      {SevenRecords, 0, 260, 0, "untouched"},
      {SevenRecords, -3, 260, 0, "untouched"},
      {"abc", 1, 260, 1, "abc"},
      {"a\rb\nc", 1, 260, 1, "a"},
      {"a\rb\nc", 2, 260, 1, "c"},
      {"abcdef\r\n", 1, 4, LineCut, "abc"},  // at most size - 1 bytes, and says so
      {"abc\r\n", 1, 4, LineWhole, "abc"},
      {"", 1, 260, 1, ""},
  };
  for (const Case& c : cases) {
    char buffer[260] = "untouched";
    EXPECT_EQ(GetLine(c.text, c.n, buffer, c.size), c.ok) << c.n;
    EXPECT_STREQ(buffer, c.want) << c.n;
  }
}

TEST(UninstallLog, FindLastLineSkipsBlankLinesFromTheEnd) {
  struct Case { const char* text; int32_t ok; const char* want; int32_t number; };
  const Case cases[] = {
      {SevenRecords, 1, "C:\\WINDOWS\\zarvel_u.exe", 7},
      {"a\r\nb", 1, "b", 2},
      {"a\r\nb\r\n \t\r\n\r\n", 1, "b", 2},
      {"a\r\n  x  \r\n", 1, "  x  ", 2},
      {"", 0, "untouched", 0},
      {" \r\n\t\r\n", 0, "untouched", 0},
  };
  for (const Case& c : cases) {
    char buffer[260] = "untouched";
    EXPECT_EQ(FindLastLine(c.text, buffer, sizeof buffer), c.ok) << c.text;
    EXPECT_STREQ(buffer, c.want) << c.text;
    EXPECT_EQ(LastLineNumber(c.text), c.number) << c.text;
  }
}

TEST(UninstallLog, PlanTakesTheLastThreeRecordsAsKeyNameAndUninstaller) {
  struct Case { std::string text; int32_t lines, items, nameLine, keyLine, cut; };
  const std::string seven = SevenRecords;
  const Case cases[] = {
      {seven, 8, 4, 6, 5, 0},
      // Saved by an editor: final line end lost, or blank lines added.
      {seven.substr(0, seven.size() - 2), 8, 4, 6, 5, 0},
      {seven + "\r\n  \r\n", 8, 4, 6, 5, 0},
      // Fewer than four lines: nothing to delete.
      {"", 1, -3, -1, -2, 0},
      {"a\r\nb\r\n", 3, -1, 1, 0, 0},
      {"k\r\nname\r\nu.exe\r\n", 4, 0, 2, 1, 0},
      {"C:\\G\r\nC:\\G\\_inst_.log\r\nC:\\G\\a\r\n", 4, 0, 2, 1, 0},
      // Cut short by a cancelled installation: the key record is a path.
      {"C:\\G\r\nC:\\G\\_inst_.log\r\nC:\\G\\a\r\nC:\\G\\b\r\n", 5, 4, 1, 0, 1},
      {"\\\\s\\g\r\n\\\\s\\g\\_inst_.log\r\nx\r\ny\r\n", 5, 4, 1, 0, 1},
      // A key name that only looks like one ('C:' without a backslash).
      {"C:\\G\r\nC:\\G\\_inst_.log\r\nC:\r\nname\r\nu.exe\r\n", 6, 2, 4, 3, 0},
  };
  for (const Case& c : cases) {
    const UninstallPlan plan = ReadUninstallPlan(c.text.c_str());
    EXPECT_EQ(plan.lines, c.lines) << c.text;
    EXPECT_EQ(plan.items, c.items) << c.text;
    EXPECT_EQ(plan.nameLine, c.nameLine) << c.text;
    EXPECT_EQ(plan.keyLine, c.keyLine) << c.text;
    EXPECT_EQ(plan.cutShort, c.cut) << c.text;
    EXPECT_EQ(plan.uninstallerLine, c.cut ? 0 : c.lines - 1) << c.text;
  }
}

TEST(UninstallLog, ProgressIsTruncatedShareOfItemsDone) {
  struct Case { int32_t items, i, position; };
  const Case cases[] = {
      {4, 4, 25}, {4, 3, 50}, {4, 2, 75}, {4, 1, 100},
      {3, 3, 33}, {3, 2, 66}, {3, 1, 100},
      {1, 1, 100},
      {0, 0, 0}, {-2, 1, 0},  // nothing to delete
      {0x7FFFFFF0, 1, 100},   // no overflow on the way
      {0x7FFFFFF0, 0x7FFFFFF0, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(ProgressPosition(c.items, c.i), c.position) << c.items << " " << c.i;
}
