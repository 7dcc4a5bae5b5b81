// zarvel: ZARVEL as a native Linux program.
#include <cstdio>

#include "game/shell/sdl2/program/native_program.h"

int main(int argc, char** argv) {
  NativeOptions options;
  std::string error;
  if (ParseNativeArgs(argc, argv, options, error) != 0) {
    std::fprintf(stderr, "zarvel: %s\n", error.c_str());
    return 2;
  }
  if (options.help) {
    std::fputs(NativeUsage(), stdout);
    return 0;
  }
  return RunNativeProgram(options);
}
