// What a song plays and how long it lasts.
#include "tools/music/song.h"

#include "game/media/mds_file.h"
#include "game/media/midi_port.h"

std::vector<SongEvent> PlayedEvents(const Song& song) {
  std::vector<SongEvent> played;
  for (const SongEvent& e : song.events)
    if (e.word >> 24 != MevtNop) played.push_back(e);
  return played;
}

double SongSeconds(const Song& song) {
  uint32_t tempo = 500000, at = 0;
  double seconds = 0;
  auto upTo = [&](uint32_t tick) {
    seconds += (tick - at) * MdsFramesPerTick(song.division, tempo, 1);
    at = tick;
  };
  for (const SongEvent& e : song.events)
    if (e.word >> 24 == MevtTempo && (e.word & 0xFFFFFF)) upTo(e.tick), tempo = e.word & 0xFFFFFF;
  upTo(song.endTick);
  return seconds;
}
