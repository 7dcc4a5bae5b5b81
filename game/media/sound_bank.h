#pragma once
#include <cstdint>

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

// Start-up and shutdown, on the main thread. The window is the program's
// main window (an HWND on Windows), for DirectSound's cooperative level.
int32_t InitSound(void* window);
void ReleaseSound();

// pan and reserved are passed by the callers and not used.
int32_t PlaySound(int32_t id, int32_t pan, int32_t reserved);

// How often each effect was asked for since start-up (tests and tools).
extern int32_t SoundRequests[SoundCount];
