#pragma once
#include <string>

#include "tools/music/mds_image.h"

// What `zarvel-music info` prints: division, tempo, events, buffers,
// length, channels and programs.
std::string SongInfo(const Song& song, const MdsFacts& facts, const SongDropped& dropped);
