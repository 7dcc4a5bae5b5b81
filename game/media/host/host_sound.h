#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The host DirectSound: memory buffers, a record of every call, a mixer of
// what plays, and switches that make calls fail.

// "create device", "cooperative", "create N" (N: buffer number, or
// "create primary"), "lock N", "unlock N", "position N 0", "play N",
// "stop N", "restore N", "pan N P", "volume N V", "release N", "addref device",
// "release device".
const std::vector<std::string>& HostSoundCalls();
void HostClearSoundCalls();

struct HostSoundSwitches {
  int32_t failCreate = 0;      // DirectSoundCreate fails
  int32_t failCooperative = 0; // SetCooperativeLevel fails
  int32_t failBuffers = 0;     // CreateSoundBuffer fails
  int32_t failLock = 0;        // Lock fails
  int32_t playResult = 0;      // Play returns this (0: plays)
  int32_t lostPlays = 0;       // so many Plays return DSERR_BUFFERLOST first
  int32_t failRestore = 0;     // Restore fails
  int32_t lost = 0;            // every buffer is lost: Lock and Play fail, GetStatus says so, until a Restore
};
HostSoundSwitches& HostSound();

// Everything released and forgotten, switches back to normal.
void HostResetSound();
int32_t HostLiveSoundBuffers();
// The buffer's number in the record (0 for the first made), -1 for none.
int32_t HostSoundBufferNumber(void* buffer);
// Bytes of a buffer as filled, and its play position in bytes.
const std::vector<uint8_t>& HostSoundBufferBytes(void* buffer);
uint32_t HostSoundBufferPosition(void* buffer);
bool HostSoundBufferPlaying(void* buffer);
int32_t HostSoundBufferPan(void* buffer);

// Adds every playing buffer to `mix` (stereo frames in sample units, with
// no limiter, as DirectSound sums them) and moves them on.
void HostMixEffects(float* mix, int32_t frames, int32_t rate);
// Mixes every playing one-shot buffer into `frames` stereo 16-bit frames at
// `rate` (added to what `out` holds, through SoftLimit) and moves them on.
void HostMixSound(int16_t* out, int32_t frames, int32_t rate);
