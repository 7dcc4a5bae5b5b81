// The MIDI stream player: the whole song queued at once, looped by
// re-queueing every finished buffer from the driver's callback.
#include "game/media/music_player.h"

#include <cstdlib>
#include <cstring>

#include "game/media/bitmap_port.h"
#include "game/media/mds_file.h"
#include "game/shell/system_port.h"

CurrentMusic* Music = nullptr;
std::atomic<int32_t> MusicBusy{0};
std::vector<MusicPlayer*> AbandonedPlayers;

namespace {

void Record(MusicOp op, int32_t value, const char* file) {
  std::vector<MusicRequest>& requests = MusicRequests();
  if (requests.size() >= 4096) requests.erase(requests.begin(), requests.begin() + 2048);
  requests.push_back({op, value, file});
}

int32_t Parse(MusicPlayer* p, const uint8_t* image, size_t size) {
  MdsHeader h;
  if (!ParseMdsHeader(image, size, h)) return MusicInvalidFile;
  // Every buffer needs its 8-byte header in the file.
  if (h.bufferCount > (size - h.firstBuffer) / 8) return MusicInvalidFile;
  p->timeFormat = h.timeFormat;
  p->maxBuffer = h.maxBuffer;
  p->fileFlags = h.flags;
  uint64_t bytes = uint64_t(h.bufferCount) * MdsSlotSize(h.maxBuffer);
  if (bytes > MusicBlockLimit) return MusicOutOfMemory;
  p->block = static_cast<uint8_t*>(std::calloc(bytes ? size_t(bytes) : 1, 1));
  if (!p->block) return MusicOutOfMemory;
  p->bufferCount = h.bufferCount;
  if (!FillMdsBuffers(image, size, h, p->block, reinterpret_cast<uintptr_t>(p))) {
    std::free(p->block);
    p->block = nullptr;
    p->bufferCount = 0;
    return MusicInvalidFile;
  }
  return MusicOk;
}

// Resets the stream; the driver hands back every buffer and the closing bit
// keeps the callback from queueing them again. Unless the reset, every
// unprepare and the close all succeed the driver may still hold a header:
// 0, and the stream stays open to be tried again.
int32_t CloseStream(MusicPlayer* p) {
  p->state |= MusicClosing;
  bool released = PortMidiOutReset(p->stream) == MidiOk;
  for (uint32_t i = 0; released && i < p->bufferCount; ++i)
    released = PortMidiUnprepareHeader(p->stream, MusicHeader(p, i)) == MidiOk;
  if (released) released = PortMidiStreamClose(p->stream) == MidiOk;
  if (!released) {
    p->state &= ~MusicClosing;
    return 0;
  }
  p->stream = nullptr;
  p->state = 0;
  return 1;
}

// Clears and sets state bits in one step: a buffer finishing in between
// never sees the looping bit gone.
void ChangeState(MusicPlayer* p, uint32_t clear, uint32_t set) {
  uint32_t was = p->state.load();
  while (!p->state.compare_exchange_weak(was, (was & ~clear) | set)) {
  }
}

uint32_t OpenAndQueue(MusicPlayer* p) {
  uint32_t result = PortMidiStreamOpen(&p->stream, MusicCallback);
  if (result != MidiOk) {
    p->stream = nullptr;
    return result;
  }
  result = PortMidiSetTimeDivision(p->stream, p->timeFormat);
  for (uint32_t i = 0; result == MidiOk && i < p->bufferCount; ++i) {
    result = PortMidiPrepareHeader(p->stream, MusicHeader(p, i));
    if (result == MidiOk) result = PortMidiStreamOut(p->stream, MusicHeader(p, i));
    if (result == MidiOk) p->queued += 1;
  }
  return result;
}

void FreeCurrent() {
  DestroyMusicPlayer(Music->player);
  delete Music;
  Music = nullptr;
}

// A stream whose reset failed earlier may reset now; then its player goes.
void RetryAbandoned() {
  for (size_t i = 0; i < AbandonedPlayers.size();) {
    MusicPlayer* p = AbandonedPlayers[i];
    if (!CloseStream(p)) {
      ++i;
      continue;
    }
    std::free(p->block);
    delete p;
    AbandonedPlayers.erase(AbandonedPlayers.begin() + long(i));
  }
}

// PlayMusic and StopMusic tear the current player down under the busy flag.
void TearDownCurrent() {
  RetryAbandoned();
  while (Music && MusicBusy.load()) PortSleep(10);
  if (!Music) return;
  MusicBusy.exchange(1);
  FreeCurrent();
  MusicBusy.exchange(0);
}
}  // namespace

std::vector<MusicRequest>& MusicRequests() {
  static std::vector<MusicRequest> requests;
  return requests;
}

