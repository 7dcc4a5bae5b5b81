// MIDI files into stream files, checked against the game's own loader.
#include "tools/music/song_import.h"

#include <cstring>

#include "game/media/music_player.h"

namespace {
bool SameEvents(const std::vector<SongEvent>& a, const std::vector<SongEvent>& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (a[i].tick != b[i].tick || a[i].word != b[i].word) return false;
  return true;
}

const char* LoaderError(int32_t code) {
  switch (code) {
    case MusicOutOfMemory: return "too large for the game's player";
    case MusicInvalidFile: return "not a valid MIDI stream file";
    default: return "refused by the game's loader";
  }
}
}  // namespace

int32_t ImportMidi(const uint8_t* bytes, size_t size, ImportedSong& out, std::string& error) {
  out = ImportedSong{};
  if (!ReadMidiFile(bytes, size, out.song, out.facts, out.dropped, error)) return 0;
  out.mds = MdsImageOf(out.song);
  if (out.mds.size() > MusicFileLimit) {
    error = "the stream file would be " + std::to_string(out.mds.size() >> 20) + " MiB, larger than the game reads";
    return 0;
  }
  Song back;
  MdsFacts facts;
  SongDropped dropped;
  int32_t code = SongFromMds(out.mds.data(), out.mds.size(), back, facts, dropped);
  if (code != MusicOk) {
    error = std::string("the stream file made is ") + LoaderError(code);
    return 0;
  }
  if (!SameEvents(PlayedEvents(back), PlayedEvents(out.song)) || back.endTick != out.song.endTick) {
    error = "the game's loader reads the stream file made differently";
    return 0;
  }
  return 1;
}

int32_t LoadSong(const std::vector<uint8_t>& file, LoadedSong& out, std::string& error) {
  out = LoadedSong{};
  if (file.size() >= 12 && std::memcmp(file.data(), "RIFF", 4) == 0 && std::memcmp(file.data() + 8, "MIDS", 4) == 0) {
    int32_t code = SongFromMds(file.data(), file.size(), out.song, out.facts, out.dropped);
    if (code != MusicOk) {
      error = LoaderError(code);
      return 0;
    }
    out.mds = file;
    return 1;
  }
  ImportedSong imported;
  if (!ImportMidi(file.data(), file.size(), imported, error)) return 0;
  out.mds = std::move(imported.mds);
  out.dropped = imported.dropped;
  return SongFromMds(out.mds.data(), out.mds.size(), out.song, out.facts, out.dropped) == MusicOk;
}
