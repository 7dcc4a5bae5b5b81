#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "tools/music/mds_image.h"
#include "tools/music/midi_file.h"

// A standard MIDI file made into a stream file the game plays, and
// checked by loading it back through the game's own loader.
struct ImportedSong {
  Song song;
  MidiFileFacts facts;
  SongDropped dropped;
  std::vector<uint8_t> mds;
};
int32_t ImportMidi(const uint8_t* bytes, size_t size, ImportedSong& out, std::string& error);

// Either kind of file as a song: a MIDI file imported, a stream file
// loaded. 1, or 0 with `error`.
struct LoadedSong {
  Song song;
  MdsFacts facts;
  SongDropped dropped;
  std::vector<uint8_t> mds;  // the stream file as the game would load it
};
int32_t LoadSong(const std::vector<uint8_t>& file, LoadedSong& out, std::string& error);
