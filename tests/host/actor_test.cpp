#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/actors/actor.h"
#include "game/actors/allocation.h"
#include "game/actors/enemy_behaviours.h"
#include "game/actors/ship.h"
#include "game/media/display.h"
#include "game/media/host/host_display.h"
#include "game/media/random.h"
#include "game/media/sound_bank.h"
#include "game/shell/game_status.h"
#include "game/shell/shared_state.h"
#include "tests/host/world_fixture.h"

namespace {
constexpr Rect Square{0, 0, 20, 20};
constexpr Rect Sizes[2] = {{0, 0, 10, 10}, {0, 0, 30, 20}};


Actor* Spawn(int32_t x, int32_t y, Behaviour b = Still, int32_t hp = 3, int32_t flags = 1,
             int32_t sheet = EnemySheet, const Rect* frames = &Square, int32_t count = 1,
             int32_t anchor = 0, int32_t burst = 0) {
  return CreateActor(NewRecord<Actor>(), x, y, frames, count, b, hp, 50, burst, 0, flags, sheet,
                     anchor);
}

// '1' where a creation was placed where asked, '0' where it was thinned out.
std::string ThinningPattern(int32_t level, int count) {
  GameLevel = level;
  std::string placed;
  for (int i = 0; i < count; ++i) placed += Spawn(100, 200)->y == 200 ? '1' : '0';
  return placed;
}
}  // namespace

using ActorTest = World;

TEST_F(ActorTest, LevelThinningSequences) {
  struct Case {
    int32_t level;
    const char* pattern;
  } cases[] = {
      {0, "0001001001"},  // the 4th, 7th and 10th
      {1, "0010101010"},  // the 3rd, 5th, 7th and 9th
      {2, "1111111111"},
      {4, "1111111111"},
  };
  for (const Case& c : cases) {
    ThinningCounter = 0;
    EXPECT_EQ(ThinningPattern(c.level, 10), c.pattern) << "level " << c.level;
    FreeAllActors();
  }
}

TEST_F(ActorTest, ThinningSparesBlocksExplosionsAndBossButTheyRunTheCounter) {
  GameLevel = 0;
  ThinningCounter = 0;
  EXPECT_EQ(Spawn(0, 5, Still, 3, 0, BlockSheet)->y, 5);  // opaque block
  EXPECT_EQ(Spawn(0, 5, ExplodeBehaviour)->y, 5);
  EXPECT_EQ(Spawn(0, 5, Still, 3, 1, BossSheet)->y, 5);
  EXPECT_EQ(ThinningCounter, 3);
  EXPECT_EQ(Spawn(0, 5)->y, 5);  // the counter was past 2: this enemy is placed
  EXPECT_EQ(Spawn(0, 5)->y, ThinnedRow);
}

TEST_F(ActorTest, CreationOrderAndStartValues) {
  Actor* sprite = Spawn(1, 1);
  Actor* block = Spawn(2, 2, Still, 3, 0);
  Actor* dasher = Spawn(3, 3, DashBehaviour);
  Actor* fromLeft = CreateActor(NewRecord<Actor>(), 500, 0, Sizes, 2, LeftEntryBehaviour, 1, 0, 0,
                                0, 1, EnemySheet, 0);
  EXPECT_EQ(EnemyList.head, block);  // opaque ones first, so sprites lie above them
  EXPECT_EQ(block->next, sprite);
  EXPECT_EQ(EnemyList.tail, fromLeft);
  EXPECT_EQ(dasher->counter, -30);
  EXPECT_EQ(sprite->counter, 0);
  EXPECT_EQ(fromLeft->x, 2 - 10);  // enters from the left edge whatever x was asked
  for (Actor* a : {sprite, block, dasher}) {
    EXPECT_TRUE(a->speedY == 16 || a->speedY == -16);
    EXPECT_EQ(a->width, 20);
    EXPECT_EQ(a->frameIndex, 0);
  }
}

TEST_F(ActorTest, EveryCreationDrawsSpeedFromTheSharedGenerator) {
  GlobalRandom.SetSeed(RandomBaseSeed);
  Random expected(RandomBaseSeed);
  for (int i = 0; i < 20; ++i) EXPECT_EQ(Spawn(0, 0)->speedY, expected.Next(2) * 32 - 16);
}

