#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "game/actors/actor.h"
#include "game/actors/allocation.h"
#include "game/actors/bullet.h"
#include "game/actors/enemy_behaviours.h"
#include "game/actors/enemy_types.h"
#include "game/actors/host/host_allocation.h"
#include "game/actors/ship.h"
#include "game/media/display.h"
#include "game/media/random.h"
#include "game/shell/game_status.h"
#include "game/shell/shared_state.h"
#include "tests/host/world_fixture.h"

namespace {
// Placed where asked at every level: the thinning counter is set past its
// limit first.
Actor* SpawnType(int32_t type, int32_t x, int32_t y) {
  ThinningCounter = 3;
  const EnemyType& t = EnemyTypeTable[type];
  return CreateActor(NewRecord<Actor>(), x, y, t.frames, t.frameCount, BehaviourTable[t.behaviour],
                     t.hp, t.score, t.hp - 1, t.frameHold, 1, EnemySheet, t.anchor);
}

// The raw values (0 .. 65535) of the next four draws from a state; a draw
// of Next (n) gives raw % n.
struct Raws {
  uint32_t v[4];
};

Raws RawsFrom(uint32_t state) {
  Random r(state);
  Raws raws;
  for (uint32_t& v : raws.v) v = static_cast<uint32_t>(r.Next(65536));
  return raws;
}

// The first state (in a fixed search order) whose next draws satisfy pred.
template <class Pred>
uint32_t StateWhere(Pred pred) {
  for (uint32_t i = 0; i < 1000000; ++i) {
    uint32_t s = RandomBaseSeed + i * 7919u;
    if (pred(RawsFrom(s).v)) return s;
  }
  ADD_FAILURE() << "no state found";
  return RandomBaseSeed;
}

// How many draws were taken from the shared generator since it was `start`.
int DrawsSince(uint32_t start) {
  Random r(start);
  for (int k = 0; k < 64; ++k) {
    if (r.state == GlobalRandom.state) return k;
    r.Next(2);
  }
  return -1;
}

std::vector<Bullet*> Bullets() {
  std::vector<Bullet*> all;
  for (Bullet* b = BulletList.head; b; b = b->next) all.push_back(b);
  return all;
}

int32_t LevelModulus(int32_t base, int32_t level) { return base * (5 - level); }
}  // namespace

class EnemyTest : public World {
 protected:
  void SetUp() override {
    World::SetUp();
    GameStatus.X = 100;
    GameStatus.Y = 240;
    ScrollY = -160;
  }
};

TEST_F(EnemyTest, TypeTableFramesAndBehaviours) {
  struct Case {
    int32_t type, width, height, frames;
    Behaviour behaviour;
  } cases[] = {
      {0, 64, 64, 15, StraightBehaviour}, {1, 64, 56, 1, BouncerBehaviour},
      {2, 64, 64, 15, FastBehaviour},     {3, 55, 37, 1, DashBehaviour},
      {4, 60, 43, 2, LeftEntryBehaviour}, {5, 64, 64, 15, SwoopBehaviour},
      {6, 15, 15, 10, ChaserBehaviour},   {7, 237, 102, 1, ChaserBehaviour},
      {8, 29, 29, 1, CirclerBehaviour},
  };
  for (const Case& c : cases) {
    const EnemyType& t = EnemyTypeTable[c.type];
    EXPECT_EQ(RectWidth(t.frames[0]), c.width) << "type " << c.type;
    EXPECT_EQ(RectHeight(t.frames[0]), c.height) << "type " << c.type;
    EXPECT_EQ(t.frameCount, c.frames) << "type " << c.type;
    EXPECT_EQ(BehaviourTable[t.behaviour], c.behaviour) << "type " << c.type;
  }
  EXPECT_EQ(EnemyTypeTable[2].frames, EnemyTypeTable[0].frames);
  EXPECT_EQ(EnemyTypeTable[5].frames, EnemyTypeTable[0].frames);
  EXPECT_EQ(RectWidth(EnemyTypeTable[6].frames[4]), 79);
  EXPECT_EQ(RectHeight(EnemyTypeTable[6].frames[4]), 63);
  EXPECT_EQ(RectHeight(EnemyTypeTable[4].frames[1]), 43);
  for (int stage = 0; stage < 3; ++stage) {
    EXPECT_EQ(StageEnemyTypes[stage], EnemyTypeTable);
    EXPECT_EQ(StageBehaviours[stage], BehaviourTable);
  }
}

TEST_F(EnemyTest, FromTheLeftStartsTwoPixelsInsideWhateverTheScript) {
  for (int32_t x : {638, 0, -500}) {
    Actor* a = SpawnType(4, x, 200);
    EXPECT_EQ(a->x, -58);
    EXPECT_EQ(SpawnType(3, x, 200)->counter, -30);
  }
}

