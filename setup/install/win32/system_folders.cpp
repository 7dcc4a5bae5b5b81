#include "setup/install/win32/system_folders.h"

#include <shlobj.h>
#include <shobjidl.h>

#include <cstring>

#include "common/win32/cp932_text.h"
#include "setup/install/path_chars.h"

int32_t LongPathOf(const char* path, char* out, int32_t size) {
  wchar_t longForm[MAX_PATH];
  if (size > 0) out[0] = '\0';
  WidePathOf wide(path);
  if (!wide.ok || size <= 0) return 0;
  const DWORD n = GetLongPathNameW(wide.c_str(), longForm, MAX_PATH);
  return n > 0 && n < MAX_PATH && Cp932Into(longForm, out, static_cast<size_t>(size)) ? 1 : 0;
}

namespace {

bool ProfileOrShared(IKnownFolderManager* manager, REFKNOWNFOLDERID id) {
  IKnownFolder* folder = nullptr;
  if (FAILED(manager->GetFolder(id, &folder)) || !folder) return false;
  KF_CATEGORY category = KF_CATEGORY_VIRTUAL;
  const bool known = SUCCEEDED(folder->GetCategory(&category));
  folder->Release();
  return known && (category == KF_CATEGORY_PERUSER || category == KF_CATEGORY_COMMON);
}

}  // namespace

void ForEachKnownFolder(void (*add)(const char* folder, void* context), void* context) {
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  IKnownFolderManager* manager = nullptr;
  KNOWNFOLDERID* ids = nullptr;
  UINT count = 0;
  if (SUCCEEDED(CoCreateInstance(CLSID_KnownFolderManager, nullptr, CLSCTX_INPROC_SERVER,
                                 IID_IKnownFolderManager, reinterpret_cast<void**>(&manager))) &&
      SUCCEEDED(manager->GetFolderIds(&ids, &count))) {
    for (UINT k = 0; k < count; ++k) {
      // The profile's folders and the shared ones; the fixed ones are the
      // machine's (Windows, Program Files...), named already by their
      // CSIDLs, and asking Wine for some of them writes defaults into the
      // registry.
      if (!ProfileOrShared(manager, ids[k])) continue;
      PWSTR wide = nullptr;
      // Not verified: a folder not made yet is still the user's place.
      if (FAILED(SHGetKnownFolderPath(ids[k], KF_FLAG_DONT_VERIFY, nullptr, &wide)) || !wide) {
        CoTaskMemFree(wide);
        continue;
      }
      char path[MAX_PATH], longForm[MAX_PATH];
      if (Cp932Into(wide, path, sizeof path) && path[0]) {
        const size_t n = std::strlen(path);
        if (n > 3 && EndsWithPathChar(path, '\\')) path[n - 1] = '\0';
        add(LongPathOf(path, longForm, sizeof longForm) ? longForm : path, context);
      }
      CoTaskMemFree(wide);
    }
  }
  CoTaskMemFree(ids);
  if (manager) manager->Release();
  if (SUCCEEDED(com)) CoUninitialize();
}
