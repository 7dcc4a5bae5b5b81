#pragma once
#include <cstdint>

#include "game/media/rect.h"

// Display operations, mirrored call for call from DirectDraw. Results are
// HRESULTs and pass through unchanged. Handles are the platform's objects
// (win32: the interface pointers; host: memory surfaces); 0 is empty.
using SurfaceHandle = uintptr_t;
using PaletteHandle = uintptr_t;

// One palette entry as DirectDraw lays it out: red, green, blue, flags.
struct PaletteEntry {
  uint8_t red;
  uint8_t green;
  uint8_t blue;
  uint8_t flags;
};
constexpr int32_t PaletteSize = 256;

// What Lock gives: the top-left pixel and the bytes from one row to the next.
struct SurfaceLock {
  uint8_t* bits;
  int32_t pitch;
  int32_t width;
  int32_t height;
  int32_t bitCount;
};

constexpr int32_t DdOk = 0;
constexpr int32_t DderrSurfaceLost = static_cast<int32_t>(0x887601C2u);
constexpr int32_t DderrWasStillDrawing = static_cast<int32_t>(0x8876021Cu);
constexpr int32_t DderrInvalidRect = static_cast<int32_t>(0x88760096u);
constexpr int32_t DderrInvalidParams = static_cast<int32_t>(0x80070057u);
constexpr int32_t DderrGeneric = static_cast<int32_t>(0x80004005u);  // also E_FAIL

// The DirectDraw object: one per program.
int32_t PortDirectDrawCreate();
int32_t PortSetCooperativeLevel(uintptr_t window);  // exclusive, full screen
int32_t PortSetDisplayMode(int32_t width, int32_t height, int32_t bitsPerPixel);
void PortReleaseDirectDraw();

// Surfaces.
int32_t PortCreatePrimary(SurfaceHandle* primary);  // a flipping chain, one back buffer
int32_t PortGetBackBuffer(SurfaceHandle primary, SurfaceHandle* back);
int32_t PortCreateSurface(int32_t width, int32_t height, SurfaceHandle* surface);  // off-screen plain
void PortReleaseSurface(SurfaceHandle surface);  // the primary takes its back buffer with it
int32_t PortRestore(SurfaceHandle surface);
int32_t PortSetColourKey(SurfaceHandle surface, uint32_t key);  // source key, low = high
int32_t PortLock(SurfaceHandle surface, SurfaceLock* lock);  // whole surface, no wait
int32_t PortUnlock(SurfaceHandle surface);

// Drawing. BltFast takes no wait flag; Flip and the colour fill wait.
int32_t PortBltFast(SurfaceHandle dest, int32_t x, int32_t y, SurfaceHandle source,
                    const Rect& rect, int32_t flags);
int32_t PortFlip(SurfaceHandle primary);
int32_t PortColourFill(SurfaceHandle surface, int32_t index);

// Palettes.
int32_t PortCreatePalette(const PaletteEntry* entries, PaletteHandle* palette);
int32_t PortSetPalette(SurfaceHandle primary, PaletteHandle palette);
int32_t PortGetPaletteEntries(PaletteHandle palette, PaletteEntry* entries);
int32_t PortSetPaletteEntries(PaletteHandle palette, const PaletteEntry* entries);
void PortReleasePalette(PaletteHandle palette);
