// DirectSound for the sound effects and the music's streaming buffer.
#include "game/media/sound_port.h"

#include <windows.h>

#include "common/win32/cp932_text.h"
#include <mmreg.h>
#include <dsound.h>

namespace {
IDirectSound* Device(SoundDevice device) { return static_cast<IDirectSound*>(device); }
IDirectSoundBuffer* Buffer(SoundBuffer buffer) { return static_cast<IDirectSoundBuffer*>(buffer); }
}  // namespace

// DirectSoundCreate is the one entry point of dsound.dll we need; the rest
// are COM methods.
int32_t PortDirectSoundCreate(SoundDevice* device) {
  using Create = HRESULT(WINAPI*)(LPCGUID, LPDIRECTSOUND*, LPUNKNOWN);
  *device = nullptr;
  HMODULE dsound = LoadLibraryW(L"dsound.dll");
  Create create = dsound ? reinterpret_cast<Create>(reinterpret_cast<void*>(
                               GetProcAddress(dsound, "DirectSoundCreate")))
                         : nullptr;
  if (!create) return DsEFail;
  IDirectSound* made = nullptr;
  HRESULT result = create(nullptr, &made, nullptr);
  if (SUCCEEDED(result)) *device = made;
  return result;
}

int32_t PortSetCooperativeLevel(SoundDevice device, void* window) {
  return Device(device)->SetCooperativeLevel(static_cast<HWND>(window), DSSCL_NORMAL);
}

int32_t PortCreateSoundBuffer(SoundDevice device, const SoundBufferDesc& desc, SoundBuffer* buffer) {
  DSBUFFERDESC d = {};
  d.dwSize = sizeof d;
  d.dwFlags = desc.flags;
  d.dwBufferBytes = desc.bufferBytes;
  d.lpwfxFormat = reinterpret_cast<WAVEFORMATEX*>(const_cast<uint8_t*>(desc.format));
  IDirectSoundBuffer* made = nullptr;
  HRESULT result = Device(device)->CreateSoundBuffer(&d, &made, nullptr);
  *buffer = SUCCEEDED(result) ? made : nullptr;
  return result;
}

int32_t PortLockSoundBuffer(SoundBuffer buffer, uint32_t offset, uint32_t bytes, void** first,
                            uint32_t* firstBytes, void** second, uint32_t* secondBytes) {
  DWORD n1 = 0, n2 = 0;
  HRESULT result = Buffer(buffer)->Lock(offset, bytes, first, &n1, second, &n2, 0);
  *firstBytes = n1;
  *secondBytes = n2;
  return result;
}

int32_t PortUnlockSoundBuffer(SoundBuffer buffer, void* first, uint32_t firstBytes, void* second,
                              uint32_t secondBytes) {
  return Buffer(buffer)->Unlock(first, firstBytes, second, secondBytes);
}

int32_t PortSetCurrentPosition(SoundBuffer buffer, uint32_t position) {
  return Buffer(buffer)->SetCurrentPosition(position);
}

int32_t PortGetCurrentPosition(SoundBuffer buffer, uint32_t* play, uint32_t* write) {
  DWORD p = 0, w = 0;
  HRESULT result = Buffer(buffer)->GetCurrentPosition(&p, &w);
  *play = p;
  *write = w;
  return result;
}

int32_t PortPlaySoundBuffer(SoundBuffer buffer, uint32_t flags) {
  return Buffer(buffer)->Play(0, 0, flags);
}
int32_t PortStopSoundBuffer(SoundBuffer buffer) { return Buffer(buffer)->Stop(); }
int32_t PortRestoreSoundBuffer(SoundBuffer buffer) { return Buffer(buffer)->Restore(); }
int32_t PortSetSoundPan(SoundBuffer buffer, int32_t pan) { return Buffer(buffer)->SetPan(pan); }
int32_t PortSetSoundVolume(SoundBuffer buffer, int32_t volume) { return Buffer(buffer)->SetVolume(volume); }
int32_t PortGetSoundStatus(SoundBuffer buffer, uint32_t* status) {
  DWORD s = 0;
  HRESULT result = Buffer(buffer)->GetStatus(&s);
  *status = SUCCEEDED(result) ? s : 0;
  return result;
}
void PortReleaseSoundBuffer(SoundBuffer buffer) { Buffer(buffer)->Release(); }
void PortAddRefSoundDevice(SoundDevice device) { Device(device)->AddRef(); }
void PortReleaseSoundDevice(SoundDevice device) { Device(device)->Release(); }

int32_t PortFindWaveResource(const char* name, std::vector<uint8_t>& bytes) {
  bytes.clear();
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC found = FindResourceW(module, WideText(name).c_str(), L"WAV");
  if (!found) return 0;
  HGLOBAL loaded = LoadResource(module, found);
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (!data) return 0;
  const uint8_t* begin = static_cast<const uint8_t*>(data);
  bytes.assign(begin, begin + SizeofResource(module, found));
  return 1;
}
