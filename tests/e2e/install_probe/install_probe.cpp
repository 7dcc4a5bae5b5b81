// install_probe.exe: looks at what setup.exe made, from inside Wine.
//   lnk FILE.lnk      the shortcut read back through IShellLinkW: target,
//                     working folder, arguments and icon, one a line
//   lnk-items FILE.lnk  the same and the target its item list names
//   touch FILE [ARGS] writes the current folder and the arguments into FILE
//                     (an Exec entry that leaves a trace)
//   hold FILE MS      keeps FILE open without sharing for MS milliseconds,
//                     so nothing else can read it; prints "held" first
//   folder CSIDL      the path of a shell folder, as the installer asks for it
//   short PATH        the path's 8.3 form, as the system gives it
// Arguments are read wide and everything is printed and written in code page
// 932, whatever the system's own, as the installer keeps its texts.
#include <windows.h>
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>

namespace {

std::string Sjis(const wchar_t* wide) {
  int n = WideCharToMultiByte(932, 0, wide, -1, nullptr, 0, nullptr, nullptr);
  if (n <= 1) return std::string();
  std::string text(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(932, 0, wide, -1, &text[0], n, nullptr, nullptr);
  text.resize(static_cast<size_t>(n - 1));
  return text;
}

void Say(const char* key, const wchar_t* value) { std::printf("%s=%s\n", key, Sjis(value).c_str()); }

int ShowShortcut(const wchar_t* file, bool withItems) {
  CoInitialize(nullptr);
  IShellLinkW* link = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              reinterpret_cast<void**>(&link))))
    return 1;
  IPersistFile* persist = nullptr;
  if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist))) ||
      FAILED(persist->Load(file, STGM_READ))) {
    std::fprintf(stderr, "cannot load %s\n", Sjis(file).c_str());
    return 1;
  }
  wchar_t text[1024];
  WIN32_FIND_DATAW found;
  int icon = -1;
  text[0] = 0;
  link->GetPath(text, 1024, &found, SLGP_RAWPATH);
  Say("target", text);
  text[0] = 0;
  link->GetWorkingDirectory(text, 1024);
  Say("workdir", text);
  text[0] = 0;
  link->GetArguments(text, 1024);
  Say("args", text);
  text[0] = 0;
  link->GetIconLocation(text, 1024, &icon);
  std::printf("icon=%s,%d\n", Sjis(text).c_str(), icon);
  if (withItems) {
    // The target as the link's item list names it, in Unicode: Wine keeps
    // the path above only in the system's code page.
    LPITEMIDLIST items = nullptr;
    text[0] = 0;
    if (SUCCEEDED(link->GetIDList(&items)) && items) {
      SHGetPathFromIDListW(items, text);
      CoTaskMemFree(items);
    }
    Say("items", text);
  }
  persist->Release();
  link->Release();
  return 0;
}

int Touch(const wchar_t* file, int argc, wchar_t** argv) {
  wchar_t folder[MAX_PATH];
  GetCurrentDirectoryW(MAX_PATH, folder);
  FILE* out = _wfopen(file, L"wb");
  if (!out) return 1;
  std::fprintf(out, "cwd=%s\nargs=", Sjis(folder).c_str());
  for (int i = 0; i < argc; ++i) std::fprintf(out, "%s%s", i ? " " : "", Sjis(argv[i]).c_str());
  std::fprintf(out, "\n");
  std::fclose(out);
  return 0;
}

int Hold(const wchar_t* file, int ms) {
  HANDLE handle = CreateFileW(file, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return 1;
  std::printf("held\n");
  std::fflush(stdout);
  Sleep(static_cast<DWORD>(ms));
  CloseHandle(handle);
  return 0;
}

int ShowFolder(int csidl) {
  wchar_t path[MAX_PATH];
  if (!SHGetSpecialFolderPathW(nullptr, path, csidl, FALSE)) return 1;
  std::printf("%s\n", Sjis(path).c_str());
  return 0;
}

int ShowShort(const wchar_t* path) {
  wchar_t out[MAX_PATH];
  const DWORD n = GetShortPathNameW(path, out, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return 1;
  std::printf("%s\n", Sjis(out).c_str());
  return 0;
}

}  // namespace

int main() {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (!argv) return 2;
  auto is = [&](const wchar_t* command) { return argc >= 3 && !std::wcscmp(argv[1], command); };
  if (is(L"lnk")) return ShowShortcut(argv[2], false);
  if (is(L"lnk-items")) return ShowShortcut(argv[2], true);
  if (is(L"touch")) return Touch(argv[2], argc - 3, argv + 3);
  if (is(L"hold") && argc >= 4) return Hold(argv[2], _wtoi(argv[3]));
  if (is(L"folder")) return ShowFolder(_wtoi(argv[2]));
  if (is(L"short")) return ShowShort(argv[2]);
  std::fprintf(stderr, "usage: install_probe lnk|lnk-items FILE | touch FILE [ARGS] | hold FILE MS |"
                       " folder CSIDL | short PATH\n");
  return 2;
}
