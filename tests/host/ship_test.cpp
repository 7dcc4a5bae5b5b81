#include <gtest/gtest.h>

#include <vector>

#include "game/actors/actor.h"
#include "game/actors/allocation.h"
#include "game/actors/bullet.h"
#include "game/actors/host/host_allocation.h"
#include "game/actors/ship.h"
#include "game/actors/shot.h"
#include "game/media/display.h"
#include "game/media/screen_effect.h"
#include "game/media/sound_bank.h"
#include "game/shell/game_status.h"
#include "game/shell/shared_state.h"
#include "tests/host/world_fixture.h"

namespace {
constexpr Rect TargetBox{0, 0, 40, 40};

Actor* Target(int32_t hp) {
  return CreateActor(NewRecord<Actor>(), 300, 300, &TargetBox, 1, Still, hp, 70, 0, 0, 1, EnemySheet, 0);
}

std::vector<Shot*> Shots() {
  std::vector<Shot*> all;
  for (Shot* s = ShotList.head; s; s = s->next) all.push_back(s);
  return all;
}

// One frame of the living ship, with the input held as the stage loop reads it.
void ShipFrame(int32_t input) {
  InputState.store(input);
  GameStatusUpdate(input);
}
}  // namespace

class ShipTest : public World {
 protected:
  void SetUp() override {
    World::SetUp();
    GameStatus.Timer = 80;
  }
};

TEST_F(ShipTest, MovementBoundsAndOrder) {
  struct Case {
    int32_t x, y, input, wantX, wantY;
  } cases[] = {
      {552, 240, InputRight, 564, 240},           // bound tested before the step
      {564, 240, InputRight, 564, 240},
      {12, 240, InputLeft, 0, 240},
      {0, 240, InputLeft, 0, 240},
      {300, 240, InputRight | InputLeft, 300, 240},
      {564, 240, InputRight | InputLeft, 552, 240},  // only the second test applies
      {0, 240, InputRight | InputLeft, 0, 240},
      {0, 424, InputDown, 0, 432},
      {0, 432, InputDown, 0, 432},
      {0, 8, InputUp, 0, 0},
      {0, 0, InputUp, 0, 0},
      {0, 240, InputDown | InputUp, 0, 240},
      {0, 432, InputDown | InputUp, 0, 424},
      {0, 240, 0x40000 | 0x20000, 12, 248},  // the joystick half
      {0, 240, 0x4 | 0x10000, 12, 232},
  };
  for (const Case& c : cases) {
    GameStatus.X = c.x;
    GameStatus.Y = c.y;
    GameStatusUpdate(c.input);
    EXPECT_EQ(GameStatus.X, c.wantX) << c.x << "," << c.y << " input " << std::hex << c.input;
    EXPECT_EQ(GameStatus.Y, c.wantY) << c.x << "," << c.y << " input " << std::hex << c.input;
  }
}

TEST_F(ShipTest, ScrollYFollowsTheShipsHeight) {
  struct Case {
    int32_t y, scroll;
  } cases[] = {{0, 0}, {8, -6}, {100, -67}, {240, -160}, {248, -165}, {432, -288}};
  for (const Case& c : cases) {
    GameStatus.Y = c.y;
    GameStatusUpdate(0);
    EXPECT_EQ(ScrollY, c.scroll) << "y " << c.y;
  }
}

TEST_F(ShipTest, CooldownFallsToMinusOneAndTheFirstShotComes50FramesAfterABomb) {
  for (int f = 0; f < 5; ++f) ShipFrame(0);
  EXPECT_EQ(GameStatus.ShotCooldown[0], -1);

  ShipFrame(InputBomb);
  EXPECT_EQ(GameStatus.ShotCooldown[0], 50);
  int firstShot = -1;
  for (int f = 1; f <= 60 && firstShot < 0; ++f) {
    ShipFrame(InputFire | InputBomb);
    if (ShotList.head) firstShot = f;
  }
  EXPECT_EQ(firstShot, 50);
  EXPECT_EQ(SoundRequests[SoundFlash], 1) << "the shot wins over the second bomb";
}

