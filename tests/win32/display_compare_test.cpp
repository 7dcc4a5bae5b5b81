// DirectDraw under the real (Wine) platform against the host display: the
// same fixed scene must come out index for index the same. Needs a 640 x 480
// desktop for the display mode (wine explorer /desktop=NAME,640x480).
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "game/media/bitmap_port.h"
#include "game/shell/system_port.h"
#include "tests/win32/display_scene_test.h"

namespace {
HWND SceneWindow() {
  static HWND window = nullptr;
  if (window) return window;
  WNDCLASSA wc = {};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "zarvel_display_test";
  RegisterClassA(&wc);
  window = CreateWindowExA(WS_EX_TOPMOST, wc.lpszClassName, "display test", WS_POPUP | WS_VISIBLE,
                           0, 0, ScreenWidth, ScreenHeight, nullptr, nullptr, wc.hInstance, nullptr);
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  PortSleep(50);  // let the desktop show the window before the mode change
  return window;
}

// The sheets are looked up in the current folder, as the game does.
struct InDataFolder {
  char previous[MAX_PATH] = {};
  bool entered = false;
  InDataFolder() {
    GetCurrentDirectoryA(MAX_PATH, previous);
    std::vector<uint8_t> font;
    entered = SetCurrentDirectoryA("data") != 0 && PortReadDataFile("font_.bmp", 64, font);
  }
  ~InDataFolder() { SetCurrentDirectoryA(previous); }
};

// The host display's frame of the scene, from the cross-built host tests.
std::vector<uint8_t> HostFrame() {
  const char* out = "display_scene_host.bin";
  DeleteFileA(out);
  SetEnvironmentVariableA("ZARVEL_SCENE_OUT", out);
  char command[] = "host_tests.exe --gtest_filter=DisplayTest.FixedSceneFrame";
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  std::vector<uint8_t> frame;
  if (!CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
    return frame;
  WaitForSingleObject(pi.hProcess, 120000);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  SetEnvironmentVariableA("ZARVEL_SCENE_OUT", nullptr);
  std::FILE* f = std::fopen(out, "rb");
  if (!f) return frame;
  frame.resize(size_t(ScreenWidth) * ScreenHeight);
  frame.resize(std::fread(frame.data(), 1, frame.size(), f));
  std::fclose(f);
  return frame;
}

class DisplayCompare : public ::testing::Test {
 protected:
  void TearDown() override { ReleaseDisplay(); }
};
}  // namespace

TEST_F(DisplayCompare, DirectDrawFrameMatchesTheHostFrame) {
  ASSERT_NE(SceneWindow(), nullptr);
  {
    InDataFolder data;
    ASSERT_TRUE(data.entered) << "no data folder beside the tests";
    ASSERT_EQ(SetUpSceneDisplay(reinterpret_cast<uintptr_t>(SceneWindow())), 1)
        << std::hex << "LastDisplayResult 0x" << LastDisplayResult;
  }
  EXPECT_EQ(DrawDisplayScene(), DderrInvalidRect);
  std::vector<uint8_t> wine = ReadBackBuffer();
  ASSERT_EQ(wine.size(), size_t(ScreenWidth) * ScreenHeight);
  std::vector<uint8_t> host = HostFrame();
  ASSERT_EQ(host.size(), wine.size()) << "the host tests wrote no frame";
  int32_t differing = 0, first = -1;
  for (size_t i = 0; i < host.size(); ++i)
    if (host[i] != wine[i]) differing += 1, first = first < 0 ? int32_t(i) : first;
  EXPECT_EQ(differing, 0) << "first at x " << first % ScreenWidth << " y " << first / ScreenWidth
                          << ": host " << int(host[first]) << ", DirectDraw " << int(wine[first]);
  PresentFrame();
  EXPECT_EQ(LastDisplayResult, DdOk);
}

// What the portable code takes for granted about DirectDraw's BltFast.
TEST_F(DisplayCompare, BltFastRefusesRectanglesOutsideEitherSurface) {
  ASSERT_NE(SceneWindow(), nullptr);
  ASSERT_EQ(InitDisplay(reinterpret_cast<uintptr_t>(SceneWindow())), DdOk);
  SurfaceHandle sheet = 0;
  ASSERT_EQ(PortCreateSurface(32, 16, &sheet), DdOk);
  SheetSurfaces[FontSheet] = sheet;
  struct Case {
    const char* name;
    int32_t x, y;
    Rect rect;
    int32_t flags;
    int32_t result;
  };
  const Case cases[] = {
      {"inside", 0, 0, {0, 0, 32, 16}, 0, DdOk},
      {"past the right side", 0, 0, {16, 0, 48, 16}, 0, DderrInvalidRect},
      {"left of the sheet", 0, 0, {-1, 0, 8, 16}, 0, DderrInvalidRect},
      {"below the sheet", 0, 0, {0, 8, 8, 24}, 0, DderrInvalidRect},
      {"past the screen's right", 620, 0, {0, 0, 32, 16}, 0, DderrInvalidRect},
  };
  for (const Case& c : cases)
    EXPECT_EQ(PortBltFast(BackBuffer, c.x, c.y, sheet, c.rect, c.flags), c.result) << c.name;
  // Keyed from a sheet never given a key: keyed on index 0, as the host display does.
  PortColourFill(sheet, 7);
  SurfaceLock lock = {};
  ASSERT_EQ(LockSurface(sheet, &lock), DdOk);
  lock.bits[1] = 0;
  PortUnlock(sheet);
  FillBackBuffer(5);
  EXPECT_EQ(PortBltFast(BackBuffer, 0, 0, sheet, Rect{0, 0, 8, 8}, BlitColourKey), DdOk);
  std::vector<uint8_t> frame = ReadBackBuffer();
  ASSERT_FALSE(frame.empty());
  EXPECT_EQ(frame[0], 7);
  EXPECT_EQ(frame[1], 5);  // keyed on 0
}
