// A busy stage frame on the host display (background, 400 stars, 60 actors,
// 120 bullets, HUD), against the same blits done by SDL2's SDL_BlitSurface on
// 8-bit colour-keyed surfaces. SDL2 is taken at run time (libSDL2-2.0.so.0,
// Debian's libsdl2-dev), for this comparison only.
#include <benchmark/benchmark.h>
#include <dlfcn.h>
#include <unistd.h>

#include <SDL2/SDL.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "game/media/display.h"
#include "game/media/host/host_display.h"
#include "game/media/random.h"
#include "game/shell/game_status.h"
#include "game/shell/shared_state.h"
#include "game/shell/stage_loop.h"
#include "tools/sim/sim.h"

namespace {
struct Sprite {
  int32_t x, y;
  Rect frame;
};
std::vector<Sprite> Actors, Bullets;

// The data folder beside the benchmark, unless one was set.
void FindData() {
  std::FILE* f = std::fopen((HostDataDir() + "/font_.bmp").c_str(), "rb");
  if (f) return (void)std::fclose(f);
  char self[4096] = {};
  ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
  std::string dir = n > 0 ? std::string(self, size_t(n)) : std::string(".");
  HostSetDataDir(dir.substr(0, dir.rfind('/')) + "/data");
}

void SetUpStage() {
  static bool done = false;
  if (done) return;
  done = true;
  FindData();
  ResetWorld();
  Random r(12345);
  for (int i = 0; i < 60; ++i) {
    int32_t left = (i % 7) * 64;
    Actors.push_back({r.Next(700) - 30, r.Next(520) - 20, Rect{left, 0, left + 48, 48}});
  }
  for (int i = 0; i < 120; ++i) Bullets.push_back({r.Next(660) - 10, r.Next(490) - 5, Rect{64, 176, 72, 184}});
}

void DrawBusyFrame(int32_t frame) {
  FrameCount = frame;
  DrawBackground();
  DrawStageStars();
  for (const Sprite& a : Actors) BlitClipped(a.x - frame % 7, a.y, a.frame, BlitColourKey, EnemySheet);
  for (const Sprite& b : Bullets) BlitClipped(b.x + frame % 5, b.y, b.frame, BlitColourKey, CommonSheet);
  GameStatusDraw();
  DrawHud();
}

// --- SDL2 ------------------------------------------------------------------
struct Sdl {
  decltype(&SDL_CreateRGBSurfaceWithFormat) create;
  decltype(&SDL_SetPaletteColors) setColours;
  decltype(&SDL_SetColorKey) setKey;
  decltype(&SDL_UpperBlit) blit;
  SDL_Surface* screen = nullptr;
  SDL_Surface* opaque[SheetCount] = {};
  SDL_Surface* keyed[SheetCount] = {};
  std::vector<HostBlit> blits;  // one frame, as they reached our display
  std::vector<HostBlit> asked;  // the same frame, as BlitClipped was asked
};
Sdl S;

template <class F> F Symbol(void* lib, const char* name) { return reinterpret_cast<F>(dlsym(lib, name)); }

SDL_Surface* SdlCopy(SurfaceHandle sheet, const SDL_Color* colours, bool keyed) {
  HostSurfaceView v = HostSurface(sheet);
  SDL_Surface* s = S.create(0, v.width, v.height, 8, SDL_PIXELFORMAT_INDEX8);
  S.setColours(s->format->palette, colours, 0, 256);
  for (int32_t y = 0; y < v.height; ++y)
    std::copy(v.pixels + size_t(y) * v.pitch, v.pixels + size_t(y) * v.pitch + v.width,
              static_cast<uint8_t*>(s->pixels) + size_t(y) * s->pitch);
  if (keyed && v.hasColourKey) S.setKey(s, SDL_TRUE, v.colourKey);
  return s;
}

bool SetUpSdl() {
  if (S.screen) return true;
  void* lib = dlopen("libSDL2-2.0.so.0", RTLD_NOW);
  if (!lib) return false;
  S.create = Symbol<decltype(S.create)>(lib, "SDL_CreateRGBSurfaceWithFormat");
  S.setColours = Symbol<decltype(S.setColours)>(lib, "SDL_SetPaletteColors");
  S.setKey = Symbol<decltype(S.setKey)>(lib, "SDL_SetColorKey");
  S.blit = Symbol<decltype(S.blit)>(lib, "SDL_UpperBlit");
  if (!S.create || !S.setColours || !S.setKey || !S.blit) return false;
  PaletteEntry table[PaletteSize];
  HostPaletteColours(GamePalette, table);
  SDL_Color colours[256];
  for (int i = 0; i < 256; ++i) colours[i] = {table[i].red, table[i].green, table[i].blue, 255};
  S.screen = S.create(0, ScreenWidth, ScreenHeight, 8, SDL_PIXELFORMAT_INDEX8);
  S.setColours(S.screen->format->palette, colours, 0, 256);
  for (int32_t slot = 0; slot < SheetCount; ++slot) {
    S.opaque[slot] = SdlCopy(SheetSurfaces[slot], colours, false);
    S.keyed[slot] = SdlCopy(SheetSurfaces[slot], colours, true);
  }
  HostRecordBlits(true);
  HostClearRecords();
  DrawBusyFrame(100);
  S.blits = HostBlits();
  S.asked = HostBlitRequests();
  HostRecordBlits(false);
  return true;
}

void SdlFrame() {
  for (const HostBlit& b : S.blits) {
    SDL_Rect from{b.source.left, b.source.top, b.source.right - b.source.left, b.source.bottom - b.source.top};
    SDL_Rect to{b.x, b.y, 0, 0};
    S.blit((b.flags & BlitColourKey ? S.keyed : S.opaque)[b.sheet], &from, S.screen, &to);
  }
}

double Seconds(std::chrono::steady_clock::duration d) { return std::chrono::duration<double>(d).count(); }
}  // namespace

