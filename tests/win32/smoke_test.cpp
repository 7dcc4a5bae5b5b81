// What the Windows adaptors take for granted about the platform, checked
// against the real one (Wine in our runs).
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

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
// programs hand it to Windows, through code page 932.
constexpr unsigned char kQuitSjis[] = {0x8f, 0x49, 0x97, 0xb9, 0x82, 0xb5, 0x82,
                                       0xdc, 0x82, 0xb7, 0x82, 0xa9, 0x81, 0x48};

TEST(Win32Platform, NarrowLiteralsAreShiftJisBytes) {
  const char text[] = "終了しますか？";
  ASSERT_EQ(sizeof text - 1, sizeof kQuitSjis);
  EXPECT_EQ(0, std::memcmp(text, kQuitSjis, sizeof kQuitSjis));
}
