#pragma once
#include <cstdint>

#include "game/actors/record_list.h"
#include "game/media/rect.h"

struct Shot;
using ShotMove = void (*)(Shot*);

// One of the ship's shots, in world rows like the actors.
struct Shot {
  int32_t x;
  int32_t y;
  int32_t width;
  int32_t height;
  int32_t damage;  // lowered to what is left after a kill
  ShotMove move;
  const Rect* frame;
  int32_t param;  // the movement's own value: step, speed or laser state
  Shot* next;
  Shot* prev;
};

extern RecordList<Shot> ShotList;

Shot* CreateShot(Shot* shot, int32_t x, int32_t y, ShotMove move, int32_t damage,
                 const Rect* frame, int32_t param);
int32_t UpdateShot(Shot* shot);
void DrawAllShots();
void FreeAllShots();
void UnlinkShot(Shot* shot);
