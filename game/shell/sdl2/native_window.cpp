#include "game/shell/sdl2/native_window.h"

#include <SDL2/SDL.h>

#include <cstring>

#include "game/media/display.h"

namespace {
SDL_Window* Window = nullptr;
std::vector<uint32_t> Last;  // the picture last shown, for redrawing it
PresentCost Costs{};

bool SameLayout(const SDL_PixelFormat* f) {
  return f->BytesPerPixel == 4 && f->Rmask == 0x00FF0000 && f->Gmask == 0x0000FF00 && f->Bmask == 0x000000FF;
}

// Each pixel of the picture as a scale x scale block: a row is drawn once
// and copied for the rest of its block.
void ScaleInto(const uint32_t* picture, SDL_Surface* to, const ScreenPlace& p) {
  auto* rows = static_cast<uint8_t*>(to->pixels);
  int32_t x0 = p.x > 0 ? p.x : 0, x1 = p.x + p.width < to->w ? p.x + p.width : to->w;
  int32_t y0 = p.y > 0 ? p.y : 0, y1 = p.y + p.height < to->h ? p.y + p.height : to->h;
  size_t bytes = size_t(x1 - x0) * 4;
  for (int32_t y = y0; y < y1;) {
    int32_t sourceRow = (y - p.y) / p.scale;
    const uint32_t* from = picture + size_t(sourceRow) * ScreenWidth;
    uint32_t* row = reinterpret_cast<uint32_t*>(rows + size_t(y) * to->pitch);
    if (p.scale == 1) {
      std::memcpy(row + x0, from + (x0 - p.x), bytes);
    } else if (x0 == p.x && x1 == p.x + p.width) {
      uint32_t* out = row + x0;
      for (int32_t x = 0; x < ScreenWidth; ++x)
        for (int32_t k = 0; k < p.scale; ++k) *out++ = from[x];
    } else {
      for (int32_t x = x0; x < x1; ++x) row[x] = from[(x - p.x) / p.scale];
    }
    int32_t blockEnd = p.y + (sourceRow + 1) * p.scale < y1 ? p.y + (sourceRow + 1) * p.scale : y1;
    for (int32_t copy = y + 1; copy < blockEnd; ++copy)
      std::memcpy(rows + size_t(copy) * to->pitch + size_t(x0) * 4, row + x0, bytes);
    y = blockEnd;
  }
}

// The picture onto the window's own surface, black round it. The processor
// scales (a few copies of each row), so no graphics driver is needed, and
// under a software one it costs a fraction of what its scaled copy does.
int32_t Draw() {
  SDL_Surface* surface = SDL_GetWindowSurface(Window);
  if (!surface || Last.empty()) return 0;
  ScreenPlace p = PlaceScreen(surface->w, surface->h);
  uint32_t black = SDL_MapRGB(surface->format, 0, 0, 0);
  SDL_Rect borders[4] = {{0, 0, surface->w, p.y},
                         {0, p.y + p.height, surface->w, surface->h - p.y - p.height},
                         {0, p.y, p.x, p.height},
                         {p.x + p.width, p.y, surface->w - p.x - p.width, p.height}};
  for (const SDL_Rect& r : borders)
    if (r.w > 0 && r.h > 0) SDL_FillRect(surface, &r, black);
  if (SameLayout(surface->format)) {
    if (SDL_MUSTLOCK(surface)) SDL_LockSurface(surface);
    ScaleInto(Last.data(), surface, p);
    if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
  } else {  // another pixel layout: SDL converts as it scales
    SDL_Surface* from = SDL_CreateRGBSurfaceWithFormatFrom(Last.data(), ScreenWidth, ScreenHeight, 32,
                                                           ScreenWidth * 4, SDL_PIXELFORMAT_ARGB8888);
    SDL_Rect to{p.x, p.y, p.width, p.height};
    if (from) SDL_BlitScaled(from, nullptr, surface, &to);
    SDL_FreeSurface(from);
  }
  SDL_UpdateWindowSurface(Window);
  return p.scale;
}
}  // namespace

