// What the Windows adaptors take for granted about the platform, checked
// against the real one (Wine in our runs).
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <cwchar>

// The game waits for its thread with GetTickCount; a coarse or frozen tick
// would cut that wait short or never end it.
TEST(Win32Platform, TickCountAdvancesAcrossSleep) {
  // The wait counts milliseconds: a 100 ms sleep must show, though Wine's
  // tick count moves in steps (87 ms was seen); the upper bound only has to
  // survive a loaded machine.
  DWORD before = GetTickCount();
  Sleep(100);
  DWORD elapsed = GetTickCount() - before;
  EXPECT_GE(elapsed, 50u);
  EXPECT_LT(elapsed, 10000u);
}

// "終了しますか？" in Shift-JIS, as the compiler must emit it and as the
// A calls (MessageBoxA, TextOutA, LoadStringA) must read it.
constexpr unsigned char kQuitSjis[] = {0x8f, 0x49, 0x97, 0xb9, 0x82, 0xb5, 0x82,
                                       0xdc, 0x82, 0xb7, 0x82, 0xa9, 0x81, 0x48};
constexpr wchar_t kQuitWide[] = L"終了しますか？";

TEST(Win32Platform, NarrowLiteralsAreShiftJisBytes) {
  const char text[] = "終了しますか？";
  ASSERT_EQ(sizeof text - 1, sizeof kQuitSjis);
  EXPECT_EQ(0, std::memcmp(text, kQuitSjis, sizeof kQuitSjis));
}

// The A calls convert with the ANSI code page; our texts only show right when
// that is 932.
TEST(Win32Platform, AnsiCodePageReadsShiftJis) {
  EXPECT_EQ(932u, GetACP());
  wchar_t wide[16] = {};
  int n = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS,
                              reinterpret_cast<const char*>(kQuitSjis),
                              sizeof kQuitSjis, wide, 16);
  ASSERT_EQ(7, n);
  EXPECT_EQ(0, std::wmemcmp(wide, kQuitWide, 7));
  char narrow[32] = {};
  n = WideCharToMultiByte(CP_ACP, 0, kQuitWide, 7, narrow, sizeof narrow,
                          nullptr, nullptr);
  ASSERT_EQ(static_cast<int>(sizeof kQuitSjis), n);
  EXPECT_EQ(0, std::memcmp(narrow, kQuitSjis, sizeof kQuitSjis));
}