// Behaviours 0 and 4 fire when Next (20 x (5 - level)) is 0; a state that
// gives 0 under a neighbouring level's modulus must not fire.
TEST_F(EnemyTest, StraightAndLeftEntryFiringChance) {
  for (int32_t type : {0, 4}) {
    for (int32_t level = 0; level <= 4; ++level) {
      int32_t n = LevelModulus(20, level);
      // A wrong modulus would fire on the state chosen not to, and hold on
      // the one chosen to fire.
      int32_t other = level == 0 ? 80 : n + 20;
      for (bool fire : {true, false}) {
        ResetWorld();
        SetUp();
        GameLevel = level;
        uint32_t start = StateWhere([&](const uint32_t* v) {
          return fire ? v[0] % uint32_t(n) == 0 && v[0] % uint32_t(other) != 0
                      : v[0] % uint32_t(n) == uint32_t(n / 2);
        });
        Raws raws = RawsFrom(start);
        Actor* a = SpawnType(type, 400, 300);
        GlobalRandom.state = start;
        a->behaviour(a);
        std::vector<Bullet*> bullets = Bullets();
        ASSERT_EQ(bullets.size(), fire ? 1u : 0u) << "type " << type << " level " << level;
        int draws = fire && type == 4 ? 2 : 1;
        EXPECT_EQ(DrawsSince(start), draws) << "type " << type << " level " << level;
        if (!fire) continue;
        Bullet* b = bullets[0];
        if (type == 0) {
          EXPECT_EQ(a->x, 388);
          EXPECT_EQ(b->x, 388 + 32 + 8);
          EXPECT_EQ(b->y, 300 + 32);
          EXPECT_EQ(b->speedX, -7 - 2 * level);
        } else {
          EXPECT_EQ(a->x, -52);
          EXPECT_EQ(b->x, -52 + 30 + 3);
          EXPECT_EQ(b->y, 300 + 21);
          EXPECT_EQ(b->speedX, raws.v[1] % 2 ? 9 : -3);
        }
        EXPECT_EQ(b->speedY, 0);
        EXPECT_EQ(b->damage, 1);
      }
    }
  }
}

TEST_F(EnemyTest, FastFliesTwentyAFrameAndNeverDraws) {
  Actor* a = SpawnType(2, 600, 300);
  uint32_t start = GlobalRandom.state;
  for (int f = 0; f < 10; ++f) a->behaviour(a);
  EXPECT_EQ(a->x, 400);
  EXPECT_EQ(DrawsSince(start), 0);
  EXPECT_EQ(BulletList.head, nullptr);
}

// The four-way draw is made only from the 15th frame on; the aimed draw
// every frame after it.
TEST_F(EnemyTest, BouncerBurstAndAimedShot) {
  struct Case {
    const char* name;
    int32_t level, counterBefore;
    bool burst, aimed;
    int draws, bullets, counterAfter;
  } cases[] = {
      {"too early", 2, 0, false, false, 1, 0, 1},
      {"too early, aimed", 2, 13, false, true, 1, 1, 14},
      {"burst", 2, 14, true, false, 2, 4, 0},
      {"no burst", 2, 14, false, false, 2, 0, 15},
      {"burst and aimed", 4, 30, true, true, 2, 5, 0},
  };
  for (const Case& c : cases) {
    ResetWorld();
    SetUp();
    GameLevel = c.level;
    int32_t n = LevelModulus(20, c.level);
    bool drawsBurst = c.counterBefore + 1 >= 15;
    uint32_t start = StateWhere([&](const uint32_t* v) {
      uint32_t aimedRaw = drawsBurst ? v[1] : v[0];
      bool burstOk = !drawsBurst || ((v[0] % n == 1) == c.burst);
      return burstOk && ((aimedRaw % (10 * n) == 0) == c.aimed);
    });
    Actor* a = SpawnType(1, 400, 300);
    a->counter = c.counterBefore;
    a->speedY = 16;
    GlobalRandom.state = start;
    a->behaviour(a);
    EXPECT_EQ(DrawsSince(start), c.draws) << c.name;
    EXPECT_EQ(a->counter, c.counterAfter) << c.name;
    std::vector<Bullet*> bullets = Bullets();
    ASSERT_EQ(static_cast<int>(bullets.size()), c.bullets) << c.name;
    for (Bullet* b : bullets) {
      EXPECT_EQ(b->x, 384 + 32 + 8) << c.name;
      EXPECT_EQ(b->y, 316 + 28) << c.name;
    }
    if (c.burst) {
      double k = c.level + 1;
      const double want[4][2] = {{2 * k, 2 * k}, {2 * k, -2 * k}, {-2 * k, 2 * k}, {-2 * k, -2 * k}};
      for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(bullets[i]->speedX, want[i][0]) << c.name;
        EXPECT_EQ(bullets[i]->speedY, want[i][1]) << c.name;
      }
    }
    if (c.aimed) {
      EXPECT_NEAR(std::hypot(bullets.back()->speedX, bullets.back()->speedY), 2 * c.level + 4,
                  1e-9)
          << c.name;
    }
  }
}