TEST_F(ActorTest, AnchorsKeepTheirPointWhenTheFrameChangesSize) {
  struct Case {
    int32_t anchor;
    int32_t x0, y0;      // after the first step (small -> large)
  } cases[] = {
      {0, 100, 100},
      {1, 105 - 15, 105 - 10},  // centre (105, 105) kept
      {2, 100 + 10 - 30, 100 + 10 - 20},  // bottom-right (110, 110) kept
  };
  for (const Case& c : cases) {
    Actor* a = Spawn(100, 100, Still, 1, 1, EnemySheet, Sizes, 2, c.anchor);
    a->frameHold = 0;
    AnimationStep(a);
    EXPECT_EQ(a->frameIndex, 1);
    EXPECT_EQ(a->x, c.x0) << "anchor " << c.anchor;
    EXPECT_EQ(a->y, c.y0) << "anchor " << c.anchor;
    AnimationStep(a);  // back to the small frame: back to where it started
    EXPECT_EQ(a->frameIndex, 0);
    EXPECT_EQ(a->x, 100);
    EXPECT_EQ(a->y, 100);
  }
}

TEST_F(ActorTest, FrameIsShownFrameHoldPlusOneUpdates) {
  Actor* a = Spawn(0, 0, Still, 1, 1, EnemySheet, Sizes, 2);
  a->frameHold = 2;
  std::vector<int32_t> shown;
  for (int i = 0; i < 7; ++i) {
    AnimationStep(a);
    shown.push_back(a->frameIndex);
  }
  EXPECT_EQ(shown, (std::vector<int32_t>{0, 0, 1, 1, 1, 0, 0}));
}

TEST_F(ActorTest, DamageSurvivingAndDestroying) {
  struct Case {
    int32_t hp, damage;
    int32_t result, hpAfter, scoreGained, hitSounds;
    bool exploding;
  } cases[] = {
      {3, 1, 0, 2, 0, 1, false},
      {3, 0, 0, 3, 0, 0, false},    // no damage: flash, but no sound
      {3, 3, 0, 0, 50, 0, true},    // exactly 0 destroys and leaves nothing over
      {3, 8, 5, -5, 50, 0, true},   // the rest carries on
  };
  for (const Case& c : cases) {
    ResetWorld();
    Actor* a = Spawn(0, 0, Still, c.hp);
    EXPECT_EQ(DamageActor(a, c.damage), c.result);
    EXPECT_EQ(a->hp, c.hpAfter);
    EXPECT_EQ(TotalScore, c.scoreGained);
    EXPECT_EQ(SoundRequests[SoundKin] + SoundRequests[SoundKin2], c.hitSounds);
    EXPECT_EQ(a->behaviour == ExplodeBehaviour, c.exploding);
    if (!c.exploding) {
      EXPECT_EQ(a->flash, 2);
    }
  }
}

TEST_F(ActorTest, ScoreIsAwardedOnce) {
  Actor* a = Spawn(0, 0, Still, 1);
  DamageActor(a, 1);
  DamageActor(a, 1);
  EXPECT_EQ(TotalScore, 50);
}

TEST_F(ActorTest, PlayfieldBoundsFinishActors) {
  ScrollY = 0;
  struct Case {
    int32_t x, y;
    int32_t keep;
  } cases[] = {
      {766, 0, 1}, {767, 0, 0}, {-83, 0, 1}, {-84, 0, 0},  // width 20: x + 20 <= -64 ends
      {0, 1278, 1}, {0, 1279, 0}, {0, -819, 1}, {0, -820, 0},
  };
  for (const Case& c : cases) {
    Actor* a = Spawn(c.x, c.y);
    EXPECT_EQ(UpdateActor(a), c.keep) << c.x << "," << c.y;
  }
}

TEST_F(ActorTest, ThinnedActorDependsOnTheView) {
  Actor* a = Spawn(300, ThinnedRow);
  ScrollY = ScrollYForShip(192);  // -128: 1407 - 128 = 1279
  EXPECT_EQ(UpdateActor(a), 0);
  ScrollY = ScrollYForShip(200);
  EXPECT_EQ(UpdateActor(a), 1);
}