bool VideoDriverIn(std::initializer_list<const char*> names) {
  const char* driver = SDL_GetCurrentVideoDriver();
  for (const char* name : names)
    if (driver && std::strcmp(driver, name) == 0) return true;
  return false;
}

ScreenPlace PlaceScreen(int32_t areaWidth, int32_t areaHeight) {
  int32_t scale = areaWidth / ScreenWidth < areaHeight / ScreenHeight ? areaWidth / ScreenWidth
                                                                      : areaHeight / ScreenHeight;
  if (scale < 1) scale = 1;
  int32_t w = ScreenWidth * scale, h = ScreenHeight * scale;
  return {scale, (areaWidth - w) / 2, (areaHeight - h) / 2, w, h};
}

int32_t DefaultWindowScale(int32_t usableWidth, int32_t usableHeight) {
  int32_t scale = PlaceScreen(usableWidth, usableHeight).scale;
  return scale > 3 ? 3 : scale;
}

int32_t OpenGameWindow(int32_t scale, bool fullscreen) {
  // The window system's own surface (shared memory on X11), not a texture
  // of a graphics driver's: the picture is scaled already, and where the
  // driver is software one more full-window copy through it costs more
  // than everything else the program does. Only where the driver has such
  // a surface: Wayland has none, and with the hint set SDL gives the
  // window no surface at all rather than the texture.
  if (VideoDriverIn({"x11", "offscreen", "dummy"}))
    SDL_SetHintWithPriority(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0", SDL_HINT_DEFAULT);
  if (scale <= 0) {
    SDL_Rect usable{0, 0, ScreenWidth, ScreenHeight};
    if (SDL_GetDisplayUsableBounds(0, &usable) != 0) SDL_GetDisplayBounds(0, &usable);
    scale = DefaultWindowScale(usable.w, usable.h);
  }
  uint32_t flags = SDL_WINDOW_RESIZABLE | (fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
  Window = SDL_CreateWindow("ZARVEL", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                            ScreenWidth * scale, ScreenHeight * scale, flags);
  if (!Window) return 0;
  SDL_SetWindowMinimumSize(Window, ScreenWidth, ScreenHeight);
  SDL_Surface* surface = SDL_GetWindowSurface(Window);
  if (!surface) return 0;
  SDL_ShowCursor(SDL_DISABLE);
  SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0, 0, 0));
  SDL_UpdateWindowSurface(Window);
  return 1;
}

void CloseGameWindow() {
  if (Window) SDL_DestroyWindow(Window);
  Window = nullptr;
  Last.clear();
}

uint32_t GameWindowId() { return Window ? SDL_GetWindowID(Window) : 0; }

bool IsFullScreen() { return Window && (SDL_GetWindowFlags(Window) & SDL_WINDOW_FULLSCREEN_DESKTOP); }

void ToggleFullScreen() {
  if (Window) SDL_SetWindowFullscreen(Window, IsFullScreen() ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
}

void PresentPixels(const uint32_t* pixels) {
  if (!Window) return;
  uint64_t start = SDL_GetPerformanceCounter();
  if (pixels) Last.assign(pixels, pixels + size_t(ScreenWidth) * ScreenHeight);
  Costs.scale = Draw();
  int64_t took = int64_t((SDL_GetPerformanceCounter() - start) * 1000000 / SDL_GetPerformanceFrequency());
  Costs.count += 1;
  Costs.totalMicroseconds += took;
  if (took > Costs.longestMicroseconds) Costs.longestMicroseconds = took;
}

PresentCost PresentCosts() { return Costs; }

int32_t ReadWindowPixels(std::vector<uint32_t>& pixels, int32_t& width, int32_t& height) {
  SDL_Surface* surface = Window ? SDL_GetWindowSurface(Window) : nullptr;
  if (!surface) return 0;
  width = surface->w, height = surface->h;
  pixels.assign(size_t(width) * height, 0);
  if (SDL_MUSTLOCK(surface)) SDL_LockSurface(surface);
  int ok = SDL_ConvertPixels(width, height, surface->format->format, surface->pixels, surface->pitch,
                             SDL_PIXELFORMAT_ARGB8888, pixels.data(), width * 4) == 0;
  if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
  return ok;
}
