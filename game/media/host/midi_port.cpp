// The host MIDI stream: recorded calls over our own stream driver.
#include <atomic>
#include <cstdio>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

#include "game/media/host/host_midi.h"
#include "game/media/midi_port.h"
#include "game/media/mix_levels.h"
#include "game/media/soft_midi_stream.h"

namespace {
std::mutex RecordLock;  // the record is written from the driver's thread too
std::mutex RenderLock;  // a stream is not closed while it plays
std::vector<std::string> Calls;
HostMidiSwitches Switches;
std::map<void*, std::unique_ptr<SoftMidiStream>> Streams;
SoftMidiStream* Latest = nullptr;
std::thread Driver;
std::atomic<bool> DriverRuns{false};

SoftMidiStream* Find(MidiStream stream) {
  std::lock_guard<std::mutex> held(RecordLock);
  auto found = Streams.find(stream);
  return found == Streams.end() ? nullptr : found->second.get();
}
void Note(const std::string& call) {
  std::lock_guard<std::mutex> held(RecordLock);
  Calls.push_back(call);
}
std::map<void*, uintptr_t> Prepared;  // headers prepared per stream
// A header's number in its stream, in the order prepared: kept in the
// header's field for the driver's own use.
std::string Index(const MidiHeader* h) { return std::to_string(h->reserved); }
std::string Hex(uint32_t v) {
  char text[16];
  std::snprintf(text, sizeof text, "%06X", v);
  return text;
}
// The callback sees what the driver hands back; the record notes it first.
MidiCallback Forward = nullptr;
void Returned(uint32_t message, MidiHeader* header) {
  if (message == MomDone) Note("done " + Index(header));
  if (Forward) Forward(message, header);
}
}  // namespace

std::vector<std::string> HostMidiCalls() {
  std::lock_guard<std::mutex> held(RecordLock);
  return Calls;
}
void HostClearMidiCalls() {
  std::lock_guard<std::mutex> held(RecordLock);
  Calls.clear();
}
HostMidiSwitches& HostMidi() { return Switches; }
int32_t HostOpenMidiStreams() {
  std::lock_guard<std::mutex> held(RecordLock);
  return int32_t(Streams.size());
}

void HostResetMidi() {
  std::lock_guard<std::mutex> render(RenderLock);
  std::lock_guard<std::mutex> held(RecordLock);
  Streams.clear();
  Prepared.clear();
  Latest = nullptr;
  Calls.clear();
  Switches = HostMidiSwitches{};
}

void HostRenderMidi(int16_t* out, int32_t frames) {
  std::lock_guard<std::mutex> render(RenderLock);
  std::vector<SoftMidiStream*> open;
  {
    std::lock_guard<std::mutex> held(RecordLock);
    for (auto& entry : Streams) open.push_back(entry.second.get());
  }
  // The music at the level it has on Windows beside the effects.
  std::vector<int16_t> music(size_t(frames) * 2, 0);
  for (SoftMidiStream* s : open) SoftMidiRender(*s, music.data(), frames);
  if (out)
    for (size_t i = 0; i < music.size(); ++i) out[i] = SoftLimit(out[i] + AtMusicLevel(music[i]));
}

void HostStartMidiDriver() {
  if (DriverRuns.exchange(true)) return;
  Driver = std::thread([] {
    while (DriverRuns.load()) {
      HostRenderMidi(nullptr, 512);
      std::this_thread::yield();
    }
  });
}
void HostStopMidiDriver() {
  if (!DriverRuns.exchange(false)) return;
  Driver.join();
}

uint64_t HostMidiTicks() {
  std::lock_guard<std::mutex> render(RenderLock);
  return Latest ? SoftMidiTicks(*Latest) : 0;
}

uint32_t PortMidiStreamOpen(MidiStream* stream, MidiCallback callback) {
  Note("open");
  *stream = nullptr;
  if (Switches.openResult) return Switches.openResult;
  auto made = std::make_unique<SoftMidiStream>();
  Forward = callback;
  SoftMidiInit(*made, Returned, HostMidiRate);
  std::lock_guard<std::mutex> held(RecordLock);
  *stream = made.get();
  Latest = made.get();
  Streams[made.get()] = std::move(made);
  return MidiOk;
}
uint32_t PortMidiSetTimeDivision(MidiStream stream, uint32_t timeDivision) {
  Note("timediv " + std::to_string(timeDivision));
  SoftMidiStream* s = Find(stream);
  return s ? SoftMidiSetTimeDivision(*s, timeDivision) : 5;  // MMSYSERR_INVALHANDLE
}
uint32_t PortMidiPrepareHeader(MidiStream stream, MidiHeader* header) {
  header->flags |= MhdrPrepared;
  {
    std::lock_guard<std::mutex> held(RecordLock);
    header->reserved = Prepared[stream]++;
  }
  Note("prepare " + Index(header));
  return MidiOk;
}
uint32_t PortMidiUnprepareHeader(MidiStream, MidiHeader* header) {
  Note("unprepare " + Index(header));
  if (Switches.unprepareResult) return Switches.unprepareResult;
  if (header->flags & MhdrInQueue) return 65 + 4;  // MIDIERR_STILLPLAYING
  header->flags &= ~MhdrPrepared;
  return MidiOk;
}
uint32_t PortMidiStreamOut(MidiStream stream, MidiHeader* header) {
  Note("out " + Index(header));
  if (Switches.outResult) return Switches.outResult;
  SoftMidiStream* s = Find(stream);
  return s ? SoftMidiOut(*s, header) : 5;
}
uint32_t PortMidiStreamRestart(MidiStream stream) {
  Note("restart");
  if (Switches.restartResult) return Switches.restartResult;
  SoftMidiStream* s = Find(stream);
  return s ? SoftMidiRestart(*s) : 5;
}
uint32_t PortMidiStreamPause(MidiStream stream) {
  Note("pause");
  if (Switches.pauseResult) return Switches.pauseResult;
  SoftMidiStream* s = Find(stream);
  return s ? SoftMidiPause(*s) : 5;
}
uint32_t PortMidiOutReset(MidiStream stream) {
  Note("reset");
  if (Switches.resetResult) return Switches.resetResult;
  SoftMidiStream* s = Find(stream);
  return s ? SoftMidiReset(*s) : 5;
}
uint32_t PortMidiStreamClose(MidiStream stream) {
  Note("close");
  if (Switches.closeResult) return Switches.closeResult;
  std::lock_guard<std::mutex> render(RenderLock);
  std::lock_guard<std::mutex> held(RecordLock);
  auto found = Streams.find(stream);
  if (found == Streams.end()) return 5;
  if (!found->second->queue.empty()) return 65 + 4;  // buffers still queued
  if (Latest == found->second.get()) Latest = nullptr;
  Streams.erase(found);
  Prepared.erase(stream);
  return MidiOk;
}
uint32_t PortMidiOutShortMsg(MidiStream stream, uint32_t message) {
  Note("short " + Hex(message));
  SoftMidiStream* s = Find(stream);
  return s ? SoftMidiShortMsg(*s, message) : 5;
}