TEST_F(EnemyTest, BouncerBurstStopsAtTheFirstFailedBullet) {
  int32_t n = LevelModulus(20, 2);
  uint32_t start = StateWhere([&](const uint32_t* v) { return v[0] % n == 1 && v[1] % (10 * n) == 0; });
  Actor* a = SpawnType(1, 400, 300);
  a->counter = 20;
  GlobalRandom.state = start;
  HostFailAllocations(2, 1);  // the third of the four
  a->behaviour(a);
  std::vector<Bullet*> bullets = Bullets();
  ASSERT_EQ(bullets.size(), 3u) << "two of the burst, then the aimed one";
  EXPECT_EQ(bullets[1]->speedY, -6);
  EXPECT_EQ(DrawsSince(start), 2);
}

TEST_F(EnemyTest, BouncerTurnsWithoutClamping) {
  struct Case {
    int32_t y, speedY, wantY, wantSpeedY;
  } cases[] = {
      {10, -16, -6, 16}, {16, -16, 0, 16},    {17, -16, 1, -16},
      {727, 16, 743, -16}, {726, 16, 742, 16}, {790, 16, 806, -16},
  };
  for (const Case& c : cases) {
    Actor* a = SpawnType(1, 400, c.y);
    a->speedY = c.speedY;
    a->behaviour(a);
    EXPECT_EQ(a->y, c.wantY) << "from " << c.y;
    EXPECT_EQ(a->speedY, c.wantSpeedY) << "from " << c.y;
  }
}

TEST_F(EnemyTest, DashBrakes465PixelsAndFiresAtMostOnce) {
  for (bool fire : {true, false}) {
    ResetWorld();
    SetUp();
    uint32_t start = StateWhere([&](const uint32_t* v) { return (v[0] % 2 == 0) == fire; });
    Actor* a = SpawnType(3, 600, 300);
    GlobalRandom.state = start;
    std::vector<int32_t> xs;
    for (int f = 0; f < 80; ++f) {
      a->behaviour(a);
      xs.push_back(a->x);
    }
    EXPECT_EQ(xs[0], 570);
    EXPECT_EQ(xs[29], 600 - 465);
    EXPECT_EQ(xs[30], 600 - 465);
    EXPECT_EQ(xs[31], 600 - 464);
    EXPECT_EQ(xs[32], 600 - 462);
    EXPECT_EQ(CountRecords(BulletList), fire ? 1 : 0);
    EXPECT_EQ(DrawsSince(start), 1) << "one draw, at the stop";
  }
}

TEST_F(EnemyTest, SwoopDirectionAndPath) {
  struct Case {
    int32_t y, step;
  } cases[] = {{241, -10}, {240, 10}, {-62, 10}, {758, -10}};
  for (const Case& c : cases) {
    Actor* a = SpawnType(5, 138, c.y);
    a->behaviour(a);
    EXPECT_EQ(a->speedY, c.step) << "y " << c.y;
    EXPECT_EQ(a->y, c.y + c.step) << "y " << c.y;
    for (int f = 1; f < 29; ++f) a->behaviour(a);
    EXPECT_EQ(a->x, 138 + 12 * 29);
    a->behaviour(a);
    EXPECT_EQ(a->x, 138 + 12 * 29 - 30);
    a->behaviour(a);
    EXPECT_EQ(a->x, 138 + 12 * 29 - 30 - 31);
  }
}

