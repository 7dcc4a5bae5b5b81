#include "game/media/sdl2/audio_out.h"

#include <SDL2/SDL.h>

#include "game/media/host/host_midi.h"
#include "game/media/host/host_sound.h"
#include "game/shell/sdl2/native_clock.h"

namespace {
SDL_AudioDeviceID Device = 0;
uint32_t LastTick = 0;
double Owed = 0;
bool Recording = false;
std::vector<int16_t> Recorded;
std::vector<int16_t> Chunk;
int64_t Feeds = 0;
int64_t Underruns = 0;
}  // namespace

int64_t AudioUnderruns() { return Underruns; }

int32_t DrivenFeedFrames(uint32_t elapsed, double& owed) {
  owed += elapsed * (AudioRate / 1000.0);
  int32_t frames = int32_t(owed);
  owed -= frames;
  return frames;
}

int32_t LiveFeedFrames(int32_t queued, int32_t target) { return queued >= target ? 0 : target - queued; }

int32_t OpenAudioOut() {
  LastTick = NativeTickNow();
  Owed = 0;
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return 0;
  SDL_AudioSpec want{};
  want.freq = AudioRate;
  want.format = AUDIO_S16SYS;
  want.channels = 2;
  want.samples = 512;
  Device = SDL_OpenAudioDevice(nullptr, 0, &want, nullptr, 0);  // SDL converts if it must
  if (Device == 0) return 0;
  SDL_PauseAudioDevice(Device, 0);
  return 1;
}

void CloseAudioOut() {
  if (Device) SDL_CloseAudioDevice(Device);
  Device = 0;
}

void RecordAudioOut(bool on) {
  Recording = on;
  Recorded.clear();
}

const std::vector<int16_t>& RecordedAudioOut() { return Recorded; }

void FeedAudio() {
  uint32_t now = NativeTickNow();
  uint32_t elapsed = now - LastTick;
  LastTick = now;
  int32_t frames = 0;
  if (NativeClockDriven() || Device == 0) frames = DrivenFeedFrames(elapsed, Owed);
  else {
    int32_t queued = int32_t(SDL_GetQueuedAudioSize(Device) / 4);
    if (queued == 0 && Feeds++ > 0) Underruns += 1;
    frames = LiveFeedFrames(queued, LiveQueueFrames);
  }
  if (frames <= 0) return;
  Chunk.assign(size_t(frames) * 2, 0);
  HostRenderMidi(Chunk.data(), frames);
  HostMixSound(Chunk.data(), frames, AudioRate);
  if (Device) SDL_QueueAudio(Device, Chunk.data(), uint32_t(Chunk.size() * sizeof(int16_t)));
  if (Recording) Recorded.insert(Recorded.end(), Chunk.begin(), Chunk.end());
}
