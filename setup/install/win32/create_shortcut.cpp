// A shell link file through the shell's link object, created at run time.
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include "setup/install/install_port.h"

int32_t CreateShortcut(const char* target, const char* file, const char* workingFolder,
                       const char* arguments, int32_t icon) {
  CoInitialize(nullptr);
  IShellLinkA* link = nullptr;
  HRESULT result = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                    IID_IShellLinkA, reinterpret_cast<void**>(&link));
  if (FAILED(result)) return result;
  link->SetPath(target);
  if (workingFolder) link->SetWorkingDirectory(workingFolder);
  if (arguments) link->SetArguments(arguments);
  if (icon >= 0) link->SetIconLocation(target, icon);
  IPersistFile* persist = nullptr;
  result = link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist));
  if (SUCCEEDED(result)) {
    WCHAR wide[MAX_PATH + 1];
    wide[0] = 0;
    MultiByteToWideChar(CP_ACP, 0, file, -1, wide, MAX_PATH);
    wide[MAX_PATH] = 0;
    result = persist->Save(wide, TRUE);
    persist->Release();
  }
  link->Release();
  return result;
}
