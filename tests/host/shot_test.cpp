#include <gtest/gtest.h>

#include <vector>

#include "game/actors/actor.h"
#include "game/actors/allocation.h"
#include "game/actors/ship.h"
#include "game/actors/shot.h"
#include "game/media/display.h"
#include "game/media/host/host_display.h"
#include "game/shell/shared_state.h"
#include "tests/host/world_fixture.h"

namespace {
void Stay(Shot*) {}
constexpr Rect ShotBox{0, 0, 16, 8};
constexpr Rect EnemyBox{0, 0, 40, 30};

Shot* MakeShot(int32_t x, int32_t y, int32_t damage = 1) {
  return CreateShot(NewRecord<Shot>(), x, y, Stay, damage, &ShotBox, 0);
}

// blitFlags 1 appends (a sprite), 0 prepends (a terrain block).
Actor* MakeActor(int32_t x, int32_t y, int32_t hp, int32_t flags = 1) {
  return CreateActor(NewRecord<Actor>(), x, y, &EnemyBox, 1, Still, hp, 10 * hp, 0, 0, flags,
                     EnemySheet, 0);
}
}  // namespace

using ShotTest = World;

TEST_F(ShotTest, PlayfieldBounds) {
  struct Case {
    int32_t x, y, scroll, keep;
  } cases[] = {
      {766, 100, 0, 1},   {767, 100, 0, 0},     {-79, 100, 0, 1},    {-80, 100, 0, 0},
      {100, 1278, 0, 1},  {100, 1279, 0, 0},    {100, 1400, -122, 1}, {100, 1400, -121, 0},
      {100, -807, 0, 1},  {100, -808, 0, 0},    {100, -700, -107, 1}, {100, -700, -108, 0},
  };
  for (const Case& c : cases) {
    ScrollY = c.scroll;
    Shot* s = MakeShot(c.x, c.y);
    EXPECT_EQ(UpdateShot(s), c.keep) << c.x << "," << c.y << " scroll " << c.scroll;
    UnlinkShot(s);
    delete s;
  }
}

TEST_F(ShotTest, MovesThenIsDrawnWhereItHits) {
  ScrollY = -40;
  Shot* s = CreateShot(NewRecord<Shot>(), 100, 200, WeaponTable[0].move, 1, &WeaponTable[0].frame, 0);
  Actor* a = MakeActor(140, 195, 5);
  EXPECT_EQ(UpdateShot(s), 0);
  EXPECT_EQ(a->hp, 4);
  ASSERT_EQ(HostBlits().size(), 1u);
  EXPECT_EQ(HostBlits()[0].x, 130);
  EXPECT_EQ(HostBlits()[0].y, 160);
  EXPECT_EQ(HostBlits()[0].flags, BlitColourKey);
  EXPECT_EQ(HostBlits()[0].sheet, CommonSheet);
}

// The shot is 16 x 8 at (100, 200), the actor 40 x 30; edges count.
TEST_F(ShotTest, HitBoxEdgesTouch) {
  struct Case {
    int32_t x, y;
    bool hit;
  } cases[] = {
      {116, 200, true},  {117, 200, false},  // actor to the right
      {60, 200, true},   {59, 200, false},   // to the left
      {100, 208, true},  {100, 209, false},  // below
      {100, 170, true},  {100, 169, false},  // above
      {116, 208, true},  {60, 170, true},
  };
  for (const Case& c : cases) {
    ResetWorld();
    ScrollY = -100;  // boxes are compared in world rows
    Shot* s = MakeShot(100, 200);
    Actor* a = MakeActor(c.x, c.y, 3);
    EXPECT_EQ(UpdateShot(s), c.hit ? 0 : 1) << c.x << "," << c.y;
    EXPECT_EQ(a->hp, c.hit ? 2 : 3) << c.x << "," << c.y;
  }
}

// Damage left after a kill carries on to the next actor, tail first.
TEST_F(ShotTest, PiercingCarriesTheLeftOverDamage) {
  struct Case {
    int32_t damage;
    std::vector<int32_t> hps;  // head to tail
    int32_t keep;
    std::vector<int32_t> hpsAfter;
    int32_t damageAfter;
  } cases[] = {
      {5, {2}, 1, {-3}, 3},
      {5, {2, 2}, 1, {-1, -3}, 1},
      {5, {2, 2, 2}, 0, {1, -1, -3}, 1},
      {5, {5}, 0, {0}, 5},   // an exact kill uses the shot up
      {1, {3, 3}, 0, {3, 2}, 1},
      {4, {0, 2}, 1, {0, -2}, 2},  // the wreck is passed by
  };
  for (const Case& c : cases) {
    ResetWorld();
    std::vector<Actor*> actors;
    for (int32_t hp : c.hps) actors.push_back(MakeActor(100, 200, hp));
    Shot* s = MakeShot(110, 210, c.damage);
    EXPECT_EQ(UpdateShot(s), c.keep);
    std::vector<int32_t> after;
    for (Actor* a : actors) after.push_back(a->hp);
    EXPECT_EQ(after, c.hpsAfter) << "damage " << c.damage;
    EXPECT_EQ(s->damage, c.damageAfter) << "damage " << c.damage;
  }
}

TEST_F(ShotTest, SpritesAreHitBeforeTheBlocksBeneath) {
  Actor* block = MakeActor(100, 200, 150, 0);
  Actor* sprite = MakeActor(100, 200, 2, 1);
  Shot* s = MakeShot(110, 210, 3);
  EXPECT_EQ(UpdateShot(s), 0);
  EXPECT_EQ(sprite->hp, -1);
  EXPECT_EQ(block->hp, 149);
  EXPECT_EQ(TotalScore, 20);
}