int32_t CreateMusicPlayer(const void* source, size_t size, uint32_t sourceFlags, MusicPlayer** out) {
  *out = nullptr;
  uint32_t kind = sourceFlags & 3;
  if (kind != MusicFromFile && kind != MusicFromMemory) return MusicBadSource;
  MusicPlayer* p = new MusicPlayer{};
  p->signature = MusicSignature;
  int32_t result;
  if (kind == MusicFromFile) {
    std::vector<uint8_t> bytes;
    if (!PortReadDataFile(static_cast<const char*>(source), MusicFileLimit, bytes)) result = MusicCannotOpen;
    else result = Parse(p, bytes.data(), bytes.size());
  } else {
    result = source ? Parse(p, static_cast<const uint8_t*>(source), size) : MusicInvalidFile;
  }
  if (result != MusicOk) {
    std::free(p->block);
    delete p;
    return result;
  }
  *out = p;
  return MusicOk;
}

int32_t StartMusicPlayer(MusicPlayer* p, int32_t loop) {
  if (!p || p->signature != MusicSignature) return MusicInvalidPlayer;
  bool opened = false;
  uint32_t result = MidiOk;
  if (p->stream && !(p->state & MusicPaused)) return MusicAlreadyOpen;
  if (!p->stream) {
    opened = true;
    result = OpenAndQueue(p);
  }
  if (result == MidiOk) {
    ChangeState(p, MusicLooping | MusicPaused, loop ? MusicLooping : 0);
    result = PortMidiStreamRestart(p->stream);
  }
  if (result == MidiOk) return MusicOk;
  if (opened && p->stream) CloseStream(p);
  return MusicMidiFailed;
}

void MusicCallback(uint32_t message, MidiHeader* header) {
  if (message != MomDone || !header) return;
  MusicPlayer* p = reinterpret_cast<MusicPlayer*>(header->user);
  uint32_t state = p->state.load();
  if ((state & MusicLooping) && !(state & MusicClosing) && PortMidiStreamOut(p->stream, header) == MidiOk)
    return;
  p->queued -= 1;
}

int32_t StopMusicPlayer(MusicPlayer* p) {
  if (p->signature != MusicSignature || !p->stream) return 1;
  return CloseStream(p);
}

void DestroyMusicPlayer(MusicPlayer* p) {
  if (!p) return;
  int32_t closed = StopMusicPlayer(p);
  p->signature = DeadSignature;
  if (!closed) {
    // The driver still holds the headers: never free what it may write to.
    // Without the looping bit it hands them back for good.
    p->state &= ~MusicLooping;
    AbandonedPlayers.push_back(p);
    return;
  }
  std::free(p->block);
  delete p;
}

int32_t PlayMusic(const char* fileName, int32_t start) {
  Record(MusicPlay, start, fileName);
  TearDownCurrent();
  Music = new CurrentMusic{nullptr, 0};
  if (CreateMusicPlayer(fileName, 0, MusicFromFile, &Music->player) != MusicOk) {
    delete Music;
    Music = nullptr;
    return 0;
  }
  Music->playing = 0;
  if (!start) return 1;
  if (StartMusicPlayer(Music->player, 1) != MusicOk) {
    FreeCurrent();
    return 0;
  }
  Music->playing = 1;
  return 1;
}

void StopMusic() {
  Record(MusicStop, 0, nullptr);
  TearDownCurrent();
}

int32_t PauseMusic() {
  Record(MusicPause, 0, nullptr);
  if (!Music) return MusicOk;
  MusicPlayer* p = Music->player;
  if (p->signature != MusicSignature) return MusicInvalidPlayer;
  if (!p->stream) return MusicAlreadyOpen;
  if (!(p->state & MusicPaused)) {
    if (PortMidiStreamPause(p->stream) != MidiOk) return MusicMidiFailed;
    p->state |= MusicPaused;
  }
  Music->playing = 0;
  return MusicOk;
}

int32_t ResumeMusic() {
  Record(MusicResume, 0, nullptr);
  if (!Music) return MusicOk;
  int32_t result = StartMusicPlayer(Music->player, 1);
  if (result == MusicOk) Music->playing = 1;
  return result;
}

void SetMusicVolume(int32_t volume) {
  Record(MusicVolume, volume, nullptr);
  if (!Music || !Music->player->stream) return;
  if (volume > 127) volume = 127;
  if (volume < 0) volume = 0;  // a negative value would spill into the status byte
  for (uint32_t channel = 0; channel < 16; ++channel)
    PortMidiOutShortMsg(Music->player->stream, (0xB0 + channel) | 7u << 8 | uint32_t(volume) << 16);
}
