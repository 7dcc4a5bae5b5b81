#include "game/media/stage_sheets.h"

#include "game/media/bitmap_surface.h"
#include "game/media/display.h"
#include "game/media/palette.h"
#include "game/shell/shared_state.h"
#include "game/shell/system_port.h"

constexpr const char* StartUpSheetFiles[2] = {"font_.bmp", "comm_.bmp"};

// By kind (back, block, enemy, boss) and stage; the fourth stage is never played.
constexpr const char* StageSheetFiles[4][4] = {
    {"back_.bmp", "back2_.bmp", "back2_.bmp", nullptr},
    {"block1_.bmp", "block1_.bmp", "block1_.bmp", nullptr},
    {"enamy1_.bmp", "enamy1_.bmp", "enamy1_.bmp", nullptr},
    {"boss1_.bmp", "boss1_.bmp", "boss1_.bmp", nullptr},
};

const char* StartUpSheetName(int32_t slot) {
  return slot == FontSheet || slot == CommonSheet ? StartUpSheetFiles[slot] : nullptr;
}

const char* StageSheetName(int32_t slot, int32_t stage) {
  if (slot < BackSheet || slot > BossSheet || stage < 0 || stage > 3) return nullptr;
  return StageSheetFiles[slot - BackSheet][stage];
}

int32_t LoadStartUpSheets() {
  GamePalette = LoadPalette("font_.bmp");
  // Without a palette of our own the game runs on the display's colours.
  if (GamePalette) PortSetPalette(PrimarySurface, GamePalette);
  for (int32_t slot : {FontSheet, CommonSheet}) {
    SheetSurfaces[slot] = LoadBitmapSurface(StartUpSheetFiles[slot], nullptr, nullptr, 0);
    if (!SheetSurfaces[slot]) return 0;
    SetSourceColourKey(SheetSurfaces[slot], TransparentColour);
  }
  return 1;
}

void ReplaceSheet(int32_t slot, const char* name) {
  if (SheetSurfaces[slot]) PortReleaseSurface(SheetSurfaces[slot]);
  SheetSurfaces[slot] = 0;
  SheetSurfaces[slot] = LoadBitmapSurface(name, nullptr, nullptr, 0);
}

void ReplaceStageSheets(int32_t stage) {
  for (int32_t slot : {BackSheet, BlockSheet, EnemySheet, BossSheet}) {
    ReplaceSheet(slot, StageSheetName(slot, stage));
    // Backgrounds and blocks are drawn opaque and carry no key.
    bool keyed = slot == EnemySheet || slot == BossSheet;
    if (keyed && SheetSurfaces[slot]) SetSourceColourKey(SheetSurfaces[slot], TransparentColour);
  }
}

// Half a second, then up to one more that any held key or button cuts short.
void LoadStageSheets(int32_t stage) {
  ReplaceStageSheets(stage);
  PortSleep(500);
  for (int32_t i = 0; i < 10; ++i) {
    if (InputState.load() != 0) break;
    PortSleep(100);
  }
}
