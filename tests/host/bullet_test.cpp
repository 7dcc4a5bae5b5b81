#include <gtest/gtest.h>

#include <cmath>

#include "game/actors/actor.h"
#include "game/actors/bullet.h"
#include "game/actors/ship.h"
#include "game/media/display.h"
#include "game/media/host/host_display.h"
#include "game/media/sound_bank.h"
#include "game/shell/game_status.h"
#include "game/shell/shared_state.h"
#include "tests/host/world_fixture.h"

namespace {
Bullet* StillBullet(double x, double y, int32_t damage = 1) {
  Bullet* b = SpawnBullet(0, 0, 0, 0, damage, &BulletFrame);
  b->x = x;
  b->y = y;
  return b;
}

double Speed(const Bullet* b) { return std::hypot(b->speedX, b->speedY); }
}  // namespace

class BulletTest : public World {
 protected:
  void SetUp() override {
    World::SetUp();
    GameStatus.X = 200;
    GameStatus.Y = 240;
    GameStatus.Timer = 80;
    ScrollY = -160;
  }
};

TEST_F(BulletTest, AimedSpeedByLevelTowardsTheShipsMiddle) {
  for (int32_t level = 0; level <= 4; ++level) {
    GameLevel = level;
    // Ship middle on screen (241, 262); the bullet's corner at world row
    // 302 is screen row 142: 120 below and 90 to the right make 150.
    Bullet* b = StillBullet(331, 302);
    AimBullet(b);
    double s = 2 * level + 4;
    EXPECT_NEAR(b->speedX, -90.0 / 150 * s, 1e-12) << "level " << level;
    EXPECT_NEAR(b->speedY, 120.0 / 150 * s, 1e-12) << "level " << level;
  }
}

TEST_F(BulletTest, SetBulletSpeedKeepsTheDirection) {
  Bullet* b = SpawnBullet(0, 0, 3, -4, 1, &BulletFrame);
  SetBulletSpeed(b, 10);
  EXPECT_DOUBLE_EQ(b->speedX, 6);
  EXPECT_DOUBLE_EQ(b->speedY, -8);
}

// With no direction to go by a bullet flies straight left at the asked
// speed, so it always leaves the playfield.
TEST_F(BulletTest, UndefinedDirectionFliesLeft) {
  GameLevel = 3;
  Bullet* onPoint = StillBullet(241, 262 + 160);
  onPoint->speedX = 5;
  AimBullet(onPoint);
  EXPECT_EQ(onPoint->speedX, -10.0);
  EXPECT_EQ(onPoint->speedY, 0.0);

  Bullet* still = StillBullet(10, 10);
  SetBulletSpeed(still, 7);
  EXPECT_EQ(still->speedX, -7.0);
  EXPECT_EQ(still->speedY, 0.0);

  Bullet* tiny = StillBullet(10, 10);
  tiny->speedX = 1e-320;  // too small to divide by
  SetBulletSpeed(tiny, 8);
  EXPECT_TRUE(std::isfinite(tiny->speedX) && std::isfinite(tiny->speedY));
  EXPECT_NEAR(Speed(tiny), 8, 1e-9);
}

TEST_F(BulletTest, PlayfieldBoundsInFloatingPoint) {
  struct Case {
    double x, y;
    int32_t keep;
  } cases[] = {
      {766.9, 300, 1}, {767, 300, 0},   {-73.9, 300, 1}, {-74, 300, 0},
      {100, 1438.9, 1}, {100, 1439, 0}, {100, -649.9, 1}, {100, -650, 0},
  };
  GameStatus.Energy = 0;  // no hits here
  for (const Case& c : cases) {
    Bullet* b = StillBullet(c.x, c.y);
    EXPECT_EQ(UpdateBullet(b), c.keep) << c.x << "," << c.y;
    UnlinkBullet(b);
    delete b;
  }
}

// The hit box is the 20 x 8 pixels from (244, 262) to (263, 269) on
// screen; the bullet is 10 x 10 and is compared truncated.
TEST_F(BulletTest, HitBoxEdges) {
  struct Case {
    const char* name;
    double sx, sy;
    bool hit;
  } cases[] = {
      {"left graze", 234, 262, true},       {"left miss", 233, 262, false},
      {"right graze", 263, 262, true},      {"right miss", 264, 262, false},
      {"top graze", 250, 252, true},        {"top miss", 250, 251, false},
      {"bottom graze", 250, 269, true},     {"bottom miss", 250, 270, false},
      {"cut toward zero", 263.9, 269.9, true}, {"cut short", 233.9, 262, false},
      {"over the nose", 205, 245, false},   {"under the tail", 270, 275, false},
  };
  for (const Case& c : cases) {
    ResetWorld();
    SetUp();
    Bullet* b = StillBullet(c.sx, c.sy + 160);
    int32_t keep = UpdateBullet(b);
    EXPECT_EQ(GameStatus.Energy, c.hit ? 14 : 15) << c.name;
    EXPECT_EQ(keep, c.hit ? 0 : 1) << c.name;
  }
}

TEST_F(BulletTest, KeepRulesOnAHit) {
  struct Case {
    const char* name;
    int32_t energy, timer, damage;
    int32_t keep, damageAfter, energyAfter;
  } cases[] = {
      {"hurt and survived", 15, 80, 1, 0, -14, 14},
      {"beam hurt", 15, 80, 5, 0, -10, 10},
      {"blinking ship", 15, 100, 1, 1, 1, 15},
      {"killing bullet", 1, 80, 1, 1, 1, 0},
      {"ship already gone", 0, 60, 1, 1, 1, 0},
  };
  for (const Case& c : cases) {
    ResetWorld();
    SetUp();
    GameStatus.Energy = c.energy;
    GameStatus.Timer = c.timer;
    Bullet* b = StillBullet(250, 265 + 160, c.damage);
    EXPECT_EQ(UpdateBullet(b), c.keep) << c.name;
    EXPECT_EQ(b->damage, c.damageAfter) << c.name;
    EXPECT_EQ(GameStatus.Energy, c.energyAfter) << c.name;
  }
}

TEST_F(BulletTest, KillingBulletFliesOn) {
  GameStatus.Energy = 1;
  Bullet* b = SpawnBullet(300, 425, -10, 0, 1, &BulletFrame);
  int frames = 0;
  while (UpdateBullet(b) && frames < 200) ++frames;
  EXPECT_EQ(GameStatus.Energy, 0);
  EXPECT_EQ(SoundRequests[SoundDamage], 1);
  EXPECT_EQ(b->damage, 1);
  EXPECT_LE(b->x + b->width, -64.0) << "it left by the left edge, not at the ship";
}

TEST_F(BulletTest, DrawCutsTowardZero) {
  ScrollY = -5;
  Bullet* a = StillBullet(10.7, 20.9);
  StillBullet(3.7, 9.5);
  DrawBullet(a);
  ASSERT_EQ(HostBlits().size(), 1u);
  EXPECT_EQ(HostBlits()[0].x, 10);
  EXPECT_EQ(HostBlits()[0].y, 15);
  EXPECT_EQ(HostBlits()[0].flags, BlitColourKey);
  HostResetDisplay();
  DrawAllBullets();
  ASSERT_EQ(HostBlits().size(), 2u);
  EXPECT_EQ(HostBlits()[1].x, 3);
  EXPECT_EQ(HostBlits()[1].y, 4);
  FreeAllBullets();
  EXPECT_EQ(BulletList.head, nullptr);
}