static void BM_StageFrameHostDisplay(benchmark::State& state) {
  SetUpStage();
  HostRecordBlits(false);
  int32_t frame = 0;
  for (auto _ : state) DrawBusyFrame(frame++ % 64 + 64);
}
BENCHMARK(BM_StageFrameHostDisplay)->Unit(benchmark::kMicrosecond);

static void BM_StageFrameSdl2(benchmark::State& state) {
  SetUpStage();
  if (!SetUpSdl()) return state.SkipWithError("libSDL2-2.0.so.0 not found");
  for (auto _ : state) SdlFrame();
  state.counters["blits"] = double(S.blits.size());
}
BENCHMARK(BM_StageFrameSdl2)->Unit(benchmark::kMicrosecond);

// The very same blits through our BlitClipped, without the game's drawing code.
static void BM_SameBlitsHostDisplay(benchmark::State& state) {
  SetUpStage();
  if (!SetUpSdl()) return state.SkipWithError("libSDL2-2.0.so.0 not found");
  for (auto _ : state)
    for (const HostBlit& b : S.asked) BlitClipped(b.x, b.y, b.source, b.flags, b.sheet);
  state.counters["blits"] = double(S.asked.size());
}
BENCHMARK(BM_SameBlitsHostDisplay)->Unit(benchmark::kMicrosecond);

// Both in the same loop, alternating, so they meet the same machine load.
static void BM_StageFrameHostVsSdl2(benchmark::State& state) {
  SetUpStage();
  if (!SetUpSdl()) return state.SkipWithError("libSDL2-2.0.so.0 not found");
  double ours = 0, sdl = 0;
  int32_t frame = 100;
  for (auto _ : state) {
    auto t0 = std::chrono::steady_clock::now();
    DrawBusyFrame(frame);
    auto t1 = std::chrono::steady_clock::now();
    SdlFrame();
    auto t2 = std::chrono::steady_clock::now();
    ours += Seconds(t1 - t0);
    sdl += Seconds(t2 - t1);
  }
  double n = double(state.iterations());
  state.counters["ours_us"] = ours / n * 1e6;
  state.counters["sdl2_us"] = sdl / n * 1e6;
  state.counters["sdl2_over_ours"] = sdl / ours;  // above 1: ours is faster
}
BENCHMARK(BM_StageFrameHostVsSdl2)->Unit(benchmark::kMicrosecond);
