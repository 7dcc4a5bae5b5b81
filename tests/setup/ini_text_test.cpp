#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "setup/install/ini_text.h"
#include "setup/install/text_file.h"

namespace {

struct ValueCase {
  const char* name;
  const char* text;
  const char* section;
  const char* key;
  bool skipBlanks;
  int count;           // 0: absent
  const char* stored;  // what the buffer holds afterwards
};

std::string Repeat(char c, int n) { return std::string(static_cast<size_t>(n), c); }

}  // namespace

TEST(IniText, GetValueFollowsTheLineSectionAndCommentRules) {
  const ValueCase cases[] = {
      {"second block of a section", "[init]\nA=1\n[Other]\nB=2\n[init]\nB=3\n", "init", "B", true, 1, "3"},
      {"first key line wins", "[init]\nB=1\n[x]\n[init]\nB=2\n", "init", "B", true, 1, "1"},
      {"verbatim keeps leading blanks", "[init]\nTitle=   Hello\n", "init", "Title", false, 8, "   Hello"},
      {"skipping drops them", "[init]\nCopyDir=   Games\n", "init", "CopyDir", true, 5, "Games"},
      {"tab is a blank", "[init]\nCopyDir=\t Games\n", "init", "CopyDir", true, 5, "Games"},
      {"trailing comment takes blanks", "[init]\nCopyDir = Games   ; comment\n", "init", "CopyDir", true, 5, "Games"},
      {"trailing blanks stay", "[init]\nCopyDir = Games   \n", "init", "CopyDir", true, 8, "Games   "},
      {"empty value is absent", "[init]\nCopyDir=\n", "init", "CopyDir", true, 0, "default"},
      {"comment value is absent", "[init]\nCopyDir=;x\n", "init", "CopyDir", true, 0, "default"},
      {"blanks then comment, verbatim", "[init]\nTitle=   ;x\n", "init", "Title", false, 0, "default"},
      {"empty key line ends search", "[init]\nCopyDir=\nCopyDir=Other\n", "init", "CopyDir", true, 0, "default"},
      {"key line without = skipped", "[init]\nCopyDir Games\nCopyDir=Other\n", "init", "CopyDir", true, 5, "Other"},
      {"header without ] closes", "[init]\n[init\nCopyDir=x\n", "init", "CopyDir", true, 0, "default"},
      {"until a valid header", "[init\nCopyDir=x\n[ init ]\nCopyDir=y\n", "init", "CopyDir", true, 1, "y"},
      {"] anywhere after the name", "[init  x]\nK=v\n", "init", "K", true, 1, "v"},
      {"header name case-blind", "[INIT]\nk=v\n", "init", "K", true, 1, "v"},
      {"lower-case key", "[init]\ncopydir=x\n", "init", "CopyDir", true, 1, "x"},
      {"upper-case key", "[init]\nCOPYDIR=x\n", "init", "CopyDir", true, 1, "x"},
      {"underscore ends the name", "[init]\nCopy_Dir=x\n", "init", "Copy", true, 1, "x"},
      {"underscore name is not CopyDir", "[init]\nCopy_Dir=x\n", "init", "CopyDir", true, 0, "default"},
      {"digit continues the name", "[Exec]\nExec2=x\n", "Exec", "Exec", true, 0, "default"},
      {"longer section name", "[InstallWindows]\nK=v\n", "Install", "K", true, 0, "default"},
      {"keys before any section", "K=v\n[init]\n", "init", "K", true, 0, "default"},
      {"comment line with blanks", "[init]\n  ;K=v\nK=w\n", "init", "K", true, 1, "w"},
      {"first = of the line", "[init]\nK=a=b\n", "init", "K", true, 3, "a=b"},
      {"blank before =", "[init]\n  K\t= v\n", "init", "K", true, 1, "v"},
      {"quotes are bytes", "[init]\nK=\"a b\"\n", "init", "K", true, 5, "\"a b\""},
      {"CR LF line ends", "[init]\r\nK=v\r\nL=w\r\n", "init", "L", true, 1, "w"},
      {"CR line ends", "[init]\rK=v\rL=w\r", "init", "L", true, 1, "w"},
      {"no final line end", "[init]\nK=v", "init", "K", true, 1, "v"},
      {"high bytes pass", "[init]\nT=\x83\x5A\x83\x62\n", "init", "T", false, 4, "\x83\x5A\x83\x62"},
      {"high byte ends a name", "[init]\nK\x83=v\n", "init", "K", true, 1, "v"},
      {"empty file", "", "init", "K", true, 0, "default"},
  };
  for (const ValueCase& c : cases) {
    char buffer[IniValueSize] = "default";
    EXPECT_EQ(GetValue(c.text, c.section, c.key, buffer, sizeof buffer, c.skipBlanks), c.count) << c.name;
    EXPECT_STREQ(buffer, c.stored) << c.name;
  }
}

