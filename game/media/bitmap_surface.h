#pragma once
#include <cstdint>

#include "game/media/bitmap.h"
#include "game/media/display_port.h"

// RGB(26, 3, 255): the colour of transparent pixels in the sprite sheets.
constexpr uint32_t TransparentColour = 0x00FF031Au;
constexpr uint32_t ClrInvalid = 0xFFFFFFFFu;

// The colours the sheets are drawn in: GamePalette's own, not those of a
// fade in progress; without GamePalette those of the palette bitmap.
void SheetPaletteColours(PaletteEntry* table);
// 1 and the picture in indices of those colours: the program's resource
// first when `fromProgram`, then the file.
int32_t LoadBitmapPicture(const char* name, int32_t fromProgram, DecodedBitmap& out);
// A new off-screen surface holding the bitmap, or 0. Width and height in:
// the size to load at, 0 for the bitmap's own; out: the bitmap's size.
SurfaceHandle LoadBitmapSurface(const char* name, int32_t* width, int32_t* height,
                                int32_t fromProgram);
// The bitmap again into an existing surface (stretched to its size).
int32_t ReloadBitmap(SurfaceHandle surface, const char* name, int32_t* width, int32_t* height,
                     int32_t fromProgram);
// Source width or height 0 means the whole bitmap; stretched to the surface.
int32_t CopyBitmapToSurface(SurfaceHandle surface, const DecodedBitmap* bitmap, int32_t x,
                            int32_t y, int32_t width, int32_t height);
// The surface's pixel value for the colour, or 0xFFFFFFFF when it cannot be locked.
uint32_t MatchColour(SurfaceHandle surface, uint32_t colour);
void SetSourceColourKey(SurfaceHandle surface, uint32_t colour);
// Lock, trying again at once while the blitter is busy.
int32_t LockSurface(SurfaceHandle surface, SurfaceLock* lock);
