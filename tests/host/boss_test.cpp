#include <gtest/gtest.h>

#include <string>

#include "game/actors/actor.h"
#include "game/actors/boss.h"
#include "game/actors/bullet.h"
#include "game/actors/enemy_behaviours.h"
#include "game/actors/host/host_allocation.h"
#include "game/actors/ship.h"
#include "game/actors/stage_spawning.h"
#include "game/media/display.h"
#include "game/media/random.h"
#include "game/shell/game_status.h"
#include "game/shell/game_thread.h"
#include "game/shell/shared_state.h"
#include "tests/host/world_fixture.h"

namespace {
// A boss that has entered and whose next update starts an attack phase.
Actor* BossAboutToAttack() {
  Actor* boss = CreateBoss();
  boss->x = 459;
  boss->holdTick = 75;
  return boss;
}

class BossTest : public World {
 protected:
  void SetUp() override {
    World::SetUp();
    EscortToggle = 1;  // its value at program start
  }
};
}  // namespace

TEST_F(BossTest, CreatedWithItsStartValuesAndNeverThinned) {
  GameLevel = 0;
  ThinningCounter = 0;
  Actor* boss = CreateBoss();
  ASSERT_NE(boss, nullptr);
  EXPECT_EQ(EnemyList.tail, boss);
  EXPECT_EQ(boss->x, 639);
  EXPECT_EQ(boss->y, 100);  // the boss sheet is never thinned
  EXPECT_EQ(boss->hp, 1200);
  EXPECT_EQ(boss->burst, 120);
  EXPECT_EQ(boss->frameHold, 75);
  EXPECT_EQ(ThinningCounter, 1);

  HostFailAllocations(0, 1);
  EXPECT_EQ(CreateBoss(), nullptr);
}

// One letter an update: E entering, T tracking, A attacking (beam and shot).
TEST_F(BossTest, EntersThenTracksAndAttacksByTurns) {
  Actor* boss = CreateBoss();
  std::string phases;
  int escorts = 0;
  for (int n = 0; n < 60 + 75 + 76 + 76 + 2; ++n) {
    BossActor = nullptr;
    const int32_t x = boss->x;
    const int bullets = CountRecords(BulletList);
    const int actors = CountRecords(EnemyList);
    BossBehaviour(boss);
    EXPECT_EQ(BossActor, boss);
    const int fired = CountRecords(BulletList) - bullets;
    escorts += CountRecords(EnemyList) - actors;
    if (boss->x == x - 3 && boss->holdTick == 0 && fired == 0) phases += 'E';
    else if (boss->x == x && boss->frameIndex == 0 && fired == 0) phases += 'T';
    else if (boss->x == x && boss->frameIndex == 1 && fired == 2) phases += 'A';
    else phases += '?';
  }
  EXPECT_EQ(boss->x, 459);
  EXPECT_EQ(phases, std::string(60, 'E') + std::string(75, 'T') + std::string(76, 'A') +
                        std::string(76, 'T') + "AA");
  EXPECT_EQ(escorts, 38 + 1);  // every second attack frame
}

TEST_F(BossTest, TrackingBringsRow128LevelWithTheShipsRow22) {
  struct Case {
    int32_t bossY, scrollY, shipY, movedTo;
  } cases[] = {
      {100, 0, 240, 102},  {133, 0, 240, 135},     {134, 0, 240, 132},
      {300, 0, 240, 298},  {233, -100, 240, 235},  {234, -100, 240, 232},
      {400, -288, 432, 402},
  };
  for (const Case& c : cases) {
    Actor* boss = CreateBoss();
    boss->x = 459;
    boss->y = c.bossY;
    ScrollY = c.scrollY;
    GameStatus.Y = c.shipY;
    BossBehaviour(boss);
    EXPECT_EQ(boss->y, c.movedTo) << c.bossY << " " << c.scrollY << " " << c.shipY;
  }
}

