#include "game/media/display_port.h"

#include <cstring>
#include <deque>

#include "game/media/display.h"
#include "game/media/host/host_display.h"
#include "game/media/host/host_surfaces.h"

namespace {
std::deque<HostSurfaceRecord> Surfaces;  // handle = index + 1; records never move
std::vector<HostBlit> Blits;
std::vector<HostBlit> Requests;
std::vector<std::string> Calls;
int32_t Flips = 0;
int32_t Fills = 0;
int32_t BlitCount = 0;
int32_t Misuse = 0;
int32_t StillDrawing = 0;
bool Recording = true;
bool LocksFail = false;
}  // namespace

HostSurfaceRecord* FindHostSurface(SurfaceHandle s) {
  if (s == 0 || s > Surfaces.size() || !Surfaces[s - 1].alive) return nullptr;
  return &Surfaces[s - 1];
}

SurfaceHandle NewHostSurface(int32_t width, int32_t height) {
  Surfaces.emplace_back();
  HostSurfaceRecord& r = Surfaces.back();
  r.width = width;
  r.height = height;
  r.pitch = (width + 3) & ~3;
  r.pixels.assign(size_t(r.pitch) * size_t(height), 0);
  r.alive = true;
  SurfaceHandle handle = Surfaces.size();
  NoteHostCall("create " + std::to_string(handle));
  return handle;
}

void NoteHostCall(const std::string& text) { Calls.push_back(text); }
void NoteHostMisuse() { Misuse += 1; }

void ResetHostSurfaces() {
  for (HostSurfaceRecord& r : Surfaces) r = HostSurfaceRecord{};
  ClearHostRecords();
}

static void NoteRequest(int32_t x, int32_t y, const Rect& rect, int32_t flags, int32_t sheet) {
  if (Recording) Requests.push_back({x, y, rect, flags, sheet, Flips});
}

void ClearHostRecords() {
  OnBlitRequest = NoteRequest;
  Blits.clear();
  Requests.clear();
  Calls.clear();
  Flips = Fills = BlitCount = Misuse = StillDrawing = 0;
  LocksFail = false;
}

void HostRecordBlits(bool on) { Recording = on; }
void HostClearRecords() { ClearHostRecords(); }
int32_t HostBlitCount() { return BlitCount; }
const std::vector<HostBlit>& HostBlits() { return Blits; }
const std::vector<HostBlit>& HostBlitRequests() { return Requests; }
int32_t HostFlipCount() { return Flips; }
int32_t HostFillCount() { return Fills; }
const std::vector<std::string>& HostDisplayCalls() { return Calls; }
void HostClearDisplayCalls() { Calls.clear(); }
int32_t HostDisplayMisuse() { return Misuse; }

void HostLoseAllSurfaces() {
  for (HostSurfaceRecord& r : Surfaces)
    if (r.alive) r.lost = true;
}

void HostLoseSurface(SurfaceHandle s) {
  if (HostSurfaceRecord* r = FindHostSurface(s)) r->lost = true;
}

void HostFailRestore(SurfaceHandle s, int32_t times, int32_t result) {
  if (HostSurfaceRecord* r = FindHostSurface(s)) r->restoreFailures = times, r->restoreResult = result;
}

void HostStillDrawing(int32_t times) { StillDrawing = times; }
void HostFailLocks(bool on) { LocksFail = on; }

HostSurfaceView HostSurface(SurfaceHandle s) {
  HostSurfaceRecord* r = FindHostSurface(s);
  if (!r) return {0, 0, 0, nullptr, 0, false, false};
  return {r->width, r->height, r->pitch, r->pixels.data(), r->key, r->hasKey, r->lost};
}

void HostPokeSurface(SurfaceHandle s, int32_t x, int32_t y, uint8_t index) {
  HostSurfaceRecord* r = FindHostSurface(s);
  if (r && x >= 0 && y >= 0 && x < r->width && y < r->height) r->pixels[size_t(y) * r->pitch + x] = index;
}

static bool Busy() {
  if (StillDrawing <= 0) return false;
  StillDrawing -= 1;
  return true;
}

static int32_t SheetOf(SurfaceHandle s) {
  for (int32_t slot = 0; slot < SheetCount; ++slot)
    if (SheetSurfaces[slot] == s) return slot;
  return -1;
}

int32_t PortCreateSurface(int32_t width, int32_t height, SurfaceHandle* surface) {
  *surface = 0;
  if (width <= 0 || height <= 0 || width > 16384 || height > 16384) return DderrInvalidParams;
  *surface = NewHostSurface(width, height);
  return DdOk;
}

void PortReleaseSurface(SurfaceHandle s) {
  HostSurfaceRecord* r = FindHostSurface(s);
  if (!r || r->owner) return NoteHostMisuse();  // the back buffer goes with its primary
  NoteHostCall("release " + std::to_string(s));
  if (HostSurfaceRecord* back = FindHostSurface(r->backBuffer)) *back = HostSurfaceRecord{};
  *r = HostSurfaceRecord{};
}

