#pragma once
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "game/media/midi_port.h"

// Stage music: a MIDI stream file queued whole and looped by the driver's
// completion callback.

constexpr uint32_t MusicSignature = 0x4953444D;  // "MDSI"
constexpr uint32_t DeadSignature = 0x61746164;   // "data"
constexpr uint32_t MusicClosing = 1, MusicLooping = 2, MusicPaused = 4;
constexpr uint32_t MusicFromFile = 1, MusicFromMemory = 2;
// Music files are a few kilobytes; the limits only keep a broken file from
// asking for the machine.
constexpr size_t MusicFileLimit = 16u << 20;
constexpr uint64_t MusicBlockLimit = 64u << 20;

// Result codes of the lower level.
enum MusicResult : int32_t {
  MusicOk = 0,
  MusicOutOfMemory = 1,
  MusicCannotOpen = 2,
  MusicInvalidFile = 3,
  MusicBadSource = 4,
  MusicMidiFailed = 5,
  MusicInvalidPlayer = 6,
  MusicAlreadyOpen = 7,
};

struct MusicPlayer {
  uint32_t signature;
  uint32_t timeFormat;
  uint32_t maxBuffer;
  uint32_t fileFlags;
  uint8_t* block;  // bufferCount slots of MIDIHDR + maxBuffer bytes
  MidiStream stream;
  std::atomic<uint32_t> state;
  uint32_t bufferCount;
  std::atomic<int32_t> queued;
};

// The current music and whether it plays.
struct CurrentMusic {
  MusicPlayer* player;
  int32_t playing;
};
extern CurrentMusic* Music;
extern std::atomic<int32_t> MusicBusy;
// Players whose stream could not be reset: the driver still holds their
// headers, so their memory is kept, and the reset is tried again whenever
// the music is stopped or replaced.
extern std::vector<MusicPlayer*> AbandonedPlayers;


int32_t PlayMusic(const char* fileName, int32_t start);
void StopMusic();
int32_t PauseMusic();
int32_t ResumeMusic();
void SetMusicVolume(int32_t volume);

int32_t CreateMusicPlayer(const void* source, size_t size, uint32_t sourceFlags, MusicPlayer** player);
int32_t StartMusicPlayer(MusicPlayer* player, int32_t loop);
void MusicCallback(uint32_t message, MidiHeader* header);
// 1 when the stream was closed (or never open), 0 when its reset failed.
int32_t StopMusicPlayer(MusicPlayer* player);
void DestroyMusicPlayer(MusicPlayer* player);
inline MidiHeader* MusicHeader(MusicPlayer* p, uint32_t i) {
  return reinterpret_cast<MidiHeader*>(p->block + size_t(i * (uint64_t(sizeof(MidiHeader)) + p->maxBuffer)));
}

// The music requests in order, for tests and tools (the last few thousand).
enum MusicOp : int32_t { MusicPlay, MusicStop, MusicPause, MusicResume, MusicVolume };
struct MusicRequest {
  MusicOp op;
  int32_t value;  // volume, or the start flag of a play
  const char* file;
};
std::vector<MusicRequest>& MusicRequests();
