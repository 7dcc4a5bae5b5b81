#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "game/actors/actor.h"
#include "game/actors/host/host_allocation.h"
#include "game/actors/shot.h"
#include "game/actors/ship.h"
#include "game/media/display.h"
#include "game/media/host/host_display.h"
#include "game/media/music_player.h"
#include "game/media/screen_effect.h"
#include "game/media/sound_bank.h"
#include "game/shell/game_status.h"
#include "game/shell/host/host_system.h"
#include "game/shell/shared_state.h"
#include "tests/host/world_fixture.h"

namespace {
std::vector<HostBlit> BlitsOn(int32_t sheet) { return OnSheet(HostBlits(), sheet); }

int CountMusic(MusicOp op) {
  int n = 0;
  for (const MusicRequest& r : MusicRequests()) n += r.op == op;
  return n;
}

// The font's cell of a digit, as DrawFontNumber draws it.
int32_t DigitOf(const HostBlit& b) { return (b.source.left - 256) / 16; }
}  // namespace

using GameStatusTest = World;

TEST_F(GameStatusTest, TakeDamageCases) {
  struct Case {
    const char* name;
    int32_t energy, timer, clear, n;
    int32_t result, energyAfter, timerAfter;
    bool hurt;   // sound and explosion
    bool flash;  // survived: white flash and new invulnerability
    bool death;  // music stopped
  } cases[] = {
      {"hit and alive", 15, 80, 0, 5, 10, 10, 110, true, true, false},
      {"last energy left", 2, 80, 0, 1, 1, 1, 110, true, true, false},
      {"invulnerable", 15, 81, 0, 5, -5, 15, 81, false, false, false},
      {"stage cleared", 15, 80, 1, 5, -5, 15, 80, false, false, false},
      {"exactly fatal", 5, 80, 0, 5, -5, 0, 80, true, false, true},
      {"fifteen at once", 15, 80, 0, 15, -15, 0, 80, true, false, true},
      {"overkill", 3, 80, 0, 20, -20, 0, 80, true, false, true},
      {"already destroyed", 0, 50, 0, 3, -3, 0, 50, true, false, true},
  };
  for (const Case& c : cases) {
    ResetWorld();
    ScrollY = -100;
    GameStatus.X = 120;
    GameStatus.Y = 200;
    GameStatus.Energy = c.energy;
    GameStatus.Timer = c.timer;
    GameStatus.ClearFlag = c.clear;
    MusicWanted.store(1);
    MusicPlaying = 1;
    EXPECT_EQ(TakeDamage(c.n), c.result) << c.name;
    EXPECT_EQ(GameStatus.Energy, c.energyAfter) << c.name;
    EXPECT_EQ(GameStatus.Timer, c.timerAfter) << c.name;
    EXPECT_EQ(SoundRequests[SoundDamage], c.hurt ? 1 : 0) << c.name;
    ASSERT_EQ(CountRecords(EnemyList), c.hurt ? 1 : 0) << c.name;
    if (c.hurt) {
      const Actor* boom = EnemyList.head;
      EXPECT_EQ(boom->x, 120) << c.name;
      EXPECT_EQ(boom->y, 300) << c.name;  // world row of the ship
      EXPECT_EQ(boom->burst, c.n) << c.name;
      EXPECT_EQ(boom->hp, 0) << c.name;
      EXPECT_EQ(boom->behaviour, ExplodeBehaviour) << c.name;
    }
    EXPECT_EQ(ScreenEffect.mode == 5 && ScreenEffect.duration == 2, c.flash) << c.name;
    EXPECT_EQ(MusicWanted.load(), c.death ? 0 : 1) << c.name;
    EXPECT_EQ(MusicPlaying, c.death ? 0 : 1) << c.name;
    EXPECT_EQ(CountMusic(MusicPause), c.death ? 1 : 0) << c.name;
  }
}

TEST_F(GameStatusTest, ThreeHitsOfFiveDestroyAFullShip) {
  GameStatus.Timer = 80;
  std::vector<int32_t> results;
  for (int hit = 0; hit < 3; ++hit) {
    results.push_back(TakeDamage(5));
    if (hit < 2) {
      EXPECT_EQ(TakeDamage(5), -5) << "invulnerable right after hit " << hit;
      for (int f = 0; f < 30; ++f) GameStatusUpdate(0);
      EXPECT_EQ(GameStatus.Timer, 80) << "30 frames of invulnerability";
    }
  }
  EXPECT_EQ(results, (std::vector<int32_t>{10, 5, -5}));
  EXPECT_EQ(GameStatus.Energy, 0);
}

