// The programs' crossings between code page 932 and Windows' UTF-16, run
// under a Japanese and (label wine, ZARVEL_EXPECT_ACP=1252) a Western
// system code page: they must not follow it.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "common/win32/cp932_text.h"

TEST(Cp932Text, RunsUnderTheSystemCodePageAsked) {
  const char* expected = std::getenv("ZARVEL_EXPECT_ACP");
  if (!expected) GTEST_SKIP() << "no code page asked for";
  EXPECT_EQ(static_cast<UINT>(std::atoi(expected)), GetACP());
}

// One character of each kind and lead-byte range, there and back. Code page
// 932 has two spellings of some (NEC's and IBM's rows): Windows gives back
// IBM's.
TEST(Cp932Text, EveryRangeCrossesBothWays) {
  const struct { const char* bytes; const wchar_t* wide; const char* back; } cases[] = {
      {"A\\", L"A\\", "A\\"},                     // ASCII; 5C is the backslash
      {"\xB1\xDF", L"\uFF71\uFF9F", "\xB1\xDF"},  // one-byte katakana A1-DF
      {"\x81\x40", L"\u3000", "\x81\x40"},        // lead 81, the first
      {"\x83\x5C\x83\x7C", L"\u30BD\u30DD", "\x83\x5C\x83\x7C"},  // ソ ポ: 5C, 7C trail
      {"\x87\x40", L"\u2460", "\x87\x40"},        // NEC's row 13
      {"\x9F\xFC", L"\u6ECC", "\x9F\xFC"},        // lead 9F, the last of 81-9F
      {"\xE0\x40", L"\u6F3E", "\xE0\x40"},        // lead E0, the first of E0-FC
      {"\xEA\xA4", L"\u7199", "\xEA\xA4"},        // the last kanji of JIS X 0208
      {"\xED\x40", L"\u7E8A", "\xFA\x5C"},        // NEC's copy of IBM's kanji
      {"\xF0\x40\xF9\xFC", L"\uE000\uE757", "\xF0\x40\xF9\xFC"},  // user-defined F0-F9
      {"\xFA\x40\xFC\x4B", L"\u2170\u9ED1", "\xFA\x40\xFC\x4B"},  // IBM's FA-FC
      {"C:\\\x83\x51\x81\x5B\x83\x80", L"C:\\\u30B2\u30FC\u30E0", "C:\\\x83\x51\x81\x5B\x83\x80"},
  };
  for (const auto& c : cases) {
    std::wstring wide;
    ASSERT_TRUE(WidePath(c.bytes, &wide)) << c.bytes;
    EXPECT_EQ(std::wstring(c.wide), wide) << c.bytes;
    EXPECT_EQ(std::wstring(c.wide), WideText(c.bytes)) << c.bytes;
    std::string back;
    EXPECT_TRUE(Cp932Text(c.wide, &back)) << c.bytes;
    EXPECT_EQ(std::string(c.back), back) << c.bytes;
  }
}

// What 932 lacks is refused, never replaced by a look-alike (é by e); a '?'
// stands in only to read the rest.
TEST(Cp932Text, WhatCodePage932CannotHoldIsRefused) {
  const struct { const wchar_t* wide; const char* read; } cases[] = {
      {L"C:\\\uAC8C\uC784", "C:\\??"},   // Korean
      {L"C:\\Users\\\U0001F600", "C:\\Users\\??"},  // an emoji: a ? for each UTF-16 unit
      {L"caf\u00E9", "caf?"},            // no best fit
      {L"-u \xD800", "-u ?"},            // a lone surrogate
  };
  for (const auto& c : cases) {
    std::string text;
    EXPECT_FALSE(Cp932Text(c.wide, &text)) << c.read;
    EXPECT_EQ(std::string(c.read), text);
    char buffer[64] = "old";
    EXPECT_FALSE(Cp932Into(c.wide, buffer, sizeof buffer)) << c.read;
    EXPECT_STREQ("", buffer);
  }
}

// A path that is no Shift-JIS is refused; shown, it still shows.
TEST(Cp932Text, BrokenShiftJisIsNoPath) {
  const char* cases[] = {"C:\\\x81", "C:\\\x81\x20x", "C:\\\x85\x40"};  // cut, bad trail, unassigned
  for (const char* bytes : cases) {
    std::wstring wide;
    EXPECT_FALSE(WidePath(bytes, &wide)) << bytes;
    EXPECT_FALSE(WideText(bytes).empty()) << bytes;
  }
}

TEST(Cp932Text, IntoABufferOnlyWhatFits) {
  char buffer[5];
  EXPECT_TRUE(Cp932Into(L"\u30B2\u30FC", buffer, sizeof buffer));  // 4 bytes and the NUL
  EXPECT_STREQ("\x83\x51\x81\x5B", buffer);
  EXPECT_FALSE(Cp932Into(L"\u30B2\u30FCA", buffer, sizeof buffer));
  EXPECT_STREQ("", buffer);
}
