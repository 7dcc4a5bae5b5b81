// install_probe.exe: looks at what setup.exe made, from inside Wine.
//   lnk FILE.lnk      the shortcut read back through IShellLinkA: target,
//                     working folder, arguments and icon, one a line
//   touch FILE [ARGS] writes the current folder and the arguments into FILE
//                     (an Exec entry that leaves a trace)
//   hold FILE MS      keeps FILE open without sharing for MS milliseconds,
//                     so nothing else can read it; prints "held" first
//   folder CSIDL      the path of a shell folder, as the installer asks for it
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

int ShowShortcut(const char* file) {
  CoInitialize(nullptr);
  IShellLinkA* link = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              reinterpret_cast<void**>(&link))))
    return 1;
  IPersistFile* persist = nullptr;
  WCHAR wide[MAX_PATH];
  MultiByteToWideChar(CP_ACP, 0, file, -1, wide, MAX_PATH);
  if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist))) ||
      FAILED(persist->Load(wide, STGM_READ))) {
    std::fprintf(stderr, "cannot load %s\n", file);
    return 1;
  }
  char text[1024];
  WIN32_FIND_DATAA found;
  int icon = -1;
  text[0] = 0;
  link->GetPath(text, sizeof text, &found, SLGP_RAWPATH);
  std::printf("target=%s\n", text);
  text[0] = 0;
  link->GetWorkingDirectory(text, sizeof text);
  std::printf("workdir=%s\n", text);
  text[0] = 0;
  link->GetArguments(text, sizeof text);
  std::printf("args=%s\n", text);
  text[0] = 0;
  link->GetIconLocation(text, sizeof text, &icon);
  std::printf("icon=%s,%d\n", text, icon);
  persist->Release();
  link->Release();
  return 0;
}

int Touch(const char* file, int argc, char** argv) {
  char folder[MAX_PATH];
  GetCurrentDirectoryA(sizeof folder, folder);
  FILE* out = std::fopen(file, "wb");
  if (!out) return 1;
  std::fprintf(out, "cwd=%s\nargs=", folder);
  for (int i = 0; i < argc; ++i) std::fprintf(out, "%s%s", i ? " " : "", argv[i]);
  std::fprintf(out, "\n");
  std::fclose(out);
  return 0;
}

int Hold(const char* file, int ms) {
  HANDLE handle = CreateFileA(file, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return 1;
  std::printf("held\n");
  std::fflush(stdout);
  Sleep(static_cast<DWORD>(ms));
  CloseHandle(handle);
  return 0;
}

int ShowFolder(int csidl) {
  char path[MAX_PATH];
  if (!SHGetSpecialFolderPathA(nullptr, path, csidl, FALSE)) return 1;
  std::printf("%s\n", path);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 3 && !std::strcmp(argv[1], "lnk")) return ShowShortcut(argv[2]);
  if (argc >= 3 && !std::strcmp(argv[1], "touch")) return Touch(argv[2], argc - 3, argv + 3);
  if (argc >= 4 && !std::strcmp(argv[1], "hold")) return Hold(argv[2], std::atoi(argv[3]));
  if (argc >= 3 && !std::strcmp(argv[1], "folder")) return ShowFolder(std::atoi(argv[2]));
  std::fprintf(stderr,
               "usage: install_probe lnk FILE | touch FILE [ARGS] | hold FILE MS | folder CSIDL\n");
  return 2;
}