TEST_F(GameStatusTest, HitWithoutMemoryStillCounts) {
  GameStatus.Timer = 80;
  HostFailAllocations(0, 1);
  EXPECT_EQ(TakeDamage(5), 10);
  EXPECT_EQ(CountRecords(EnemyList), 0);
  EXPECT_EQ(SoundRequests[SoundDamage], 1);
}

TEST_F(GameStatusTest, BossDestroyedClearsOnlyALivingShip) {
  BossDestroyed();
  EXPECT_EQ(GameStatus.ClearFlag, 1);
  EXPECT_EQ(ScreenEffect.mode, 2);
  EXPECT_EQ(ScreenEffect.duration, 120);
  EXPECT_EQ(ScreenEffect.counter, 0);

  ResetWorld();
  GameStatus.Energy = 0;
  BossDestroyed();
  EXPECT_EQ(GameStatus.ClearFlag, 0);
  EXPECT_NE(ScreenEffect.duration, 120);
}

// Frame 0 is the first update after the fatal hit; IsFinished is asked
// before each update, as the stage loop does.
TEST_F(GameStatusTest, DeathCountdownFrames) {
  TotalScore = 4321;
  GameStatus.Timer = 80;
  GameStatus.X = 300;
  ASSERT_EQ(TakeDamage(15), -15);
  GameStatus.ClearFlag = 1;  // a clearing that came too late is undone
  ScrollY = -77;
  int soundFrame = -1, postFrame = -1, finishedFrame = -1;
  for (int frame = 0; frame < 100 && finishedFrame < 0; ++frame) {
    if (IsFinished()) {
      finishedFrame = frame;
      break;
    }
    int sounds = SoundRequests[SoundShipExplosion];
    size_t posts = HostPostedMessages().size();
    GameStatusUpdate(InputRight | InputFire | InputBomb);
    if (SoundRequests[SoundShipExplosion] != sounds) {
      EXPECT_EQ(soundFrame, -1);
      soundFrame = frame;
      EXPECT_EQ(ScreenEffect.mode, 2);
      EXPECT_EQ(ScreenEffect.duration, 82);
      EXPECT_EQ(ScreenEffect.counter, 0);
    }
    if (HostPostedMessages().size() != posts) {
      EXPECT_EQ(postFrame, -1);
      postFrame = frame;
    }
  }
  EXPECT_EQ(soundFrame, 0);
  EXPECT_EQ(postFrame, 78);
  EXPECT_EQ(finishedFrame, 80);
  ASSERT_EQ(HostPostedMessages().size(), 1u);
  EXPECT_EQ(HostPostedMessages()[0].message, WmCommand);
  EXPECT_EQ(HostPostedMessages()[0].wParam, 142u);
  EXPECT_EQ(HostPostedMessages()[0].lParam, 4321);
  EXPECT_EQ(GameStatus.ClearFlag, 0);
  EXPECT_EQ(GameStatus.X, 300) << "a destroyed ship does not move";
  EXPECT_EQ(ScrollY, -77);
  EXPECT_EQ(CountRecords(ShotList), 0);
  EXPECT_EQ(SoundRequests[SoundFlash], 0);
}

TEST_F(GameStatusTest, DrawBlinksWhileInvulnerable) {
  std::vector<int32_t> hidden;
  for (int32_t timer = 110; timer >= 78; --timer) {
    HostResetDisplay();
    GameStatus.Timer = timer;
    GameStatusDraw();
    if (HostBlits().empty()) hidden.push_back(timer);
    else EXPECT_EQ(HostBlits()[0].source.right, 83);
  }
  EXPECT_EQ(hidden, (std::vector<int32_t>{110, 107, 104, 101, 98, 95, 92, 89, 86, 83}));

  HostResetDisplay();
  GameStatus.Energy = 0;
  GameStatusDraw();
  EXPECT_TRUE(BlitsOn(CommonSheet).empty());
  ASSERT_FALSE(BlitsOn(FontSheet).empty());
  EXPECT_EQ(BlitsOn(FontSheet)[0].x, 266);  // "GAME OVER"
  EXPECT_EQ(BlitsOn(FontSheet)[0].y, 240);
}