// At level 2 the only fire test is the 4th frame's; from level 4 each other
// frame draws Next (10) first.
TEST_F(EnemyTest, SwoopFireDraws) {
  struct Case {
    int32_t level, frames;
    bool fire;
    int draws;
  } cases[] = {{2, 4, true, 2}, {2, 4, false, 1}, {2, 3, true, 0}, {4, 1, true, 3}, {4, 1, false, 2}};
  for (const Case& c : cases) {
    ResetWorld();
    SetUp();
    GameLevel = c.level;
    bool atFour = c.level < 4;
    uint32_t start = StateWhere([&](const uint32_t* v) {
      if (atFour) return (v[0] % 2 == 1) == c.fire;
      return v[0] % 10 == 0 && (v[1] % 2 == 1) == c.fire;
    });
    Raws raws = RawsFrom(start);
    Actor* a = SpawnType(5, 138, 400);
    GlobalRandom.state = start;
    for (int f = 0; f < c.frames; ++f) a->behaviour(a);
    EXPECT_EQ(DrawsSince(start), c.draws) << "level " << c.level << " frames " << c.frames;
    bool fired = BulletList.head != nullptr;
    EXPECT_EQ(fired, c.fire && c.draws > 0);
    if (fired) {
      uint32_t speedRaw = atFour ? raws.v[1] : raws.v[2];
      EXPECT_NEAR(std::hypot(BulletList.head->speedX, BulletList.head->speedY), speedRaw % 4 + 6,
                  1e-9);
    }
  }
}

// A one-frame chaser, so that no animation moves it: it flies left to the
// ship's front, then hovers there drifting toward the ship's row.
TEST_F(EnemyTest, ChaserDriftsAfterTheShip) {
  for (int32_t level : {2, 4}) {
    ResetWorld();
    SetUp();
    GameLevel = level;
    GameStatus.Y = 300;
    ScrollY = ScrollYForShip(300);  // -200
    Actor* a = SpawnType(7, 300, 700);
    uint32_t start = GlobalRandom.state;
    Random expect(start);
    int expectedBullets = 0, drifting = 0;
    for (int f = 0; f < 40; ++f) {
      int32_t y = a->y;
      a->behaviour(a);
      bool drift = a->y != y;
      if (drift) {
        ++drifting;
        EXPECT_EQ(a->y, y - 4) << "the ship is above it";
        bool shot = expect.Next(3) == 0;
        if (shot || level >= 4) ++expectedBullets;
      }
      if (f >= 14) {
        EXPECT_GE(a->x, 120);
        EXPECT_LE(a->x, 148);
      }
    }
    EXPECT_GT(drifting, 10);
    EXPECT_EQ(CountRecords(BulletList), expectedBullets) << "level " << level;
    EXPECT_EQ(GlobalRandom.state, expect.state) << "one draw per drifting frame";
  }
}

TEST_F(EnemyTest, ChaserFollowsTheShipDown) {
  GameStatus.Y = 400;
  ScrollY = ScrollYForShip(400);
  Actor* a = SpawnType(7, 120, 100);
  a->behaviour(a);
  EXPECT_EQ(a->x, 124);
  EXPECT_EQ(a->y, 104);
}

TEST_F(EnemyTest, CirclerPathAboutItsSpawnRow) {
  struct Case {
    int32_t y, centre;
  } cases[] = {{0, -1}, {200, 200}};
  for (const Case& c : cases) {
    ResetWorld();
    SetUp();
    GameLevel = 3;
    Actor* a = SpawnType(8, 400, c.y);
    uint32_t start = GlobalRandom.state;
    int32_t low = 100000, high = -100000;
    for (int f = 0; f < 36; ++f) {
      a->behaviour(a);
      int32_t cx = 399 - f;
      double r = std::hypot(a->x - cx, a->y - c.centre);
      EXPECT_GE(r, 78.0);
      EXPECT_LE(r, 80.0);
      low = std::min(low, a->y);
      high = std::max(high, a->y);
      Bullet* b = BulletList.tail;
      ASSERT_NE(b, nullptr);
      EXPECT_EQ(b->x, a->x + 14);
      EXPECT_GT(b->speedX * (a->x - cx) + b->speedY * (a->y - c.centre), 0) << "outward";
    }
    EXPECT_EQ((low + high) / 2, c.centre) << "spawned at " << c.y;
    EXPECT_EQ(high - low, 158);
    EXPECT_EQ(a->counter, c.centre);
    EXPECT_EQ(CountRecords(BulletList), 36) << "every frame from level 3";
    EXPECT_EQ(DrawsSince(start), 0);
  }
}

TEST_F(EnemyTest, CirclerFiringChanceBelowLevelThree) {
  for (int32_t level = 0; level <= 2; ++level) {
    for (bool fire : {true, false}) {
      ResetWorld();
      SetUp();
      GameLevel = level;
      int32_t n = 2 * (3 - level);
      uint32_t start = StateWhere([&](const uint32_t* v) { return (v[0] % n == 0) == fire; });
      Actor* a = SpawnType(8, 400, 300);
      GlobalRandom.state = start;
      a->behaviour(a);
      EXPECT_EQ(CountRecords(BulletList), fire ? 1 : 0) << "level " << level;
      EXPECT_EQ(DrawsSince(start), 1);
    }
  }
}
