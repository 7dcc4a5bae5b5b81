#include "game/media/music_player.h"

// First cut: records what the game asks of the music; the MIDI stream
// player comes later and keeps these entry points.
std::vector<MusicRequest>& MusicRequests() {
  static std::vector<MusicRequest> requests;
  return requests;
}

int32_t PlayMusic(const char* fileName, int32_t start) {
  MusicRequests().push_back({MusicPlay, start, fileName});
  return 1;
}

void StopMusic() { MusicRequests().push_back({MusicStop, 0, nullptr}); }
void PauseMusic() { MusicRequests().push_back({MusicPause, 0, nullptr}); }
void ResumeMusic() { MusicRequests().push_back({MusicResume, 0, nullptr}); }
void SetMusicVolume(int32_t volume) { MusicRequests().push_back({MusicVolume, volume, nullptr}); }