TEST_F(ShipTest, HeldFireRateAndShotsPerWeapon) {
  struct Case {
    int32_t weapon, presses, shots;
  } cases[] = {{0, 6, 6}, {1, 4, 4}, {2, 12, 12}, {3, 6, 18}, {4, 4, 12}};
  for (const Case& c : cases) {
    ResetWorld();
    GameStatus.Timer = 80;
    SelectedWeapon.store(c.weapon);
    int shots = 0;
    for (int f = 0; f < 12; ++f) {
      ShipFrame(InputFire);
      shots += CountRecords(ShotList);
      FreeAllShots();
    }
    EXPECT_EQ(SoundRequests[SoundShot1 + c.weapon], c.presses) << "weapon " << c.weapon;
    EXPECT_EQ(shots, c.shots) << "weapon " << c.weapon;
  }
}

TEST_F(ShipTest, FireAndBombTogetherOnlyWithTheLaser) {
  struct Case {
    int32_t weapon, bombs, cooldown;
  } cases[] = {{0, 0, 2}, {1, 0, 3}, {2, 1, 50}, {3, 0, 2}, {4, 0, 3}};
  for (const Case& c : cases) {
    ResetWorld();
    GameStatus.Timer = 80;
    SelectedWeapon.store(c.weapon);
    ShipFrame(InputFire | InputBomb);
    EXPECT_EQ(SoundRequests[SoundShot1 + c.weapon], 1) << "weapon " << c.weapon;
    EXPECT_EQ(SoundRequests[SoundFlash], c.bombs) << "weapon " << c.weapon;
    EXPECT_EQ(GameStatus.ShotCooldown[0], c.cooldown) << "weapon " << c.weapon;
  }
}

// The shot's row uses the previous frame's ScrollY. A number the table does
// not hold (it comes from the main thread) fires weapon 0, never what lies
// past the table.
TEST_F(ShipTest, FireWeaponCreatesEachWeaponsShotsInOrder) {
  struct Case {
    int32_t stored, weapon, dx, dy, width, height, damage, cooldown;
    std::vector<int32_t> params;
  } cases[] = {
      {0, 0, 55, 18, 16, 8, 1, 2, {0}},
      {1, 1, 71, -24, 32, 96, 5, 3, {0}},
      {2, 2, -8, 20, 96, 5, 4, 0, {0}},
      {3, 3, 60, 20, 8, 8, 1, 2, {0, -30, 30}},
      {4, 4, 60, 16, 16, 16, 3, 3, {0, -30, 30}},
      {5, 0, 55, 18, 16, 8, 1, 2, {0}},
      {-1, 0, 55, 18, 16, 8, 1, 2, {0}},
      {INT32_MIN, 0, 55, 18, 16, 8, 1, 2, {0}},
  };
  for (const Case& c : cases) {
    ResetWorld();
    GameStatus.X = 100;
    GameStatus.Y = 200;
    ScrollY = -50;
    SelectedWeapon.store(c.stored);
    FireWeapon();
    std::vector<int32_t> params;
    for (Shot* s : Shots()) {
      params.push_back(s->param);
      EXPECT_EQ(s->x, 100 + c.dx) << "stored " << c.stored;
      EXPECT_EQ(s->y, 250 + c.dy) << "stored " << c.stored;
      EXPECT_EQ(s->width, c.width) << "stored " << c.stored;
      EXPECT_EQ(s->height, c.height) << "stored " << c.stored;
      EXPECT_EQ(s->damage, c.damage) << "stored " << c.stored;
      EXPECT_EQ(s->frame, &WeaponTable[c.weapon].frame) << "stored " << c.stored;
    }
    EXPECT_EQ(params, c.params) << "stored " << c.stored;
    EXPECT_EQ(GameStatus.ShotCooldown[0], c.cooldown) << "stored " << c.stored;
    EXPECT_EQ(SoundRequests[SoundShot1 + c.weapon], 1) << "stored " << c.stored;
  }
}

TEST_F(ShipTest, FailedShotKeepsTheCooldownAndTheSound) {
  SelectedWeapon.store(4);
  HostFailAllocations(0, 1);  // the middle shot
  FireWeapon();
  std::vector<int32_t> params;
  for (Shot* s : Shots()) params.push_back(s->param);
  EXPECT_EQ(params, (std::vector<int32_t>{-30, 30}));
  EXPECT_EQ(GameStatus.ShotCooldown[0], 3);
  EXPECT_EQ(SoundRequests[SoundShot5], 1);
}

