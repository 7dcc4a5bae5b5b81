#pragma once
#include <cstdint>
#include <vector>

int32_t PlayMusic(const char* fileName, int32_t start);
void StopMusic();
void PauseMusic();
void ResumeMusic();
void SetMusicVolume(int32_t volume);

// The music requests in order, for tests and tools.
enum MusicOp : int32_t { MusicPlay, MusicStop, MusicPause, MusicResume, MusicVolume };
struct MusicRequest {
  MusicOp op;
  int32_t value;  // volume, or the start flag of a play
  const char* file;
};
std::vector<MusicRequest>& MusicRequests();
