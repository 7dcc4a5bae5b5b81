#include "game/media/sound_bank.h"

int32_t SoundRequests[SoundCount];

// First cut: counts the requests; the DirectSound buffers come later.
int32_t PlaySound(int32_t id, int32_t, int32_t) {
  if (id < 0 || id >= SoundCount) return 0;
  SoundRequests[id] += 1;
  return 1;
}

int32_t InitSound(void*) { return 1; }
void ReleaseSound() {}
