#pragma once
#include <cstdint>
#include <string>
#include <vector>

// A song as zarvel-music handles it between its file formats: the events
// of a MIDI stream in playing order, each at its absolute tick.

struct SongEvent {
  uint32_t tick;
  // A stream event word: MevtShortMsg << 24 | status | data1 << 8 |
  // data2 << 16, MevtTempo << 24 | microseconds a quarter, or MevtNop.
  uint32_t word;
};

struct Song {
  uint32_t division = 96;  // the time format of the stream (see MdsFramesPerTick)
  uint32_t endTick = 0;    // where the song ends (and loops), at or after the last event
  std::vector<SongEvent> events;
};

// What was left out on the way, for the tool to say.
struct SongDropped {
  int32_t sysEx = 0;      // system exclusive messages
  int32_t metas = 0;      // meta events other than tempo and end of track
  int32_t longEvents = 0;  // a stream file's long events
  int32_t other = 0;      // stream events that are no channel message or tempo
};

// Data bytes of a channel message by its status (0x80..0xEF): 1 or 2.
inline int32_t ChannelDataBytes(uint8_t status) { return (status & 0xE0) == 0xC0 ? 1 : 2; }

// The short messages and tempo changes of `song`, ignoring NOPs: what
// plays, tick by tick.
std::vector<SongEvent> PlayedEvents(const Song& song);

// The song's length in seconds, through its tempo changes.
double SongSeconds(const Song& song);
