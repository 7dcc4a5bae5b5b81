#include "game/actors/shot.h"

#include "game/actors/actor.h"
#include "game/actors/ship.h"
#include "game/media/display.h"

RecordList<Shot> ShotList;

Shot* CreateShot(Shot* s, int32_t x, int32_t y, ShotMove move, int32_t damage,
                 const Rect* frame, int32_t param) {
  s->x = x;
  s->y = y;
  s->width = RectWidth(*frame);
  s->height = RectHeight(*frame);
  s->damage = damage;
  s->move = move;
  s->frame = frame;
  s->param = param;
  Append(ShotList, s);
  return s;
}

static bool Touches(const Shot* s, const Actor* a) {
  return s->y + s->height >= a->y && a->y + a->height >= s->y && s->x + s->width >= a->x &&
         a->x + a->width >= s->x;
}

// Walks from the tail, so sprites are hit before the terrain beneath them;
// a kill with damage to spare lets the shot fly on with what is left.
static int32_t HitActors(Shot* s) {
  for (Actor* a = EnemyList.tail; a; a = a->prev) {
    if (GetHp(a) < 1 || !Touches(s, a)) continue;
    int32_t left = DamageActor(a, s->damage);
    if (left <= 0) return 0;
    s->damage = left;
  }
  return 1;
}

int32_t UpdateShot(Shot* s) {
  s->move(s);
  if (IsFarOffScreen(s->x, s->y + ScrollY, s->width, s->height)) return 0;
  BlitClipped(s->x, s->y + ScrollY, *s->frame, BlitColourKey, CommonSheet);
  return HitActors(s);
}

void DrawAllShots() {
  for (Shot* s = ShotList.head; s; s = s->next)
    BlitClipped(s->x, s->y + ScrollY, *s->frame, BlitColourKey, CommonSheet);
}

void FreeAllShots() { FreeAll(ShotList); }
void UnlinkShot(Shot* shot) { Unlink(ShotList, shot); }
