// The display port on DirectDraw: handles are the interface pointers.
#include "game/media/display_port.h"

#include <windows.h>
#include <ddraw.h>

namespace {
IDirectDraw* DirectDraw = nullptr;

IDirectDrawSurface* Surface(SurfaceHandle s) { return reinterpret_cast<IDirectDrawSurface*>(s); }
IDirectDrawPalette* Palette(PaletteHandle p) { return reinterpret_cast<IDirectDrawPalette*>(p); }
template <class T> uintptr_t Handle(T* object) { return reinterpret_cast<uintptr_t>(object); }
}  // namespace

// DirectDrawCreate is the one entry point of ddraw.dll we need; the rest are
// the objects' own methods. Taken at run time, so no import library is needed.
int32_t PortDirectDrawCreate() {
  using Create = HRESULT(WINAPI*)(GUID*, IDirectDraw**, IUnknown*);
  HMODULE ddraw = LoadLibraryW(L"ddraw.dll");
  Create create = ddraw ? reinterpret_cast<Create>(reinterpret_cast<void*>(GetProcAddress(ddraw, "DirectDrawCreate"))) : nullptr;
  if (!create) return static_cast<int32_t>(E_FAIL);
  return create(nullptr, &DirectDraw, nullptr);
}

int32_t PortSetCooperativeLevel(uintptr_t window) {
  return DirectDraw->SetCooperativeLevel(reinterpret_cast<HWND>(window),
                                         DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN);
}

int32_t PortSetDisplayMode(int32_t width, int32_t height, int32_t bitsPerPixel) {
  return DirectDraw->SetDisplayMode(width, height, bitsPerPixel);
}

void PortReleaseDirectDraw() {
  if (DirectDraw) DirectDraw->Release();
  DirectDraw = nullptr;
}

int32_t PortCreatePrimary(SurfaceHandle* primary) {
  DDSURFACEDESC desc = {};
  desc.dwSize = sizeof desc;
  desc.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
  desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
  desc.dwBackBufferCount = 1;
  IDirectDrawSurface* s = nullptr;
  HRESULT r = DirectDraw->CreateSurface(&desc, &s, nullptr);
  *primary = r == DD_OK ? Handle(s) : 0;
  return r;
}

int32_t PortGetBackBuffer(SurfaceHandle primary, SurfaceHandle* back) {
  DDSCAPS caps = {DDSCAPS_BACKBUFFER};
  IDirectDrawSurface* s = nullptr;
  HRESULT r = Surface(primary)->GetAttachedSurface(&caps, &s);
  *back = r == DD_OK ? Handle(s) : 0;
  return r;
}

int32_t PortCreateSurface(int32_t width, int32_t height, SurfaceHandle* surface) {
  DDSURFACEDESC desc = {};
  desc.dwSize = sizeof desc;
  desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
  desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
  desc.dwWidth = width;
  desc.dwHeight = height;
  IDirectDrawSurface* s = nullptr;
  HRESULT r = DirectDraw->CreateSurface(&desc, &s, nullptr);
  *surface = r == DD_OK ? Handle(s) : 0;
  return r;
}

void PortReleaseSurface(SurfaceHandle surface) { Surface(surface)->Release(); }
int32_t PortRestore(SurfaceHandle surface) { return Surface(surface)->Restore(); }

int32_t PortSetColourKey(SurfaceHandle surface, uint32_t key) {
  DDCOLORKEY k = {key, key};
  return Surface(surface)->SetColorKey(DDCKEY_SRCBLT, &k);
}

int32_t PortLock(SurfaceHandle surface, SurfaceLock* lock) {
  DDSURFACEDESC desc = {};
  desc.dwSize = sizeof desc;
  HRESULT r = Surface(surface)->Lock(nullptr, &desc, 0, nullptr);
  if (r != DD_OK) return r;
  *lock = {static_cast<uint8_t*>(desc.lpSurface), static_cast<int32_t>(desc.lPitch),
           static_cast<int32_t>(desc.dwWidth), static_cast<int32_t>(desc.dwHeight),
           static_cast<int32_t>(desc.ddpfPixelFormat.dwRGBBitCount)};
  return DD_OK;
}

int32_t PortUnlock(SurfaceHandle surface) { return Surface(surface)->Unlock(nullptr); }

int32_t PortBltFast(SurfaceHandle dest, int32_t x, int32_t y, SurfaceHandle source,
                    const Rect& rect, int32_t flags) {
  RECT r = {rect.left, rect.top, rect.right, rect.bottom};
  return Surface(dest)->BltFast(x, y, Surface(source), &r, flags);
}

int32_t PortFlip(SurfaceHandle primary) { return Surface(primary)->Flip(nullptr, DDFLIP_WAIT); }

int32_t PortColourFill(SurfaceHandle surface, int32_t index) {
  DDBLTFX fx = {};
  fx.dwSize = sizeof fx;
  fx.dwFillColor = index;
  return Surface(surface)->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx);
}

int32_t PortCreatePalette(const PaletteEntry* entries, PaletteHandle* palette) {
  PALETTEENTRY table[PaletteSize];
  static_assert(sizeof table == sizeof(PaletteEntry) * PaletteSize, "same layout");
  CopyMemory(table, entries, sizeof table);
  IDirectDrawPalette* p = nullptr;
  HRESULT r = DirectDraw->CreatePalette(DDPCAPS_8BIT, table, &p, nullptr);
  *palette = r == DD_OK ? Handle(p) : 0;
  return r;
}

int32_t PortSetPalette(SurfaceHandle primary, PaletteHandle palette) {
  return Surface(primary)->SetPalette(Palette(palette));
}

int32_t PortGetPaletteEntries(PaletteHandle palette, PaletteEntry* entries) {
  return Palette(palette)->GetEntries(0, 0, PaletteSize, reinterpret_cast<PALETTEENTRY*>(entries));
}

int32_t PortSetPaletteEntries(PaletteHandle palette, const PaletteEntry* entries) {
  PALETTEENTRY table[PaletteSize];
  CopyMemory(table, entries, sizeof table);
  return Palette(palette)->SetEntries(0, 0, PaletteSize, table);
}

void PortReleasePalette(PaletteHandle palette) { Palette(palette)->Release(); }
