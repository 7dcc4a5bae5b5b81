#include "game/media/web/web_audio.h"

#include <emscripten.h>

#include <vector>

#include "game/media/host/host_midi.h"
#include "game/media/host/host_sound.h"
#include "game/shell/sdl2/native_clock.h"

namespace {
uint32_t LastTick = 0;
double Owed = 0;
std::vector<int16_t> Chunk;

// Frames handed over and not yet played; -1 while the page plays no sound.
EM_JS(int32_t, QueuedSound, (), { return ZarvelPage.queuedSound(); });
EM_JS(void, HandSound, (const int16_t* samples, int32_t frames), {
  ZarvelPage.handSound(HEAP16.subarray(samples >> 1, (samples >> 1) + frames * 2));
});
}  // namespace

void StartWebAudio() {
  LastTick = NativeTickNow();
  Owed = 0;
}

void FeedWebAudio() {
  uint32_t now = NativeTickNow();
  uint32_t elapsed = now - LastTick;
  LastTick = now;
  int32_t queued = NativeClockDriven() ? -1 : QueuedSound();
  int32_t frames = WebQueueFrames - queued;  // live: the queue topped up
  if (queued < 0) {  // the milliseconds passed, as the simulator's recording counts them
    Owed += elapsed * (WebAudioRate / 1000.0);
    frames = int32_t(Owed);
    Owed -= frames;
  }
  if (frames <= 0) return;
  Chunk.assign(size_t(frames) * 2, 0);
  HostRenderMidi(Chunk.data(), frames);
  HostMixSound(Chunk.data(), frames, WebAudioRate);
  HandSound(Chunk.data(), frames);
}
