#pragma once
#include <cstdint>

#include "game/media/sound_port.h"

enum SoundId : int32_t {
  SoundBoon = 0,
  SoundShipExplosion = 1,
  SoundKin = 2,
  SoundKin2 = 3,
  SoundDamage = 4,
  SoundShot1 = 5,
  SoundShot2 = 6,
  SoundShot3 = 7,
  SoundShot4 = 8,
  SoundShot5 = 9,
  SoundFlash = 10,
  SoundCount = 11,
};

// The effect files, by SoundId.
extern const char* const SoundFiles[SoundCount];

// The bank: one static DirectSound buffer per effect.
struct SoundBankState {
  SoundDevice device;
  SoundBuffer buffers[SoundCount];
  int32_t pans[SoundCount];  // last pan given to each buffer
};
extern SoundBankState SoundBank;
extern int32_t SoundDisabled;

// Start-up and shutdown, on the main thread. The window is the program's
// main window (an HWND on Windows), for DirectSound's cooperative level.
int32_t InitSound(void* window);
void ReleaseSound();

// Starts effect `id` from its beginning, from where the sounding object is:
// pan = its screen x * 8 - 2560 (0 in the middle). reserved is always 0.
int32_t PlaySound(int32_t id, int32_t pan, int32_t reserved);

SoundBuffer CreateSoundFromWave(SoundDevice device, const char* name);
int32_t ReloadSoundFromWave(SoundBuffer buffer, const char* name);

// How often each effect was asked for since start-up (tests and tools).
extern int32_t SoundRequests[SoundCount];