TEST_F(GameStatusTest, EnergyGaugeLength) {
  struct Case {
    int32_t energy, length;
  } cases[] = {{15, 96}, {10, 64}, {5, 32}, {1, 6}, {0, -1}, {-3, -1}};
  for (const Case& c : cases) {
    HostResetDisplay();
    GameStatus.Energy = c.energy;
    DrawHud();
    int32_t length = -1;
    for (const HostBlit& b : HostBlits())
      if (b.x == 250 && b.y == 10 && b.sheet == CommonSheet) {
        EXPECT_EQ(b.flags, BlitOpaque);
        EXPECT_EQ(b.source.top, 192);
        EXPECT_EQ(b.source.bottom, 208);
        length = RectWidth(b.source);
      }
    EXPECT_EQ(length, c.length) << "energy " << c.energy;
  }
}

// A score past nine digits holds at 999999999 rather than wrapping or
// spilling into the cells beyond '9'.
TEST_F(GameStatusTest, ScoreShowsNineDigitsAndHoldsAtTheTop) {
  struct Case {
    int32_t score, shown;
  } cases[] = {{0, 0},
               {80, 80},
               {999999999, 999999999},
               {1000000000, 999999999},
               {2000000000, 999999999},
               {INT_MAX, 999999999},
               {-1, 0}};
  for (const Case& c : cases) {
    EXPECT_EQ(DisplayedScore(c.score), c.shown) << c.score;
    HostResetDisplay();
    TotalScore = c.score;
    DrawHud();
    int32_t drawn = 0, digits = 0;
    for (const HostBlit& b : BlitsOn(FontSheet)) {
      if (b.y != 10 || b.x < 100 || b.x >= 100 + 12 * 9) continue;
      EXPECT_GE(DigitOf(b), 0);
      EXPECT_LE(DigitOf(b), 9);
      drawn = drawn * 10 + DigitOf(b);
      ++digits;
    }
    EXPECT_EQ(digits, 9) << c.score;
    EXPECT_EQ(drawn, c.shown) << c.score;
  }
}

TEST_F(GameStatusTest, WeaponCursorPulsesRoundTheSelectedSlot) {
  struct Case {
    int32_t frame, weapon, phase;
  } cases[] = {{0, 0, 0}, {1, 0, 0}, {2, 1, 1}, {5, 4, 2}, {7, 2, 3}, {8, 3, 0}, {-1, 0, 3}};
  for (const Case& c : cases) {
    HostResetDisplay();
    FrameCount = c.frame;
    SelectedWeapon.store(c.weapon);
    DrawHud();
    const std::vector<HostBlit>& blits = HostBlits();
    ASSERT_GE(blits.size(), 5u);
    EXPECT_EQ(blits[0].x, 4);  // the panel comes first
    EXPECT_EQ(blits[0].y, 34);
    EXPECT_EQ(blits[0].source.left, 96);
    EXPECT_EQ(blits[0].source.bottom, 160);
    int32_t p = c.phase, slot = 34 + 32 * c.weapon;
    const int32_t want[4][2] = {
        {4 + p, slot + p}, {28 - p, slot + p}, {4 + p, slot + 24 - p}, {28 - p, slot + 24 - p}};
    for (int i = 0; i < 4; ++i) {
      EXPECT_EQ(blits[1 + i].x, want[i][0]) << "frame " << c.frame << " piece " << i;
      EXPECT_EQ(blits[1 + i].y, want[i][1]) << "frame " << c.frame << " piece " << i;
      EXPECT_EQ(RectWidth(blits[1 + i].source), 8);
      EXPECT_EQ(blits[1 + i].flags, BlitColourKey);
    }
  }
}

TEST_F(GameStatusTest, WarningLineSlidesDownInTheFirstFiftyFramesOfEachThousand) {
  struct Case {
    int32_t frame, y;
  } cases[] = {{-1, 148}, {0, 150}, {49, 248}, {50, -1}, {999, -1}, {1000, 150}, {2010, 170}};
  for (const Case& c : cases) {
    HostResetDisplay();
    FrameCount = c.frame;
    DrawHud();
    int32_t y = -1;
    for (const HostBlit& b : BlitsOn(FontSheet))
      if (b.x == 98) y = b.y;
    EXPECT_EQ(y, c.y) << "frame " << c.frame;
  }
}
