// DirectSound and the music under the real (Wine) platform: the effects
// load and play on the null ALSA device, and with no MIDI output device the
// music goes through our own synthesizer into a streaming buffer.
#define WIN32_LEAN_AND_MEAN  // no mmsystem.h: its PlaySound macro would rename ours
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "game/media/bitmap_port.h"
#include "game/media/music_player.h"
#include "game/media/sound_bank.h"
#include "game/media/sound_port.h"
#include "game/media/win32/synth_back_end.h"

namespace {
HWND SoundWindow() {
  static HWND window = nullptr;
  if (window) return window;
  WNDCLASSA wc = {};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "zarvel_sound_test";
  RegisterClassA(&wc);
  window = CreateWindowExA(0, wc.lpszClassName, "sound test", WS_POPUP, 0, 0, 16, 16, nullptr,
                           nullptr, wc.hInstance, nullptr);
  return window;
}

// The effects and songs are looked up in the current folder, as the game does.
struct InSoundFolder {
  char previous[MAX_PATH] = {};
  bool entered = false;
  InSoundFolder() {
    GetCurrentDirectoryA(MAX_PATH, previous);
    std::vector<uint8_t> probe;
    entered = SetCurrentDirectoryA("data") != 0 && PortReadDataFile("boon.wav", 4, probe);
  }
  ~InSoundFolder() { SetCurrentDirectoryA(previous); }
};

UINT MidiOutputDevices() {
  HMODULE winmm = LoadLibraryA("winmm.dll");
  auto count = winmm ? reinterpret_cast<UINT(WINAPI*)()>(
                           reinterpret_cast<void*>(GetProcAddress(winmm, "midiOutGetNumDevs")))
                     : nullptr;
  return count ? count() : 0;
}

// Waits up to `ms` for `value` to move past `from`.
template <typename F>
bool Advances(F value, uint64_t from, DWORD ms) {
  for (DWORD waited = 0; waited < ms; waited += 20) {
    if (value() > from) return true;
    Sleep(20);
  }
  return value() > from;
}
}  // namespace

TEST(Win32Sound, ElevenEffectsLoadAndPlay) {
  InSoundFolder data;
  ASSERT_TRUE(data.entered);
  ASSERT_EQ(InitSound(SoundWindow()), 1);
  for (int32_t id = 0; id < SoundCount; ++id) EXPECT_NE(SoundBank.buffers[id], nullptr) << SoundFiles[id];
  for (int32_t id = 0; id < SoundCount; ++id) EXPECT_EQ(PlaySound(id, (id - 5) * 400, 0), 1) << SoundFiles[id];
  EXPECT_EQ(PlaySound(SoundKin, 0, 0), 1);  // again, from the start
  EXPECT_EQ(SoundDisabled, 0);
  // A playing static buffer moves on.
  uint32_t play = 0, write = 0;
  Sleep(100);
  ASSERT_EQ(PortGetCurrentPosition(SoundBank.buffers[SoundFlash], &play, &write), DsOk);
  EXPECT_GT(play, 0u);
  ReleaseSound();
  EXPECT_EQ(SoundBank.device, nullptr);
}

TEST(Win32Sound, MusicWithoutMidiDevicePlaysThroughTheSynthesizer) {
  InSoundFolder data;
  ASSERT_TRUE(data.entered);
  if (MidiOutputDevices() > 0) GTEST_SKIP() << "this machine has a MIDI output device";
  ASSERT_EQ(InitSound(SoundWindow()), 1);
  ASSERT_EQ(PlayMusic("Fighters.mds", 1), 1);
  SetMusicVolume(127);
  SynthBackEnd* back = ActiveSynthBackEnd();
  ASSERT_NE(back, nullptr);
  EXPECT_TRUE(Advances([&] { return SynthBackEndFramesFed(back); }, 0, 3000));
  EXPECT_TRUE(Advances([&] { return SynthBackEndTicks(back); }, 0, 3000));
  uint32_t cursor = SynthBackEndPlayCursor(back);
  Sleep(60);
  EXPECT_NE(SynthBackEndPlayCursor(back), cursor);

  ASSERT_EQ(PauseMusic(), MusicOk);
  Sleep(100);
  uint64_t held = SynthBackEndTicks(back);
  Sleep(300);
  EXPECT_EQ(SynthBackEndTicks(back), held);  // paused at its position
  EXPECT_EQ(PauseMusic(), MusicOk);

  ASSERT_EQ(ResumeMusic(), MusicOk);
  EXPECT_EQ(ActiveSynthBackEnd(), back);  // the same stream goes on
  EXPECT_TRUE(Advances([&] { return SynthBackEndTicks(back); }, held, 3000));

  StopMusic();
  EXPECT_EQ(ActiveSynthBackEnd(), nullptr);
  EXPECT_EQ(Music, nullptr);
  ReleaseSound();
}