TEST_F(ActorTest, RamHurtsBothWhenTheShipSurvives) {
  GameStatus.Timer = VulnerableTimer;
  ScrollY = 0;
  // The hit box is (44..63, 22..29) from the ship's corner; touch it at its left edge.
  Actor* a = Spawn(44 - 20, 240 + 22 - 20 + 0, Still, 7);
  EXPECT_EQ(UpdateActor(a), 1);
  EXPECT_EQ(GameStatus.Energy, 10);
  EXPECT_EQ(a->hp, 2);
  EXPECT_EQ(a->flash, 2);
  // Now the ship blinks: the next ram does nothing to either.
  a->x = 44 - 20;
  UpdateActor(a);
  EXPECT_EQ(GameStatus.Energy, 10);
  EXPECT_EQ(a->hp, 2);
}

TEST_F(ActorTest, JustOutsideTheHitBoxIsNoRam) {
  GameStatus.Timer = VulnerableTimer;
  ScrollY = 0;
  Spawn(44 - 21, 250);  // right edge at 43
  Spawn(64, 250);       // left edge past 63
  Spawn(50, 240 + 30);  // top below row 29
  PassOver(EnemyList, [](Actor* a) { return UpdateActor(a); });
  EXPECT_EQ(GameStatus.Energy, StartEnergy);
}

TEST_F(ActorTest, ExplosionWithoutBurstLastsElevenUpdatesCentred) {
  Actor* a = Spawn(100, 100, Still, 1);
  DamageActor(a, 1);
  int updates = 0;
  while (UpdateActor(a)) ++updates;
  EXPECT_EQ(updates + 1, 11);
  EXPECT_EQ(SoundRequests[SoundBoon], 1);
}

TEST_F(ActorTest, ExplosionStaysCentredOnTheSmallFramesMiddle) {
  Actor* a = Spawn(100, 100, Still, 1);
  DamageActor(a, 1);
  for (int i = 0; i < 4; ++i) {
    UpdateActor(a);
    EXPECT_EQ(a->x + a->width / 2, 114);
    EXPECT_EQ(a->y + a->height / 2, 113);
  }
}

TEST_F(ActorTest, BurstSinksAndShedsDebrisThenExplodes) {
  Actor* a = Spawn(100, 100, Still, 1, 0, BlockSheet, &Square, 1, 0, 3);
  DamageActor(a, 5);
  int32_t rows[3];
  for (int i = 0; i < 3; ++i) {
    UpdateActor(a);
    rows[i] = a->y;
  }
  EXPECT_EQ(CountRecords(EnemyList), 4);  // three debris explosions
  EXPECT_EQ(a->blitFlags, 1);             // the wreck is drawn keyed from now on
  EXPECT_EQ(rows[0], 101);                // sank 1, then 2 ...
  EXPECT_EQ(rows[1], 103);
  EXPECT_EQ(a->frames, ExplosionFrames);  // ... and burst in the third update
}

TEST_F(ActorTest, FlashingActorIsDrawnShaken) {
  Actor* a = Spawn(10, 50, Still, 5);
  ScrollY = 0;
  DamageActor(a, 1);
  std::vector<int32_t> rows;
  for (int i = 0; i < 40; ++i) {
    HostResetDisplay();
    a->flash = 2;
    DrawActor(a);
    ASSERT_EQ(HostBlitRequests().size(), 1u);
    rows.push_back(HostBlitRequests().back().y);
  }
  for (int32_t y : rows) {
    EXPECT_GE(y, 48);
    EXPECT_LE(y, 52);
  }
  uint32_t before = GlobalRandom.state;
  a->flash = 0;
  DrawActor(a);
  EXPECT_EQ(GlobalRandom.state, before);  // no draw without the flash
  ASSERT_FALSE(HostBlitRequests().empty());
  EXPECT_EQ(HostBlitRequests().back().y, 50);
}

TEST_F(ActorTest, ScoreSaturatesInsteadOfWrapping) {
  TotalScore = INT32_MAX - 10;
  Actor* a = Spawn(0, 0, Still, 1);  // worth 50
  DamageActor(a, 1);
  EXPECT_EQ(TotalScore, INT32_MAX);
}
