// A stream file through the stream driver and synthesizer, off line.
#include "tools/music/song_render.h"

#include <algorithm>
#include <memory>

#include "game/media/music_player.h"
#include "game/media/soft_midi_stream.h"
#include "tools/music/mds_image.h"

int32_t RenderMds(const std::vector<uint8_t>& mds, double seconds, std::vector<int16_t>& out) {
  Song song;
  MdsFacts facts;
  SongDropped dropped;
  if (SongFromMds(mds.data(), mds.size(), song, facts, dropped) != MusicOk) return 0;
  if (seconds <= 0) seconds = SongSeconds(song) + 2;
  MusicPlayer* p = nullptr;
  if (CreateMusicPlayer(mds.data(), mds.size(), MusicFromMemory, &p) != MusicOk) return 0;
  auto stream = std::make_unique<SoftMidiStream>();
  SoftMidiInit(*stream, nullptr, SongRenderRate);
  SoftMidiSetTimeDivision(*stream, p->timeFormat);
  for (uint32_t channel = 0; channel < 16; ++channel) SoftMidiShortMsg(*stream, 0xB0 | channel | 7 << 8 | 127 << 16);
  for (uint32_t i = 0; i < p->bufferCount; ++i) {
    MusicHeader(p, i)->flags |= MhdrPrepared;
    SoftMidiOut(*stream, MusicHeader(p, i));
  }
  SoftMidiRestart(*stream);
  size_t frames = size_t(seconds * SongRenderRate);
  out.assign(frames * 2, 0);
  constexpr int32_t Chunk = 512;
  for (size_t at = 0; at < frames; at += Chunk)
    SoftMidiRender(*stream, &out[at * 2], int32_t(std::min<size_t>(Chunk, frames - at)));
  stream.reset();
  DestroyMusicPlayer(p);
  return 1;
}
