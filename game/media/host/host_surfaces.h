#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "game/media/display_port.h"

// The host display's own state, shared by its files.
struct HostSurfaceRecord {
  int32_t width = 0;
  int32_t height = 0;
  int32_t pitch = 0;
  std::vector<uint8_t> pixels;
  bool alive = false;
  bool lost = false;
  bool hasKey = false;
  uint32_t key = 0;
  SurfaceHandle backBuffer = 0;  // the primary's attached surface
  SurfaceHandle owner = 0;       // the back buffer's primary
  int32_t restoreFailures = 0;   // -1: every restore fails
  int32_t restoreResult = 0;
};

struct HostPaletteRecord {
  PaletteEntry entries[PaletteSize];
  bool alive = false;
};

// Handles count on across resets, so a handle kept from before a reset is
// caught as misuse instead of reaching a new surface.
HostSurfaceRecord* FindHostSurface(SurfaceHandle surface);
HostPaletteRecord* FindHostPalette(PaletteHandle palette);
SurfaceHandle NewHostSurface(int32_t width, int32_t height);
PaletteHandle NewHostPalette(const PaletteEntry* entries);
void NoteHostCall(const std::string& text);
void NoteHostMisuse();
// Forgets every surface, palette, record and switch.
void ResetHostSurfaces();
// Empties the records and puts the switches back; the surfaces stay.
void ClearHostRecords();
// The palette the primary shows, 0 for none.
PaletteHandle HostPrimaryPalette();
SurfaceHandle HostPrimary();
