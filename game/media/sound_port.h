#pragma once
#include <cstdint>
#include <vector>

// DirectSound, call for call, with HRESULTs passed through unchanged.
// win32: IDirectSound / IDirectSoundBuffer (dsound.dll loaded at run time);
// host: memory buffers that record every call and mix what plays.
using SoundDevice = void*;
using SoundBuffer = void*;

constexpr int32_t DsOk = 0;
constexpr int32_t DsErrBufferLost = int32_t(0x88780096u);
constexpr int32_t DsEFail = int32_t(0x80004005u);
constexpr uint32_t DsbCapsPrimaryBuffer = 0x00000001;
constexpr uint32_t DsbCapsStatic = 0x00000002;
constexpr uint32_t DsbCapsCtrlFrequency = 0x00000020;
constexpr uint32_t DsbCapsCtrlPan = 0x00000040;
constexpr uint32_t DsbCapsCtrlVolume = 0x00000080;
constexpr uint32_t DsbCapsGetCurrentPosition2 = 0x00010000;
constexpr uint32_t DsbCapsGlobalFocus = 0x00008000;
constexpr uint32_t DsbPlayLooping = 0x00000001;
constexpr uint32_t DsbStatusPlaying = 0x00000001;
constexpr uint32_t DsbStatusBufferLost = 0x00000002;
constexpr uint32_t DsbStatusLooping = 0x00000004;

// DSBUFFERDESC: `format` is a WAVEFORMATEX block or null.
struct SoundBufferDesc {
  uint32_t size;
  uint32_t flags;
  uint32_t bufferBytes;
  const uint8_t* format;
};

int32_t PortDirectSoundCreate(SoundDevice* device);
// SetCooperativeLevel (window, DSSCL_NORMAL).
int32_t PortSetCooperativeLevel(SoundDevice device, void* window);
int32_t PortCreateSoundBuffer(SoundDevice device, const SoundBufferDesc& desc, SoundBuffer* buffer);
int32_t PortLockSoundBuffer(SoundBuffer buffer, uint32_t offset, uint32_t bytes, void** first,
                            uint32_t* firstBytes, void** second, uint32_t* secondBytes);
int32_t PortUnlockSoundBuffer(SoundBuffer buffer, void* first, uint32_t firstBytes, void* second,
                              uint32_t secondBytes);
int32_t PortSetCurrentPosition(SoundBuffer buffer, uint32_t position);
int32_t PortGetCurrentPosition(SoundBuffer buffer, uint32_t* play, uint32_t* write);
int32_t PortPlaySoundBuffer(SoundBuffer buffer, uint32_t flags);
int32_t PortStopSoundBuffer(SoundBuffer buffer);
int32_t PortRestoreSoundBuffer(SoundBuffer buffer);
// Pan in hundredths of a decibel, -10000 (left only) to 10000 (right only).
int32_t PortSetSoundPan(SoundBuffer buffer, int32_t pan);
// Attenuation in hundredths of a decibel, 0 (as recorded) to -10000.
int32_t PortSetSoundVolume(SoundBuffer buffer, int32_t volume);
// GetStatus: DsbStatusPlaying, DsbStatusLooping, DsbStatusBufferLost.
int32_t PortGetSoundStatus(SoundBuffer buffer, uint32_t* status);
void PortReleaseSoundBuffer(SoundBuffer buffer);
// AddRef: one more reference, given back by PortReleaseSoundDevice.
void PortAddRefSoundDevice(SoundDevice device);
void PortReleaseSoundDevice(SoundDevice device);
// 1 and the bytes of the program's resource of type "WAV" named `name`.
int32_t PortFindWaveResource(const char* name, std::vector<uint8_t>& bytes);
