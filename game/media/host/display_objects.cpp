// The host display's DirectDraw object, primary surface and palettes, and
// the reset that brings the whole display up again for the next run.
#include <cstring>
#include <deque>

#include "game/media/display.h"
#include "game/media/host/host_display.h"
#include "game/media/host/host_surfaces.h"
#include "game/media/palette.h"
#include "game/media/stage_sheets.h"
#include "game/shell/shared_state.h"

namespace {
std::deque<HostPaletteRecord> Palettes;  // handle = index + 1
bool DirectDrawAlive = false;
SurfaceHandle Primary = 0;
PaletteHandle Attached = 0;
int32_t FailingStep = 0;
int32_t FailingResult = 0;
bool PaletteWritesFail = false;
void (*OnPaletteWrite)() = nullptr;
}  // namespace

static int32_t InitStep(int32_t step) { return FailingStep == step ? FailingResult : DdOk; }

void HostFailInitStep(int32_t step, int32_t result) {
  FailingStep = step;
  FailingResult = result;
}
void HostFailPaletteWrites(bool on) { PaletteWritesFail = on; }
void HostOnPaletteWrite(void (*hook)()) { OnPaletteWrite = hook; }

int32_t PortDirectDrawCreate() {
  if (int32_t r = InitStep(1)) return r;
  DirectDrawAlive = true;
  NoteHostCall("ddraw");
  return DdOk;
}

int32_t PortSetCooperativeLevel(uintptr_t) {
  if (!DirectDrawAlive) return NoteHostMisuse(), DderrInvalidParams;
  return InitStep(2);
}

int32_t PortSetDisplayMode(int32_t width, int32_t height, int32_t bits) {
  if (!DirectDrawAlive) return NoteHostMisuse(), DderrInvalidParams;
  if (int32_t r = InitStep(3)) return r;
  // The host has one mode, the game's.
  return width == ScreenWidth && height == ScreenHeight && bits == 8 ? DdOk : DderrInvalidParams;
}

int32_t PortCreatePrimary(SurfaceHandle* primary) {
  *primary = 0;
  if (!DirectDrawAlive) return NoteHostMisuse(), DderrInvalidParams;
  if (int32_t r = InitStep(4)) return r;
  SurfaceHandle front = NewHostSurface(ScreenWidth, ScreenHeight);
  SurfaceHandle back = NewHostSurface(ScreenWidth, ScreenHeight);
  FindHostSurface(front)->backBuffer = back;
  FindHostSurface(back)->owner = front;
  *primary = Primary = front;
  return DdOk;
}

int32_t PortGetBackBuffer(SurfaceHandle primary, SurfaceHandle* back) {
  *back = 0;
  HostSurfaceRecord* r = FindHostSurface(primary);
  if (!r || !r->backBuffer) return NoteHostMisuse(), DderrInvalidParams;
  if (int32_t result = InitStep(5)) return result;
  *back = r->backBuffer;
  return DdOk;
}

void PortReleaseDirectDraw() {
  if (!DirectDrawAlive) return NoteHostMisuse();
  NoteHostCall("release ddraw");
  DirectDrawAlive = false;
}

HostPaletteRecord* FindHostPalette(PaletteHandle p) {
  if (p == 0 || p > Palettes.size() || !Palettes[p - 1].alive) return nullptr;
  return &Palettes[p - 1];
}

PaletteHandle NewHostPalette(const PaletteEntry* entries) {
  Palettes.emplace_back();
  std::memcpy(Palettes.back().entries, entries, sizeof Palettes.back().entries);
  Palettes.back().alive = true;
  NoteHostCall("palette " + std::to_string(Palettes.size()));
  return Palettes.size();
}

int32_t PortCreatePalette(const PaletteEntry* entries, PaletteHandle* palette) {
  *palette = 0;
  if (!DirectDrawAlive) return NoteHostMisuse(), DderrInvalidParams;
  *palette = NewHostPalette(entries);
  return DdOk;
}

int32_t PortSetPalette(SurfaceHandle primary, PaletteHandle palette) {
  if (!FindHostSurface(primary) || !FindHostPalette(palette)) return NoteHostMisuse(), DderrInvalidParams;
  if (primary == Primary) Attached = palette;
  return DdOk;
}

int32_t PortGetPaletteEntries(PaletteHandle palette, PaletteEntry* entries) {
  HostPaletteRecord* p = FindHostPalette(palette);
  if (!p) return NoteHostMisuse(), DderrInvalidParams;
  std::memcpy(entries, p->entries, sizeof p->entries);
  return DdOk;
}

int32_t PortSetPaletteEntries(PaletteHandle palette, const PaletteEntry* entries) {
  HostPaletteRecord* p = FindHostPalette(palette);
  if (!p) return NoteHostMisuse(), DderrInvalidParams;
  if (PaletteWritesFail) return DderrGeneric;
  if (OnPaletteWrite) OnPaletteWrite();
  std::memcpy(p->entries, entries, sizeof p->entries);
  return DdOk;
}

void PortReleasePalette(PaletteHandle palette) {
  HostPaletteRecord* p = FindHostPalette(palette);
  if (!p) return NoteHostMisuse();
  NoteHostCall("release palette " + std::to_string(palette));
  p->alive = false;
  if (Attached == palette) Attached = 0;
}

PaletteHandle HostPrimaryPalette() { return FindHostSurface(Primary) ? Attached : 0; }
SurfaceHandle HostPrimary() { return FindHostSurface(Primary) ? Primary : 0; }

int32_t HostPaletteColours(PaletteHandle palette, PaletteEntry* colours) {
  HostPaletteRecord* p = FindHostPalette(palette);
  if (!p) return 0;
  std::memcpy(colours, p->entries, sizeof p->entries);
  return 1;
}

int32_t HostScreenImage(std::vector<uint8_t>& indices, PaletteEntry* colours) {
  HostSurfaceRecord* front = FindHostSurface(HostPrimary());
  if (!front) return 0;
  indices.resize(size_t(ScreenWidth) * ScreenHeight);
  for (int32_t y = 0; y < ScreenHeight; ++y)
    std::memcpy(&indices[size_t(y) * ScreenWidth], &front->pixels[size_t(y) * front->pitch], ScreenWidth);
  // Without a palette of ours the screen shows the display's own colours.
  if (!HostPaletteColours(HostPrimaryPalette(), colours)) DefaultPaletteTable(colours);
  return 1;
}

void HostResetDisplay() {
  ReleaseDisplay();
  ResetHostSurfaces();
  for (HostPaletteRecord& p : Palettes) p.alive = false;
  DirectDrawAlive = false;
  Primary = Attached = 0;
  FailingStep = FailingResult = 0;
  PaletteWritesFail = false;
  OnPaletteWrite = nullptr;
  HostClearBitmapResources();
  if (InitDisplay(0) == DdOk) {
    LoadStartUpSheets();
    ReplaceStageSheets(StageNumber);
  }
  // A reset starts with empty records.
  ClearHostRecords();
  HostClearFileReads();
  LastDisplayResult = 0;
}