TEST(IniText, LongLinesAreCutAt255AndTheNextByteIsDropped) {
  // 255 bytes of value line, byte 256 dropped, then "K2=y" as its own line.
  std::string keyLine = "K=" + Repeat('v', 253);
  std::string text = "[init]\n" + keyLine + "X" + "K2=y\n";
  char buffer[IniValueSize] = "";
  EXPECT_EQ(GetValue(text.c_str(), "init", "K", buffer, sizeof buffer, true), 253);
  EXPECT_EQ(std::string(buffer), Repeat('v', 253));
  EXPECT_EQ(GetValue(text.c_str(), "init", "K2", buffer, sizeof buffer, true), 1);
  // Without the dropped byte, "XK2=y" would be the line and K2 absent.
  std::string shortByOne = "[init]\n" + keyLine + "K2=y\n";
  EXPECT_EQ(GetValue(shortByOne.c_str(), "init", "K2", buffer, sizeof buffer, true), 0);
  // A line of exactly 255 bytes ends normally: no byte is lost.
  std::string exact = "[init]\n" + keyLine + "\nK2=y\n";
  EXPECT_EQ(GetValue(exact.c_str(), "init", "K2", buffer, sizeof buffer, true), 1);
}

TEST(IniText, GetValueStopsAtTheBufferSize) {
  const char* text = "[init]\nK=abcdef\n";
  struct { size_t size; int count; const char* stored; } cases[] = {
      {0, 0, "zz"}, {1, 0, "zz"}, {2, 1, "a"}, {4, 3, "abc"}, {7, 6, "abcdef"}, {64, 6, "abcdef"},
  };
  for (const auto& c : cases) {
    char buffer[8] = "zz";
    EXPECT_EQ(GetValue(text, "init", "K", buffer, c.size, true), c.count) << c.size;
    EXPECT_STREQ(buffer, c.stored) << c.size;
  }
  // A value cut by the buffer right before its ';' keeps its blanks.
  char small[5];
  EXPECT_EQ(GetValue("[a]\nK=ab  ;c\n", "a", "K", small, sizeof small, true), 4);
  EXPECT_STREQ(small, "ab  ");
}

TEST(IniText, GetEntryCountsOnlyNonEmptyNonCommentLines) {
  const char* list =
      "[Install]\n"
      "\n"
      "; the program\n"
      "   tzk.exe   ; main\n"
      "  \t \n"
      ".CopyMode = OverWrite\n"
      "[Other]\n"
      "other.txt\n"
      "[ install ]\r\n"
      "data\\stage1.dat\r\n";
  struct { int n; int count; const char* stored; } cases[] = {
      {1, 7, "tzk.exe"}, {2, 21, ".CopyMode = OverWrite"}, {3, 15, "data\\stage1.dat"},
      {4, 0, "untouched"}, {0, 0, "untouched"}, {-1, 0, "untouched"},
  };
  for (const auto& c : cases) {
    char buffer[IniValueSize] = "untouched";
    EXPECT_EQ(GetEntry(list, "Install", c.n, buffer, sizeof buffer), c.count) << c.n;
    EXPECT_STREQ(buffer, c.stored) << c.n;
  }
}

TEST(IniText, A300ByteEntryLineGivesTwoEntries) {
  std::string line;
  for (int i = 0; i < 300; ++i) line += static_cast<char>('a' + i % 26);
  std::string text = "[Exec]\n" + line + "\nlast\n";
  char buffer[IniValueSize];
  ASSERT_EQ(GetEntry(text.c_str(), "Exec", 1, buffer, sizeof buffer), 255);
  EXPECT_EQ(std::string(buffer), line.substr(0, 255));
  ASSERT_EQ(GetEntry(text.c_str(), "Exec", 2, buffer, sizeof buffer), 44);
  EXPECT_EQ(std::string(buffer), line.substr(256));
  EXPECT_EQ(GetEntry(text.c_str(), "Exec", 3, buffer, sizeof buffer), 4);
}