TEST_F(BossTest, AttackFrameFiresBeamAndShotFromItsGun) {
  Actor* boss = BossAboutToAttack();
  boss->y = 150;
  Random expect = GlobalRandom;
  BossBehaviour(boss);
  ASSERT_EQ(boss->frameIndex, 1);
  ASSERT_EQ(CountRecords(BulletList), 2);
  const Bullet* beam = BulletList.head;
  const Bullet* shot = beam->next;
  const int32_t gunX = 459 + 154 / 2 + 8;
  EXPECT_EQ(beam->x, gunX);
  EXPECT_EQ(beam->y, 150 + 112);
  EXPECT_EQ(beam->speedX, -44);
  EXPECT_EQ(beam->speedY, 0);
  EXPECT_EQ(beam->damage, 5);
  EXPECT_EQ(beam->frame, &BossBeamFrame);
  EXPECT_EQ(beam->sheet, CommonSheet);
  EXPECT_EQ(shot->x, gunX);
  EXPECT_EQ(shot->y, 150 + 65);
  EXPECT_EQ(shot->speedX, -40 - expect.Next(30));
  EXPECT_EQ(shot->speedY, 0);
  EXPECT_EQ(shot->damage, 1);
  EXPECT_EQ(shot->frame, &BossShotFrame);
}

TEST_F(BossTest, FirstAttackFrameMakesNoEscortTheSecondOneDoes) {
  GameLevel = 0;  // thinning would move an enemy; escorts are made directly
  Actor* boss = BossAboutToAttack();
  BossBehaviour(boss);
  EXPECT_EQ(EscortToggle, 0);
  EXPECT_EQ(EnemyList.tail, boss);
  ThinningCounter = 0;
  Random expect = GlobalRandom;
  expect.Next(30);  // the shot's speed comes first
  BossBehaviour(boss);
  EXPECT_EQ(EscortToggle, 1);
  const Actor* e = EnemyList.tail;
  ASSERT_NE(e, boss);
  EXPECT_EQ(e->x, boss->x);
  EXPECT_EQ(e->y, boss->y);
  EXPECT_EQ(e->speedY, expect.Next(2) * 32 - 16);
  EXPECT_EQ(e->hp, 1);
  EXPECT_EQ(e->behaviour, BouncerBehaviour);
  EXPECT_EQ(e->frameHold, 2);
  EXPECT_EQ(e->width, 160);  // frame 0's size
  EXPECT_EQ(ThinningCounter, 0);

  // A new game does not reset the parity.
  EscortToggle = 0;
  ResetGame();
  EXPECT_EQ(EscortToggle, 0);
}

TEST_F(BossTest, FailedAllocationOfOnePieceLeavesTheOthers) {
  struct Case {
    int failing;  // 0 beam, 1 shot, 2 escort
    int beams, shots, escorts;
    int draws30;  // the shot's speed is drawn only for a shot made
  } cases[] = {{0, 0, 1, 1, 1}, {1, 1, 0, 1, 0}, {2, 1, 1, 0, 1}};
  for (const Case& c : cases) {
    ResetWorld();
    Actor* boss = BossAboutToAttack();
    EscortToggle = 0;  // this frame's escort is due
    Random expect = GlobalRandom;
    if (c.draws30) expect.Next(30);
    if (c.escorts) expect.Next(2);
    HostFailAllocations(c.failing, 1);
    BossBehaviour(boss);
    int beams = 0, shots = 0;
    for (const Bullet* b = BulletList.head; b; b = b->next) {
      beams += b->frame == &BossBeamFrame;
      shots += b->frame == &BossShotFrame;
    }
    SCOPED_TRACE(c.failing);
    EXPECT_EQ(beams, c.beams);
    EXPECT_EQ(shots, c.shots);
    EXPECT_EQ(CountRecords(EnemyList) - 1, c.escorts);
    EXPECT_EQ(GlobalRandom.state, expect.state);
    // The next attack frame is whole again.
    EscortToggle = 0;
    BossBehaviour(boss);
    EXPECT_EQ(CountRecords(BulletList), c.beams + c.shots + 2);
    EXPECT_EQ(CountRecords(EnemyList) - 1, c.escorts + 1);
  }
}