TEST_F(ShipTest, ShotPaths) {
  struct Case {
    int32_t weapon, param;
    std::vector<int32_t> dxs, dys;
  } cases[] = {
      {0, 0, {30, 30, 30}, {0, 0, 0}},
      {1, 0, {5, 10, 15, 20}, {0, 0, 0, 0}},
      {3, -30, {30, 30}, {-30, -30}},
      {4, 0, {15, 15, 15}, {0, 0, 0}},
      {4, -30, {15, 15, 15, 15, 15, 15}, {-30, -17, -4, 9, -4, 9}},
      {4, 30, {15, 15, 15, 15, 15, 15}, {30, 17, 4, -9, 4, -9}},
  };
  for (const Case& c : cases) {
    Shot shot{};
    const Weapon& w = WeaponTable[c.weapon];
    shot.param = c.param;
    std::vector<int32_t> dxs, dys;
    for (size_t i = 0; i < c.dxs.size(); ++i) {
      int32_t x = shot.x, y = shot.y;
      w.move(&shot);
      dxs.push_back(shot.x - x);
      dys.push_back(shot.y - y);
    }
    EXPECT_EQ(dxs, c.dxs) << "weapon " << c.weapon << " param " << c.param;
    EXPECT_EQ(dys, c.dys) << "weapon " << c.weapon << " param " << c.param;
  }
}

// The beam keeps level with the ship until fire is let go or the weapon
// changes; after that it flies straight for good.
TEST_F(ShipTest, LaserFollowsTheShipUntilReleased) {
  enum Release { LetGo, ChangeWeapon };
  for (Release release : {LetGo, ChangeWeapon}) {
    ResetWorld();
    GameStatus.Timer = 80;
    SelectedWeapon.store(2);
    ShipFrame(InputFire);
    Shot* laser = ShotList.head;
    ASSERT_NE(laser, nullptr);
    for (int f = 0; f < 3; ++f) {
      ShipFrame(InputFire | InputDown);
      WeaponTable[2].move(laser);
      EXPECT_EQ(laser->y, GameStatus.Y - ScrollY + 19);
      EXPECT_EQ(laser->param, 0);
    }
    if (release == LetGo) InputState.store(InputDown);
    else SelectedWeapon.store(3);
    WeaponTable[2].move(laser);
    EXPECT_EQ(laser->param, -1);
    int32_t row = laser->y;
    InputState.store(InputFire);
    SelectedWeapon.store(2);
    GameStatus.Y -= 40;
    WeaponTable[2].move(laser);
    EXPECT_EQ(laser->y, row) << "a freed beam never comes back";
    EXPECT_EQ(laser->param, -1);
  }
}

TEST_F(ShipTest, BombClearsBulletsAndFlashes) {
  for (int i = 0; i < 3; ++i) SpawnBullet(100 + i, 100, -3, 0, 1, &BulletFrame);
  SpawnBullet(300, 100, -44, 0, 5, &BossBeamFrame);
  FireBomb();
  EXPECT_EQ(CountRecords(BulletList), 0);
  EXPECT_EQ(GameStatus.ShotCooldown[0], 50);
  EXPECT_EQ(ScreenEffect.mode, 1);
  EXPECT_EQ(ScreenEffect.duration, 10);
  EXPECT_EQ(ScreenEffect.counter, 0);
  EXPECT_EQ(SoundRequests[SoundFlash], 1);
}

// The stage loop's order: the ship's update, then BombCheck on each actor.
TEST_F(ShipTest, BombDealsFiveInTheSecondToFourthFrames) {
  struct Case {
    int32_t hp;
    std::vector<int32_t> hpByFrame;
    int32_t score;
  } cases[] = {
      {100, {100, 100, 95, 90, 85, 85, 85}, 0},
      {10, {10, 10, 5, 0, 0, 0, 0}, 70},
      {0, {0, 0, 0, 0, 0, 0, 0}, 0},
  };
  for (const Case& c : cases) {
    ResetWorld();
    GameStatus.Timer = 80;
    Actor* a = Target(c.hp);
    std::vector<int32_t> hps;
    for (int f = 0; f < 7; ++f) {
      ShipFrame(f == 0 ? InputBomb : 0);
      BombCheck(a);
      hps.push_back(a->hp);
    }
    EXPECT_EQ(hps, c.hpByFrame) << "hp " << c.hp;
    EXPECT_EQ(TotalScore, c.score) << "hp " << c.hp;
  }
}