TEST(IniText, NamesMatchComparesTheLeadingAlphanumericRun) {
  struct { const char* a; const char* b; bool match; } cases[] = {
      {"init", "INIT", true},       {"init ]", "init", true},   {"init]", "init", true},
      {"StartMenuGroup = x", "startmenugroup", true},           {"Exec2=x", "Exec", false},
      {"InstallWindows", "Install", false},                     {"Copy_Dir", "Copy", true},
      {"Copy-Dir", "Copy", true},   {"", "", true},             {"=", "", true},
      {"a", "", false},             {"\xC1", "", true},         {"A\xE1", "a\xC1", true},
      {"@", "`", true},             {"[", "{", true},           {"key1", "KEY1", true},
  };
  for (const auto& c : cases) EXPECT_EQ(NamesMatch(c.a, c.b), c.match) << c.a << " / " << c.b;
}

TEST(IniText, OnOffTests) {
  struct { const char* value; bool contains; bool starts; } cases[] = {
      {"1", true, true},     {"10", true, true},   {"yes1", true, false}, {"  1", true, true},
      {"0", false, false},   {"", false, false},   {"on", false, false},  {"\t1x", true, true},
      {"01", true, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ContainsOne(c.value), c.contains) << c.value;
    EXPECT_EQ(StartsWithOne(c.value), c.starts) << c.value;
  }
  EXPECT_TRUE(IniFlagContainsOne("[init]\nF=yes1\n", "init", "F"));
  EXPECT_FALSE(IniFlagStartsWithOne("[init]\nF=yes1\n", "init", "F"));
  EXPECT_FALSE(IniFlagContainsOne("[init]\nF=;1\n", "init", "F"));
  EXPECT_FALSE(IniFlagContainsOne(nullptr, "init", "F"));
}

TEST(IniText, BufferSizeForLoading) {
  struct { uint64_t fileSize; uint64_t maxBytes; LoadResult result; size_t bytes; } cases[] = {
      {0, SIZE_MAX, LoadOk, 1},
      {100, SIZE_MAX, LoadOk, 101},
      {0xFFFFFFFFull, 0xFFFFFFFFull, LoadNoMemory, 0},  // a 32-bit size_t would wrap
      {0x100000000ull, SIZE_MAX, LoadTooLarge, 0},
      {0x7FFFFFFF00000000ull, SIZE_MAX, LoadTooLarge, 0},
  };
  for (const auto& c : cases) {
    size_t bytes = 0;
    EXPECT_EQ(TextBufferSize(c.fileSize, c.maxBytes, &bytes), c.result) << c.fileSize;
    EXPECT_EQ(bytes, c.bytes) << c.fileSize;
  }
  EXPECT_EQ(LoadFailureMessage(LoadMissing), nullptr);
  EXPECT_STREQ(LoadFailureMessage(LoadTooLarge), "setup.iniが大きすぎます。");
  EXPECT_STREQ(LoadFailureMessage(LoadNoMemory), "メモリー確保失敗");
}

TEST(IniText, ReadTextFileLoadsBytesAndNul) {
  const char* path = "ini_text_test_setup.ini";
  std::FILE* f = std::fopen(path, "wb");
  ASSERT_NE(f, nullptr);
  std::fwrite("[init]\r\nK=v\0x", 1, 13, f);
  std::fclose(f);
  char* text = nullptr;
  size_t size = 0;
  ASSERT_EQ(ReadTextFile(path, &text, &size), LoadOk);
  EXPECT_EQ(size, 13u);
  EXPECT_EQ(text[13], 0);
  char buffer[IniValueSize];
  EXPECT_EQ(GetValue(text, "init", "K", buffer, sizeof buffer, true), 1);
  FreeText(text);
  std::remove(path);
  EXPECT_EQ(ReadTextFile("no_such_setup.ini", &text, &size), LoadMissing);
  // A folder opens on some systems but never reads as a text.
  EXPECT_EQ(ReadTextFile(".", &text, &size), LoadMissing);
  // An empty file loads as an empty text.
  f = std::fopen(path, "wb");
  std::fclose(f);
  ASSERT_EQ(ReadTextFile(path, &text, &size), LoadOk);
  EXPECT_EQ(size, 0u);
  EXPECT_EQ(GetEntry(text, "Install", 1, buffer, sizeof buffer), 0);
  FreeText(text);
  std::remove(path);
}
