#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "game/media/display_port.h"
#include "game/media/rect.h"

// The host display: 8-bit memory surfaces that behave as DirectDraw's do,
// with a record of what reached them and switches that make calls fail.

// What the host display adaptor was asked to draw, for tests and tools.
struct HostBlit {
  int32_t x;
  int32_t y;
  Rect source;
  int32_t flags;
  int32_t sheet;      // the SheetSurfaces slot of the source, -1 for none
  int32_t flipIndex;  // flips before this blit
};

// Everything released and forgotten, then the display brought up as the
// program's start-up does, with the stage sheets of StageNumber loaded.
void HostResetDisplay();
// Each BltFast that reached the port, as clipped.
const std::vector<HostBlit>& HostBlits();
// Each BlitClipped call as asked, before clipping (flipIndex as above),
// whether or not anything reached the port.
const std::vector<HostBlit>& HostBlitRequests();
int32_t HostFlipCount();
int32_t HostFillCount();
int32_t HostBlitCount();
// Empties the records and counts and puts the switches back; the surfaces stay.
void HostClearRecords();
// Long simulated runs switch the blit record off; the count stays.
void HostRecordBlits(bool on);

// The order of creations, restores and releases: "create N", "restore N",
// "release N", "palette N", "release palette N", "release ddraw".
const std::vector<std::string>& HostDisplayCalls();
void HostClearDisplayCalls();
// Calls made with a released or unknown handle; 0 in a sound program.
int32_t HostDisplayMisuse();

// Failure switches. Each resets with HostResetDisplay.
void HostLoseAllSurfaces();  // as when another program takes the display
void HostLoseSurface(SurfaceHandle surface);
// The next `times` restores of the surface fail with `result` (-1: all).
void HostFailRestore(SurfaceHandle surface, int32_t times, int32_t result);
// The next `times` BltFast, Flip or Lock calls find the blitter busy.
void HostStillDrawing(int32_t times);
void HostFailPaletteWrites(bool on);
// Called inside every palette write, before the colours are stored (null:
// none); a test holds the write there to see what another thread does.
void HostOnPaletteWrite(void (*hook)());
void HostFailLocks(bool on);
// InitDisplay step 1..5 (create, cooperative level, mode, primary, back
// buffer) returns `result`; step 0 for none.
void HostFailInitStep(int32_t step, int32_t result);

// Looking at surfaces. Pixels are `pitch` bytes a row.
struct HostSurfaceView {
  int32_t width;
  int32_t height;
  int32_t pitch;
  const uint8_t* pixels;  // nullptr for no such surface
  uint32_t colourKey;
  bool hasColourKey;
  bool lost;
};
HostSurfaceView HostSurface(SurfaceHandle surface);
void HostPokeSurface(SurfaceHandle surface, int32_t x, int32_t y, uint8_t index);
// The picture on screen: the front buffer as 640 x 480 indices and the
// colours of the palette on the primary now. 0 without a display.
int32_t HostScreenImage(std::vector<uint8_t>& indices, PaletteEntry* colours);
// The colours a palette holds now.
int32_t HostPaletteColours(PaletteHandle palette, PaletteEntry* colours);

// Where the bitmaps come from: files under a data folder (ZARVEL_DATA_DIR
// in the environment, else the build's data folder) and a table of bitmap
// resources that starts empty.
void HostSetDataDir(const std::string& folder);
const std::string& HostDataDir();
void HostAddBitmapResource(const std::string& name, const std::vector<uint8_t>& bytes);
void HostClearBitmapResources();
// Every file name the game asked to read, in order.
const std::vector<std::string>& HostFileReads();
void HostClearFileReads();
const std::vector<std::string>& HostDebugLines();

// GDI text drawn on the host, as asked (title screen).
struct HostText {
  std::string text;
  Rect rect;
  uint8_t red, green, blue;
  int32_t withFont;  // drawn in a font that was made
};
const std::vector<HostText>& HostTexts();
void HostClearTexts();
int32_t HostLiveFonts();
void HostFailFonts(bool on);
