// A shell link file through the shell's link object, created at run time.
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <string>

#include "common/win32/cp932_text.h"
#include "setup/install/install_port.h"

int32_t CreateShortcut(const char* target, const char* file, const char* workingFolder,
                       const char* arguments, int32_t icon) {
  // Every part goes to the link as the paths it names: no Shift-JIS, no link.
  std::wstring wideTarget, wideFile, wideFolder, wideArguments;
  if (!WidePath(target, &wideTarget) || !WidePath(file, &wideFile) ||
      (workingFolder && !WidePath(workingFolder, &wideFolder)) ||
      (arguments && !WidePath(arguments, &wideArguments)))
    return E_INVALIDARG;
  CoInitialize(nullptr);
  IShellLinkW* link = nullptr;
  HRESULT result = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                    IID_IShellLinkW, reinterpret_cast<void**>(&link));
  if (FAILED(result)) return result;
  link->SetPath(wideTarget.c_str());
  if (workingFolder) link->SetWorkingDirectory(wideFolder.c_str());
  if (arguments) link->SetArguments(wideArguments.c_str());
  if (icon >= 0) link->SetIconLocation(wideTarget.c_str(), icon);
  IPersistFile* persist = nullptr;
  result = link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist));
  if (SUCCEEDED(result)) {
    result = persist->Save(wideFile.c_str(), TRUE);
    persist->Release();
  }
  link->Release();
  return result;
}
