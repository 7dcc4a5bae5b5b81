#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "tools/music/song.h"

// Standard MIDI files: format 0 and 1 read into one song (the tracks
// merged by tick, running status followed, tempo changes kept, system
// exclusive messages and other meta events counted and left out), also
// inside a RIFF "RMID" wrapper; and a song written back as format 0.

struct MidiFileFacts {
  int32_t format = 0;
  int32_t tracks = 0;
};

// 1, or 0 with `error` saying what is wrong and where.
int32_t ReadMidiFile(const uint8_t* bytes, size_t size, Song& song, MidiFileFacts& facts, SongDropped& dropped,
                     std::string& error);

// A format 0 file: one track of channel messages and tempo changes, the
// end of track at the song's end. 0 when a gap between two events is
// longer than a MIDI file can say (0x0FFFFFFF ticks).
int32_t WriteMidiFile(const Song& song, std::vector<uint8_t>& out, SongDropped& dropped);
