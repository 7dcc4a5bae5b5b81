#include "game/replay/state_hash.h"

#include <cstring>
#include <initializer_list>

#include "game/actors/actor.h"
#include "game/actors/bullet.h"
#include "game/actors/ship.h"
#include "game/actors/shot.h"
#include "game/media/random.h"
#include "game/shell/game_status.h"
#include "game/shell/shared_state.h"

namespace {
// FNV-1a, 32 bits.
struct Fnv {
  uint32_t h = 2166136261u;
  void Bytes(const void* p, size_t n) {
    const uint8_t* b = static_cast<const uint8_t*>(p);
    for (size_t i = 0; i < n; ++i) h = (h ^ b[i]) * 16777619u;
  }
  void Int(int32_t v) { Bytes(&v, sizeof v); }
  void Real(double v) {
    uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    Bytes(&bits, sizeof bits);
  }
};
}  // namespace

uint32_t GameStateHash() {
  Fnv f;
  for (int32_t v : {FrameCount, int32_t(StageNumber), GameLevel, TotalScore, ScrollY,
                    GameStatus.X, GameStatus.Y, GameStatus.Energy, GameStatus.ShotCooldown[0],
                    GameStatus.Timer, GameStatus.ClearCounter, GameStatus.ClearFlag,
                    int32_t(GlobalRandom.state), int32_t(ThinningCounter)})
    f.Int(v);
  for (const Actor* a = EnemyList.head; a; a = a->next)
    for (int32_t v : {a->hp, a->x, a->y, a->frameIndex, int32_t(a->flash), a->counter, a->speedY,
                      a->burst, a->burstCounter})
      f.Int(v);
  for (const Shot* s = ShotList.head; s; s = s->next)
    for (int32_t v : {s->x, s->y, s->damage, s->param}) f.Int(v);
  for (const Bullet* b = BulletList.head; b; b = b->next) {
    for (double v : {b->x, b->y, b->speedX, b->speedY}) f.Real(v);
    f.Int(b->damage);
  }
  return f.h;
}
