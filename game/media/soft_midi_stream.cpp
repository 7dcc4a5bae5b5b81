// The stream driver of our own: events in time, buffers handed back.
#include "game/media/soft_midi_stream.h"

#include <cmath>
#include <cstring>
#include <thread>

#include "game/media/mds_file.h"

namespace {
uint32_t Read32(const char* p) {
  const uint8_t* b = reinterpret_cast<const uint8_t*>(p);
  return b[0] | b[1] << 8 | b[2] << 16 | uint32_t(b[3]) << 24;
}

// The synthesizer takes events as a cable would: at most EventsPerSecond
// of played time on average, in bursts of up to EventBurst. A zero-length
// song would otherwise finish buffers forever without time passing, and a
// song of events a fraction of a frame apart would keep the synthesizer
// busy far longer than the sound it makes. What is over the budget waits
// for later frames. Real songs stay well inside it: a MIDI cable carries
// about a thousand messages a second.
constexpr double EventsPerSecond = 8000;
constexpr double EventBurst = 4096;

// The type is the event word's top byte less the callback flag (a driver
// plays such an event and then calls back; the game asks for no callback).
void Dispatch(SoftMidiStream& s, uint32_t event) {
  uint32_t type = (event & ~MevtFCallback) >> 24;
  if (type == MevtShortMsg) SynthShortMessage(s.synth, event & 0xFFFFFF);
  else if (type == MevtTempo && (event & 0xFFFFFF)) s.tempo = event & 0xFFFFFF;
}

double FramesPerTick(const SoftMidiStream& s) { return MdsFramesPerTick(s.timeDivision, s.tempo, s.synth.rate); }

// Hands a finished buffer back with the lock released, for the callback
// may queue it again.
void Finish(SoftMidiStream& s, std::unique_lock<std::mutex>& held, MidiHeader* header) {
  header->flags = (header->flags & ~MhdrInQueue) | MhdrDone;
  s.inCallback += 1;
  held.unlock();
  if (s.callback) s.callback(MomDone, header);
  held.lock();
  s.inCallback -= 1;
}

// Reads the front event's delta once; false when the front buffer is done.
bool FrontDue(SoftMidiStream& s) {
  MidiHeader* h = s.queue.front();
  if (s.offset + 12 > h->bytesRecorded) return false;
  if (s.untilEvent < 0) {
    double wait = Read32(h->data + s.offset) * FramesPerTick(s) + s.carry;
    // A wait that is no number of frames plays the event now: the render
    // loop always moves on.
    s.untilEvent = std::isfinite(wait) && wait > 0 ? wait : 0;
  }
  return true;
}

void RunFrontEvent(SoftMidiStream& s) {
  MidiHeader* h = s.queue.front();
  s.ticks += Read32(h->data + s.offset);
  uint32_t event = Read32(h->data + s.offset + 8);
  s.offset += 12;
  if (event & 0x80000000u) s.offset += ((event & 0xFFFFFF) + 3) & ~3u;  // long: skipped
  else Dispatch(s, event);
  s.carry = s.untilEvent > 0 ? s.untilEvent : 0;  // the part of a frame not yet played
  s.untilEvent = -1;
}
}  // namespace

void SoftMidiInit(SoftMidiStream& s, MidiCallback callback, int32_t rate) {
  s.callback = callback;
  s.queue.clear();
  s.offset = 0;
  s.untilEvent = -1;
  s.carry = 0;
  s.timeDivision = 96;
  s.tempo = 500000;
  s.paused = true;  // a stream opens paused, as midiStreamOpen's does
  s.inCallback = 0;
  s.ticks = 0;
  s.frames = 0;
  s.eventBudget = EventBurst;
  SynthInit(s.synth, rate);
}

uint32_t SoftMidiSetTimeDivision(SoftMidiStream& s, uint32_t timeDivision) {
  if (!MdsTimeFormatValid(timeDivision)) return 11;  // MMSYSERR_INVALPARAM
  std::lock_guard<std::mutex> held(s.lock);
  s.timeDivision = timeDivision;
  return MidiOk;
}

uint32_t SoftMidiOut(SoftMidiStream& s, MidiHeader* header) {
  if (!header || !(header->flags & MhdrPrepared)) return 65;  // MIDIERR_UNPREPARED
  std::lock_guard<std::mutex> held(s.lock);
  header->flags = (header->flags & ~MhdrDone) | MhdrInQueue;
  s.queue.push_back(header);
  return MidiOk;
}

uint32_t SoftMidiRestart(SoftMidiStream& s) {
  std::lock_guard<std::mutex> held(s.lock);
  s.paused = false;
  return MidiOk;
}

uint32_t SoftMidiPause(SoftMidiStream& s) {
  std::lock_guard<std::mutex> held(s.lock);
  s.paused = true;
  SynthAllNotesOff(s.synth);
  return MidiOk;
}

uint32_t SoftMidiReset(SoftMidiStream& s) {
  std::unique_lock<std::mutex> held(s.lock);
  // A buffer being handed back right now could be queued again behind us.
  while (s.inCallback) {
    held.unlock();
    std::this_thread::yield();
    held.lock();
  }
  SynthAllSoundOff(s.synth);
  s.paused = true;
  s.offset = 0;
  s.untilEvent = -1;
  while (!s.queue.empty()) {
    MidiHeader* h = s.queue.front();
    s.queue.pop_front();
    Finish(s, held, h);
  }
  return MidiOk;
}

uint32_t SoftMidiShortMsg(SoftMidiStream& s, uint32_t message) {
  std::lock_guard<std::mutex> held(s.lock);
  SynthShortMessage(s.synth, message);
  return MidiOk;
}

void SoftMidiRender(SoftMidiStream& s, int16_t* out, int32_t frames) {
  std::unique_lock<std::mutex> held(s.lock);
  int32_t done = 0;
  s.eventBudget = std::fmin(EventBurst, s.eventBudget + frames * EventsPerSecond / s.synth.rate);
  while (done < frames) {
    if (s.paused || s.queue.empty() || s.eventBudget < 1) {
      SynthRender(s.synth, out + 2 * done, frames - done);
      break;
    }
    if (!FrontDue(s)) {
      MidiHeader* h = s.queue.front();
      s.queue.pop_front();
      s.offset = 0;
      s.untilEvent = -1;
      s.eventBudget -= 1;
      Finish(s, held, h);
      continue;
    }
    int32_t wait = s.untilEvent > frames - done ? frames - done : int32_t(s.untilEvent);
    if (wait > 0) {
      SynthRender(s.synth, out + 2 * done, wait);
      done += wait;
      s.frames += uint64_t(wait);
      s.untilEvent -= wait;
    }
    if (s.untilEvent < 1.0) {
      RunFrontEvent(s);
      s.eventBudget -= 1;
    }
  }
}

uint64_t SoftMidiTicks(SoftMidiStream& s) {
  std::lock_guard<std::mutex> held(s.lock);
  return s.ticks;
}
