// zarvel-music: a MIDI file becomes a stage song, and back; how a song
// sounds through the game's synthesizer; what a song holds.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "tools/music/song_import.h"
#include "tools/music/song_info.h"
#include "tools/music/song_render.h"
#include "tools/sim/sim_audio.h"

namespace {
const char Usage[] =
    "usage: zarvel-music import SONG.mid OUT.mds\n"
    "       zarvel-music export IN.mds OUT.mid\n"
    "       zarvel-music render IN.mid|IN.mds OUT.wav [--seconds N]\n"
    "       zarvel-music info IN.mid|IN.mds\n"
    "A MIDI file (format 0 or 1) becomes a MIDI stream file the game plays as\n"
    "a stage song (Fighters.mds: stage 1; sadness.mds: stages 2 and 3).\n";

int Fail(const std::string& message) {
  std::fprintf(stderr, "zarvel-music: %s\n", message.c_str());
  return 1;
}

bool ReadAll(const std::string& path, std::vector<uint8_t>& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

bool WriteAll(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  return bool(out.flush());
}

std::string Dropped(const SongDropped& d) {
  std::string text;
  if (d.sysEx) text += ", " + std::to_string(d.sysEx) + " system exclusive message(s) left out";
  if (d.metas) text += ", " + std::to_string(d.metas) + " meta event(s) left out";
  if (d.longEvents + d.other) text += ", " + std::to_string(d.longEvents + d.other) + " other event(s) left out";
  return text;
}

int Import(const std::string& in, const std::string& out) {
  std::vector<uint8_t> bytes;
  if (!ReadAll(in, bytes)) return Fail("cannot read '" + in + "'");
  ImportedSong song;
  std::string error;
  if (!ImportMidi(bytes.data(), bytes.size(), song, error)) return Fail(in + ": " + error);
  if (!WriteAll(out, song.mds)) return Fail("cannot write '" + out + "'");
  double seconds = SongSeconds(song.song);
  std::printf("%s: format %d, %d track(s), %zu events, %.1f s%s\n", in.c_str(), song.facts.format,
              song.facts.tracks, song.song.events.size(), seconds, Dropped(song.dropped).c_str());
  std::printf("%s: %zu bytes, checked by the game's own loader\n", out.c_str(), song.mds.size());
  return 0;
}

int Export(const std::string& in, const std::string& out) {
  std::vector<uint8_t> bytes, mid;
  if (!ReadAll(in, bytes)) return Fail("cannot read '" + in + "'");
  LoadedSong song;
  std::string error;
  if (!LoadSong(bytes, song, error)) return Fail(in + ": " + error);
  if (!WriteMidiFile(song.song, mid, song.dropped)) return Fail(in + ": a pause too long for a MIDI file");
  if (!WriteAll(out, mid)) return Fail("cannot write '" + out + "'");
  std::printf("%s: format 0, %zu bytes%s\n", out.c_str(), mid.size(), Dropped(song.dropped).c_str());
  return 0;
}

int Render(const std::string& in, const std::string& out, double seconds) {
  std::vector<uint8_t> bytes;
  if (!ReadAll(in, bytes)) return Fail("cannot read '" + in + "'");
  LoadedSong song;
  std::string error;
  if (!LoadSong(bytes, song, error)) return Fail(in + ": " + error);
  std::vector<int16_t> samples;
  if (!RenderMds(song.mds, seconds, samples)) return Fail(in + ": the game's loader refuses it");
  std::vector<uint8_t> wave = StereoWaveImage(samples, SongRenderRate);
  if (!WriteAll(out, wave)) return Fail("cannot write '" + out + "'");
  std::printf("%s: %.1f s at %d Hz\n", out.c_str(), double(samples.size()) / 2 / SongRenderRate, SongRenderRate);
  return 0;
}

int Info(const std::string& in) {
  std::vector<uint8_t> bytes;
  if (!ReadAll(in, bytes)) return Fail("cannot read '" + in + "'");
  LoadedSong song;
  std::string error;
  if (!LoadSong(bytes, song, error)) return Fail(in + ": " + error);
  std::fputs(SongInfo(song.song, song.facts, song.dropped).c_str(), stdout);
  return 0;
}
}  // namespace

int main(int argc, char** argv) {
  std::string command = argc > 1 ? argv[1] : "";
  if (command == "import" && argc == 4) return Import(argv[2], argv[3]);
  if (command == "export" && argc == 4) return Export(argv[2], argv[3]);
  if (command == "info" && argc == 3) return Info(argv[2]);
  if (command == "render" && (argc == 4 || argc == 6)) {
    double seconds = 0;
    if (argc == 6) {
      char* end = nullptr;
      seconds = std::strtod(argv[5], &end);
      if (std::string(argv[4]) != "--seconds" || *end || !(seconds > 0 && seconds <= 3600))
        return Fail("--seconds takes a number of seconds from 0 to 3600");
    }
    return Render(argv[2], argv[3], seconds);
  }
  bool help = command == "--help" || command == "-h";
  std::fputs(Usage, help ? stdout : stderr);
  return help ? 0 : 2;
}
