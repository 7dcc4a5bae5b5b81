#include "game/shell/sdl2/native_window.h"

#include <SDL2/SDL.h>

#include "game/media/display.h"

namespace {
SDL_Window* Window = nullptr;
SDL_Renderer* Renderer = nullptr;
SDL_Texture* Texture = nullptr;
PresentCost Costs{};

int32_t Draw() {
  int32_t w = 0, h = 0;
  SDL_GetRendererOutputSize(Renderer, &w, &h);
  ScreenPlace p = PlaceScreen(w, h);
  SDL_SetRenderDrawColor(Renderer, 0, 0, 0, 255);
  SDL_RenderClear(Renderer);
  SDL_Rect to{p.x, p.y, p.width, p.height};
  SDL_RenderCopy(Renderer, Texture, nullptr, &to);
  return p.scale;
}
}  // namespace

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
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
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
  Renderer = SDL_CreateRenderer(Window, -1, SDL_RENDERER_ACCELERATED);
  if (!Renderer) Renderer = SDL_CreateRenderer(Window, -1, SDL_RENDERER_SOFTWARE);
  if (!Renderer) return 0;
  Texture = SDL_CreateTexture(Renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING,
                              ScreenWidth, ScreenHeight);
  if (!Texture) return 0;
  SDL_ShowCursor(SDL_DISABLE);
  SDL_SetRenderDrawColor(Renderer, 0, 0, 0, 255);
  SDL_RenderClear(Renderer);
  SDL_RenderPresent(Renderer);
  return 1;
}

void CloseGameWindow() {
  if (Texture) SDL_DestroyTexture(Texture);
  if (Renderer) SDL_DestroyRenderer(Renderer);
  if (Window) SDL_DestroyWindow(Window);
  Texture = nullptr, Renderer = nullptr, Window = nullptr;
}

uint32_t GameWindowId() { return Window ? SDL_GetWindowID(Window) : 0; }

bool IsFullScreen() { return Window && (SDL_GetWindowFlags(Window) & SDL_WINDOW_FULLSCREEN_DESKTOP); }

void ToggleFullScreen() {
  if (Window) SDL_SetWindowFullscreen(Window, IsFullScreen() ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
}

void PresentPixels(const uint32_t* pixels) {
  if (!Renderer) return;
  uint64_t start = SDL_GetPerformanceCounter();
  if (pixels) SDL_UpdateTexture(Texture, nullptr, pixels, ScreenWidth * 4);
  Costs.scale = Draw();
  SDL_RenderPresent(Renderer);
  int64_t took = int64_t((SDL_GetPerformanceCounter() - start) * 1000000 / SDL_GetPerformanceFrequency());
  Costs.count += 1;
  Costs.totalMicroseconds += took;
  if (took > Costs.longestMicroseconds) Costs.longestMicroseconds = took;
}

PresentCost PresentCosts() { return Costs; }

int32_t ReadWindowPixels(std::vector<uint32_t>& pixels, int32_t& width, int32_t& height) {
  if (!Renderer) return 0;
  SDL_GetRendererOutputSize(Renderer, &width, &height);
  pixels.assign(size_t(width) * height, 0);
  Draw();  // the back buffer again as it was presented
  return SDL_RenderReadPixels(Renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, pixels.data(), width * 4) == 0;
}