// On the forced end of the game thread the sound bank goes while the music
// still plays: the synthesizer's feeder holds the device for itself.
TEST(Win32Sound, MusicOutlivesTheSoundBank) {
  InSoundFolder data;
  ASSERT_TRUE(data.entered);
  if (MidiOutputDevices() > 0) GTEST_SKIP() << "this machine has a MIDI output device";
  ASSERT_EQ(InitSound(SoundWindow()), 1);
  ASSERT_EQ(PlayMusic("Fighters.mds", 1), 1);
  SynthBackEnd* back = ActiveSynthBackEnd();
  ASSERT_NE(back, nullptr);
  ReleaseSound();
  EXPECT_EQ(SoundBank.device, nullptr);
  uint64_t fed = SynthBackEndFramesFed(back);
  EXPECT_TRUE(Advances([&] { return SynthBackEndFramesFed(back); }, fed, 3000));
  uint32_t cursor = SynthBackEndPlayCursor(back);
  Sleep(60);
  EXPECT_NE(SynthBackEndPlayCursor(back), cursor);
  StopMusic();
  EXPECT_EQ(ActiveSynthBackEnd(), nullptr);
}

// The music's ring relies on DirectSound taking a new looping flag from
// Play while the buffer plays: told to loop, it wraps round its end; told
// not to, it stops there by itself.
TEST(Win32Sound, PlayChangesLoopingWhileTheBufferPlays) {
  SoundDevice device = nullptr;
  ASSERT_EQ(PortDirectSoundCreate(&device), DsOk);
  ASSERT_EQ(PortSetCooperativeLevel(device, SoundWindow()), DsOk);
  const uint8_t format[18] = {1, 0, 1, 0, 0x22, 0x56, 0, 0, 0x44, 0xAC, 0, 0, 2, 0, 16, 0, 0, 0};
  SoundBuffer buffer = nullptr;
  ASSERT_EQ(PortCreateSoundBuffer(device, SoundBufferDesc{20, DsbCapsGetCurrentPosition2 | DsbCapsGlobalFocus,
                                                          4410, format}, &buffer), DsOk);  // 0.1 s
  uint32_t status = 0, play = 0, write = 0;
  ASSERT_EQ(PortPlaySoundBuffer(buffer, 0), DsOk);
  ASSERT_EQ(PortPlaySoundBuffer(buffer, DsbPlayLooping), DsOk);
  ASSERT_EQ(PortGetSoundStatus(buffer, &status), DsOk);
  EXPECT_EQ(status & (DsbStatusPlaying | DsbStatusLooping), DsbStatusPlaying | DsbStatusLooping);
  // Looping, the cursor comes round to the start again.
  bool wrapped = false;
  uint32_t last = 0;
  for (int i = 0; i < 300 && !wrapped; ++i, Sleep(10)) {
    PortGetCurrentPosition(buffer, &play, &write);
    wrapped = play < last;
    last = play;
  }
  EXPECT_TRUE(wrapped);
  // Not looping any more, it stops at its end.
  ASSERT_EQ(PortPlaySoundBuffer(buffer, 0), DsOk);
  for (int i = 0; i < 300 && (status & DsbStatusPlaying); ++i, Sleep(10)) PortGetSoundStatus(buffer, &status);
  EXPECT_EQ(status & DsbStatusPlaying, 0u);
  PortReleaseSoundBuffer(buffer);
  PortReleaseSoundDevice(device);
}