int32_t PortRestore(SurfaceHandle s) {
  HostSurfaceRecord* r = FindHostSurface(s);
  if (!r) return NoteHostMisuse(), DderrInvalidParams;
  NoteHostCall("restore " + std::to_string(s));
  if (r->restoreFailures != 0) {
    if (r->restoreFailures > 0) r->restoreFailures -= 1;
    return r->restoreResult;
  }
  // What a lost surface held is gone; what is drawn or loaded next shows.
  auto restore = [](HostSurfaceRecord& x) {
    if (x.lost) std::memset(x.pixels.data(), 0xCD, x.pixels.size());
    x.lost = false;
  };
  restore(*r);
  if (HostSurfaceRecord* back = FindHostSurface(r->backBuffer)) restore(*back);
  return DdOk;
}

int32_t PortSetColourKey(SurfaceHandle s, uint32_t key) {
  HostSurfaceRecord* r = FindHostSurface(s);
  if (!r) return NoteHostMisuse(), DderrInvalidParams;
  r->hasKey = true;
  r->key = key;
  return DdOk;
}

int32_t PortLock(SurfaceHandle s, SurfaceLock* lock) {
  HostSurfaceRecord* r = FindHostSurface(s);
  if (!r) return NoteHostMisuse(), DderrInvalidParams;
  if (Busy()) return DderrWasStillDrawing;
  if (r->lost) return DderrSurfaceLost;
  if (LocksFail) return DderrGeneric;
  *lock = {r->pixels.data(), r->pitch, r->width, r->height, 8};
  return DdOk;
}

int32_t PortUnlock(SurfaceHandle s) { return FindHostSurface(s) ? DdOk : DderrInvalidParams; }

// One keyed row, eight pixels at a time: a byte of the mask is 0xFF where
// the source pixel differs from the key.
static void KeyedRow(const uint8_t* src, uint8_t* dst, int32_t w, uint8_t key) {
  constexpr uint64_t Low7 = 0x7F7F7F7F7F7F7F7Full;
  const uint64_t keys = 0x0101010101010101ull * key;
  int32_t i = 0;
  for (; i + 8 <= w; i += 8) {
    uint64_t s, d;
    std::memcpy(&s, src + i, 8);
    std::memcpy(&d, dst + i, 8);
    uint64_t x = s ^ keys;
    uint64_t differs = (((x & Low7) + Low7) | x) & ~Low7;  // top bit of each non-zero byte
    uint64_t mask = (differs >> 7) * 0xFF;
    d = (s & mask) | (d & ~mask);
    std::memcpy(dst + i, &d, 8);
  }
  for (; i < w; ++i)
    if (src[i] != key) dst[i] = src[i];
}

static void CopyRows(const HostSurfaceRecord& from, const Rect& rect, HostSurfaceRecord& to,
                     int32_t x, int32_t y, bool keyed) {
  int32_t w = rect.right - rect.left;
  const uint8_t* src = from.pixels.data() + size_t(rect.top) * from.pitch + rect.left;
  uint8_t* dst = to.pixels.data() + size_t(y) * to.pitch + x;
  for (int32_t row = rect.top; row < rect.bottom; ++row, src += from.pitch, dst += to.pitch) {
    if (keyed) KeyedRow(src, dst, w, uint8_t(from.key));
    else std::memcpy(dst, src, size_t(w));
  }
}

int32_t PortBltFast(SurfaceHandle dest, int32_t x, int32_t y, SurfaceHandle source,
                    const Rect& rect, int32_t flags) {
  BlitCount += 1;
  if (Recording) Blits.push_back({x, y, rect, flags, SheetOf(source), Flips});
  HostSurfaceRecord* to = FindHostSurface(dest);
  HostSurfaceRecord* from = FindHostSurface(source);
  if (!to || !from) return NoteHostMisuse(), DderrInvalidParams;
  if (Busy()) return DderrWasStillDrawing;
  if (to->lost || from->lost) return DderrSurfaceLost;
  // As DirectDraw: a rectangle reaching outside either surface is refused whole.
  if (rect.left < 0 || rect.top < 0 || rect.right > from->width || rect.bottom > from->height ||
      rect.left >= rect.right || rect.top >= rect.bottom)
    return DderrInvalidRect;
  if (x < 0 || y < 0 || x > to->width - (rect.right - rect.left) ||
      y > to->height - (rect.bottom - rect.top))
    return DderrInvalidRect;
  // A sheet never given a key is keyed on 0, as DirectDraw (Wine) does it;
  // a key outside the 8-bit range matches no pixel.
  bool keyed = (flags & BlitColourKey) != 0 && from->key <= 0xFF;
  CopyRows(*from, rect, *to, x, y, keyed);
  return DdOk;
}

int32_t PortFlip(SurfaceHandle primary) {
  Flips += 1;
  HostSurfaceRecord* front = FindHostSurface(primary);
  HostSurfaceRecord* back = front ? FindHostSurface(front->backBuffer) : nullptr;
  if (!back) return NoteHostMisuse(), DderrInvalidParams;
  if (Busy()) return DderrWasStillDrawing;
  if (front->lost || back->lost) return DderrSurfaceLost;
  front->pixels.swap(back->pixels);
  return DdOk;
}

int32_t PortColourFill(SurfaceHandle s, int32_t index) {
  Fills += 1;
  HostSurfaceRecord* r = FindHostSurface(s);
  if (!r) return NoteHostMisuse(), DderrInvalidParams;
  if (r->lost) return DderrSurfaceLost;
  std::memset(r->pixels.data(), uint8_t(index), r->pixels.size());
  return DdOk;
}
