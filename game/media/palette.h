#pragma once
#include <cstdint>

#include "game/media/display_port.h"

// The 3-3-2 colour cube that stands when no bitmap gives the colours.
void DefaultPaletteTable(PaletteEntry* table);
// The table a palette bitmap gives: its colour table over the cube.
void BuildPaletteTable(const char* name, PaletteEntry* table);
// GamePalette made from `name` (or the cube alone for none); 0 if creating it failed.
PaletteHandle LoadPalette(const char* name);
// The colours GamePalette shows now; the cube when there is no palette.
void CurrentPaletteTable(PaletteEntry* table);
// The first entry nearest to the COLORREF, as drawing a colour would choose.
int32_t NearestPaletteIndex(const PaletteEntry* table, uint32_t colour);
