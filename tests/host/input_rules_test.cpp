#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "game/shell/input_rules.h"
#include "game/shell/shared_state.h"

namespace {
void ClearFlags() {
  for (auto* f : {&InputState, &Paused, &MusicWanted, &AppActive, &SelectedWeapon, &QuitConfirmed})
    f->store(0);
}
}  // namespace

TEST(InputRules, KeyDownActionsAndBits) {
  struct Case {
    int32_t key;
    KeyAction action;
    int32_t bit;
  } cases[] = {
      {VkUp, KeySetBits, 0x1},      {VkNumpad8, KeySetBits, 0x1},  {VkDown, KeySetBits, 0x2},
      {VkNumpad2, KeySetBits, 0x2}, {VkRight, KeySetBits, 0x4},    {VkNumpad6, KeySetBits, 0x4},
      {VkLeft, KeySetBits, 0x8},    {VkNumpad4, KeySetBits, 0x8},  {'Z', KeySetBits, 0x10},
      {VkSpace, KeySetBits, 0x10},  {VkControl, KeySetBits, 0x10}, {'C', KeySetBits, 0x20},
      {'F', KeySetBits, 0x20},      {'0', KeySetBits, 0x20},       {VkShift, KeyCycleWeapon, 0},
      {'X', KeyCycleWeapon, 0},     {VkReturn, KeyTogglePause, 0}, {VkPause, KeyTogglePause, 0},
      {'P', KeyTogglePause, 0},     {VkEscape, KeyClose, 0},       {VkF12, KeyClose, 0},
      {VkF1, KeyShowScores, 0},     {'A', KeyStoreOnly, 0},        {0x60, KeyStoreOnly, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(KeyDownAction(c.key), c.action) << "key " << c.key;
    EXPECT_EQ(KeyDownInput(0x10000, c.key), 0x10000 | c.bit) << "key " << c.key;
    EXPECT_EQ(KeyUpInput(0x1003F, c.key), 0x1003F & ~c.bit) << "key " << c.key;  // stick kept
  }
}

TEST(InputRules, ShiftCyclesTheWeapons) {
  ClearFlags();
  std::vector<int32_t> seen;
  for (int i = 0; i < 7; ++i) {
    CycleWeapon();
    seen.push_back(SelectedWeapon.load());
  }
  EXPECT_EQ(seen, (std::vector<int32_t>{1, 2, 3, 4, 0, 1, 2}));
  for (int32_t from : {5, -1, INT32_MIN, INT32_MAX}) {  // nothing the table holds: back to 0
    SelectedWeapon.store(from);
    CycleWeapon();
    EXPECT_EQ(SelectedWeapon.load(), 0) << from;
  }
}

// The game thread reads the weapon while the main thread changes it: it
// sees one of the five weapons at every read, never a step in between. The
// weapon cycles for as long as the reader takes to make its reads (a
// minute at most, on a machine too busy to run the two side by side).
TEST(InputRules, AReaderNeverSeesAWeaponPastTheLast) {
  ClearFlags();
  constexpr int64_t Reads = 20000000;
  std::atomic<int64_t> reads{0};
  std::atomic<bool> done{false};
  int32_t lowest = 0, highest = 0;
  std::thread reader([&] {
    for (int64_t n = 1; !done.load(); ++n) {
      int32_t w = SelectedWeapon.load();
      lowest = std::min(lowest, w), highest = std::max(highest, w);
      if (n % 1024 == 0) reads.store(n);
    }
  });
  auto limit = std::chrono::steady_clock::now() + std::chrono::minutes(1);
  while (reads.load() < Reads && std::chrono::steady_clock::now() < limit)
    for (int i = 0; i < 1000; ++i) CycleWeapon();
  done.store(true);
  reader.join();
  EXPECT_EQ(lowest, 0);
  EXPECT_LE(highest, 4);
}

// A script's frames reach the flags as the keys would: exactly the held
// keyboard bits (the stick's half untouched), and the presses through the
// same weapon and pause rules, the music request included.
TEST(InputRules, KeyFramesGoThroughTheKeyRules) {
  struct Frame {
    int32_t held;
    bool weapon, pause;
    int32_t input, selected, paused, music;
  } frames[] = {
      {InputFire | InputRight, false, false, 0x10014, 0, 0, 1},
      {InputRight, true, false, 0x10004, 1, 0, 1},
      {0x3F, true, true, 0x1003F, 2, 1, 0},
      {0, false, true, 0x10000, 2, 0, 1},
      {0, true, false, 0x10000, 3, 0, 1},
      {InputBomb, true, false, 0x10020, 4, 0, 1},
      {InputBomb, true, false, 0x10020, 0, 0, 1},
  };
  ClearFlags();
  InputState.store(InputUp & ~0xFFFF);  // the stick held up
  MusicWanted.store(1);
  int line = 0;
  for (const Frame& f : frames) {
    ApplyKeyFrame(f.held, f.weapon, f.pause);
    ++line;
    EXPECT_EQ(InputState.load(), f.input) << "frame " << line;
    EXPECT_EQ(SelectedWeapon.load(), f.selected) << "frame " << line;
    EXPECT_EQ(Paused.load(), f.paused) << "frame " << line;
    EXPECT_EQ(MusicWanted.load(), f.music) << "frame " << line;
  }
}

TEST(InputRules, PauseTogglesAndTheMusicFollows) {
  struct Case {
    int32_t paused, music;
    int32_t wantPaused, wantMusic;
  } cases[] = {
      {0, 1, 1, 0},  // P: paused, music off
      {1, 0, 0, 1},  // Enter: resumed, music on
      {0, 0, 1, 0},
      {1, 1, 0, 1},
  };
  for (const Case& c : cases) {
    ClearFlags();
    Paused.store(c.paused);
    MusicWanted.store(c.music);
    TogglePause();
    EXPECT_EQ(Paused.load(), c.wantPaused);
    EXPECT_EQ(MusicWanted.load(), c.wantMusic);
  }
}

TEST(InputRules, SwitchingAwayForgetsHeldKeys) {
  struct Case {
    int32_t active, paused, music, quit;
    int32_t wantMusic;
  } cases[] = {
      {0, 0, 1, 0, 0},  // away: the music stops
      {1, 0, 0, 0, 1},  // back: it goes on
      {1, 1, 0, 0, 0},  // back to a paused game: it stays off
      {1, 0, 0, 1, 0},  // closing: nothing more starts
  };
  for (const Case& c : cases) {
    ClearFlags();
    InputState.store(InputFire | InputUp);
    Paused.store(c.paused);
    MusicWanted.store(c.music);
    QuitConfirmed.store(c.quit);
    ActivateApp(c.active);
    EXPECT_EQ(InputState.load(), 0);
    EXPECT_EQ(AppActive.load(), c.active);
    EXPECT_EQ(MusicWanted.load(), c.wantMusic);
  }
  ClearFlags();
}

TEST(InputRules, JoystickBits) {
  const int32_t c = 32767;  // centre of a 0..65535 stick
  struct Case {
    int32_t x, y;
    uint32_t buttons;
    int32_t input, want;
  } cases[] = {
      {c, c, 0, 0, 0},
      {c + 14335, c - 14335, 0, 0, 0},  // pushed only slightly: no bit
      {c + 14336, c, 0, 0, InputRight & ~0xFFFF},
      {c - 14336, c, 0, 0, InputLeft & ~0xFFFF},
      {c, c - 14336, 0, 0, InputUp & ~0xFFFF},
      {c, 65535, 0, 0, InputDown & ~0xFFFF},
      {c, c, JoyButton1 | JoyButton3, 0, (InputFire | InputBomb) & ~0xFFFF},
      {c, c, 0x2, 0, 0},  // button 2 changes weapons, sets no bit
      {c, c, 0, int32_t(0x3F003F), 0x3F},  // the stick's old bits go, the keys stay
  };
  for (const Case& k : cases) {
    uint32_t position = uint32_t(k.x) | (uint32_t(k.y) << 16);
    EXPECT_EQ(JoystickInput(k.input, position, k.buttons, c, c), k.want)
        << "x " << k.x << " y " << k.y << " buttons " << k.buttons;
  }
}

TEST(InputRules, JoystickRangesGiveThresholdAndCentre) {
  EXPECT_EQ(JoystickThreshold(0, 65535, 0, 65535), 6553u);
  EXPECT_EQ(JoystickThreshold(100, 1100, 0, 2000), 150u);
  EXPECT_EQ(JoystickCentre(0, 65535), 32767);
  EXPECT_EQ(JoystickCentre(100, 1101), 600);
}

TEST(InputRules, CommandLineChoosesTheStartStage) {
  struct Case {
    const char* line;
    int32_t stage;
  } cases[] = {
      {"", 0}, {"-", 0}, {"-a", 0}, {"-b", 1}, {"-c", 2}, {"xc", 2}, {"-cc", 2},
      {"-d", 0},  // no fourth stage: as without a choice
      {"-z", 0}, {"-A", 0}, {"-\xe0", 0}, {nullptr, 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(StageFromCommandLine(c.line, 0), c.stage) << (c.line ? c.line : "(null)");
}

TEST(InputRules, SeedFromLocalTime) {
  // minute x milliseconds + month + day of week + day + second + year
  EXPECT_EQ(SeedFromLocalTime(2026, 12, 2, 8, 30, 15, 500), 30u * 500 + 12 + 2 + 8 + 15 + 2026);
  EXPECT_EQ(SeedFromLocalTime(2026, 1, 0, 1, 0, 0, 0), 2028u);
}
