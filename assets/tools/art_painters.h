// The procedural parts of the artwork. Each painter fills the box it is
// given on its sheet; layout.txt says which painter goes where.
#pragma once
#include "art_canvas.h"

using Painter = void (*)(Sheet& s, const Box& b);

struct PainterEntry { const char* name; Painter paint; };

// art_space.cpp
void PaintNebulaTile(Sheet& s, const Box& b);
void PaintMoonGround(Sheet& s, const Box& b);
void PaintDuskTile(Sheet& s, const Box& b);
void PaintBaseGround(Sheet& s, const Box& b);
// art_effects.cpp
void PaintExplosionLarge(Sheet& s, const Box& b);
void PaintExplosionSmall(Sheet& s, const Box& b);
void PaintStarStreak(Sheet& s, const Box& b);
void PaintEnergyGauge(Sheet& s, const Box& b);
void PaintBossBeam(Sheet& s, const Box& b);
void PaintWaveShot(Sheet& s, const Box& b);
void PaintLaserShot(Sheet& s, const Box& b);
// art_blocks.cpp
void PaintBlockSheet(Sheet& s, const Box& b);
// art_ships.cpp
void PaintChaserFrames(Sheet& s, const Box& b);
void PaintCruiser(Sheet& s, const Box& b);
void PaintBossTracking(Sheet& s, const Box& b);
void PaintBossAttack(Sheet& s, const Box& b);
// art_font.cpp
void PaintFont(Sheet& s, const Box& b);

extern const PainterEntry PainterTable[];
extern const int PainterCount;
