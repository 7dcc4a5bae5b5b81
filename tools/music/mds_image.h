#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "tools/music/song.h"

// Songs as MIDI stream files. The events are stored without stream id (8
// bytes each), and the player gives each one back its id as it loads the
// file (12 bytes each): a buffer is cut where its events, so grown, would
// no longer fit the maximum buffer size.

constexpr uint32_t SongBufferBytes = 4092;  // 341 events a buffer as played

// The stream file of `song`; a song that ends after its last event gets a
// NOP at its end, so that the loop keeps the beat.
std::vector<uint8_t> MdsImageOf(const Song& song, uint32_t maxBuffer = SongBufferBytes);

// A stream file read through the game's own loader (CreateMusicPlayer):
// MusicOk, or the loader's code. Buffers and maximum size as the file says.
struct MdsFacts {
  uint32_t buffers = 0;
  uint32_t maxBuffer = 0;
  uint32_t flags = 0;
};
int32_t SongFromMds(const uint8_t* image, size_t size, Song& song, MdsFacts& facts, SongDropped& dropped);
