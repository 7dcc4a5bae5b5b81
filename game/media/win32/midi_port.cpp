// WINMM's MIDI stream on the mapper, or our own synthesizer where Windows
// has no MIDI output (no device, or the mapper will not open).
#include "game/media/midi_port.h"

#include <windows.h>
#include <mmsystem.h>

#include <cstddef>

#include "game/media/soft_midi_stream.h"
#include "game/media/win32/synth_back_end.h"

static_assert(sizeof(MidiHeader) == sizeof(MIDIHDR), "MidiHeader mirrors MIDIHDR");
static_assert(offsetof(MidiHeader, user) == offsetof(MIDIHDR, dwUser), "MidiHeader mirrors MIDIHDR");
static_assert(offsetof(MidiHeader, flags) == offsetof(MIDIHDR, dwFlags), "MidiHeader mirrors MIDIHDR");
static_assert(offsetof(MidiHeader, offset) == offsetof(MIDIHDR, dwOffset), "MidiHeader mirrors MIDIHDR");

namespace {
// winmm.dll is loaded when the music first starts; the game needs ten of
// its calls.
struct Winmm {
  UINT(WINAPI* outGetNumDevs)();
  MMRESULT(WINAPI* streamOpen)(LPHMIDISTRM, LPUINT, DWORD, DWORD_PTR, DWORD_PTR, DWORD);
  MMRESULT(WINAPI* streamProperty)(HMIDISTRM, LPBYTE, DWORD);
  MMRESULT(WINAPI* prepare)(HMIDIOUT, LPMIDIHDR, UINT);
  MMRESULT(WINAPI* unprepare)(HMIDIOUT, LPMIDIHDR, UINT);
  MMRESULT(WINAPI* streamOut)(HMIDISTRM, LPMIDIHDR, UINT);
  MMRESULT(WINAPI* restart)(HMIDISTRM);
  MMRESULT(WINAPI* pause)(HMIDISTRM);
  MMRESULT(WINAPI* reset)(HMIDIOUT);
  MMRESULT(WINAPI* close)(HMIDISTRM);
  MMRESULT(WINAPI* shortMsg)(HMIDIOUT, DWORD);
};

template <typename F>
void Bind(HMODULE module, const char* name, F& f) {
  f = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

const Winmm* LoadWinmm() {
  static Winmm w;
  static int loaded = 0;
  if (loaded) return loaded > 0 ? &w : nullptr;
  HMODULE m = LoadLibraryW(L"winmm.dll");
  loaded = -1;
  if (!m) return nullptr;
  Bind(m, "midiOutGetNumDevs", w.outGetNumDevs);
  Bind(m, "midiStreamOpen", w.streamOpen);
  Bind(m, "midiStreamProperty", w.streamProperty);
  Bind(m, "midiOutPrepareHeader", w.prepare);
  Bind(m, "midiOutUnprepareHeader", w.unprepare);
  Bind(m, "midiStreamOut", w.streamOut);
  Bind(m, "midiStreamRestart", w.restart);
  Bind(m, "midiStreamPause", w.pause);
  Bind(m, "midiOutReset", w.reset);
  Bind(m, "midiStreamClose", w.close);
  Bind(m, "midiOutShortMsg", w.shortMsg);
  if (!w.outGetNumDevs || !w.streamOpen || !w.streamProperty || !w.prepare || !w.unprepare ||
      !w.streamOut || !w.restart || !w.pause || !w.reset || !w.close || !w.shortMsg)
    return nullptr;
  loaded = 1;
  return &w;
}

// The stream handle the game holds: the Windows stream or our own.
struct Stream {
  HMIDISTRM real;
  SynthBackEnd* synth;
  MidiCallback callback;
};
Stream* Of(MidiStream s) { return static_cast<Stream*>(s); }
HMIDIOUT Out(Stream* s) { return reinterpret_cast<HMIDIOUT>(s->real); }

void CALLBACK StreamDone(HMIDIOUT, UINT message, DWORD_PTR instance, DWORD_PTR param1, DWORD_PTR) {
  Stream* s = reinterpret_cast<Stream*>(instance);
  if (s && s->callback) s->callback(message, reinterpret_cast<MidiHeader*>(param1));
}
MIDIHDR* Hdr(MidiHeader* h) { return reinterpret_cast<MIDIHDR*>(h); }
}  // namespace

uint32_t PortMidiStreamOpen(MidiStream* stream, MidiCallback callback) {
  *stream = nullptr;
  Stream* s = new Stream{nullptr, nullptr, callback};
  const Winmm* w = LoadWinmm();
  UINT device = MIDI_MAPPER;
  MMRESULT result = MMSYSERR_NODRIVER;
  if (w && w->outGetNumDevs() > 0)
    result = w->streamOpen(&s->real, &device, 1, reinterpret_cast<DWORD_PTR>(StreamDone),
                           reinterpret_cast<DWORD_PTR>(s), CALLBACK_FUNCTION);
  if (result != MMSYSERR_NOERROR) {
    s->real = nullptr;
    s->synth = OpenSynthBackEnd(callback);
    if (!s->synth) {
      delete s;
      return result;
    }
  }
  *stream = s;
  return MidiOk;
}

uint32_t PortMidiSetTimeDivision(MidiStream stream, uint32_t timeDivision) {
  Stream* s = Of(stream);
  if (s->synth) return SoftMidiSetTimeDivision(SynthBackEndStream(s->synth), timeDivision);
  MIDIPROPTIMEDIV property = {sizeof property, timeDivision};
  return LoadWinmm()->streamProperty(s->real, reinterpret_cast<LPBYTE>(&property),
                                     MIDIPROP_SET | MIDIPROP_TIMEDIV);
}

uint32_t PortMidiPrepareHeader(MidiStream stream, MidiHeader* header) {
  Stream* s = Of(stream);
  if (s->synth) {
    header->flags |= MhdrPrepared;
    return MidiOk;
  }
  return LoadWinmm()->prepare(Out(s), Hdr(header), sizeof(MIDIHDR));
}

uint32_t PortMidiUnprepareHeader(MidiStream stream, MidiHeader* header) {
  Stream* s = Of(stream);
  if (s->synth) {
    if (header->flags & MhdrInQueue) return MIDIERR_STILLPLAYING;
    header->flags &= ~MhdrPrepared;
    return MidiOk;
  }
  return LoadWinmm()->unprepare(Out(s), Hdr(header), sizeof(MIDIHDR));
}

uint32_t PortMidiStreamOut(MidiStream stream, MidiHeader* header) {
  Stream* s = Of(stream);
  if (s->synth) return SoftMidiOut(SynthBackEndStream(s->synth), header);
  return LoadWinmm()->streamOut(s->real, Hdr(header), sizeof(MIDIHDR));
}

uint32_t PortMidiStreamRestart(MidiStream stream) {
  Stream* s = Of(stream);
  return s->synth ? SoftMidiRestart(SynthBackEndStream(s->synth)) : LoadWinmm()->restart(s->real);
}

uint32_t PortMidiStreamPause(MidiStream stream) {
  Stream* s = Of(stream);
  return s->synth ? SoftMidiPause(SynthBackEndStream(s->synth)) : LoadWinmm()->pause(s->real);
}

uint32_t PortMidiOutReset(MidiStream stream) {
  Stream* s = Of(stream);
  return s->synth ? SoftMidiReset(SynthBackEndStream(s->synth)) : LoadWinmm()->reset(Out(s));
}

uint32_t PortMidiStreamClose(MidiStream stream) {
  Stream* s = Of(stream);
  MMRESULT result = MMSYSERR_NOERROR;
  if (s->synth) CloseSynthBackEnd(s->synth);
  else result = LoadWinmm()->close(s->real);
  if (result == MMSYSERR_NOERROR) delete s;
  return result;
}

uint32_t PortMidiOutShortMsg(MidiStream stream, uint32_t message) {
  Stream* s = Of(stream);
  if (s->synth) return SoftMidiShortMsg(SynthBackEndStream(s->synth), message);
  return LoadWinmm()->shortMsg(Out(s), message);
}
