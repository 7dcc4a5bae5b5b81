// setup-check: what the installer will do with a setup.ini.
//   setup-check [--medium DIR] FILE
//   setup-check --get SECTION KEY [--verbatim] FILE
//   setup-check --entry SECTION N FILE
// Exit: 0 clean (or found), 1 warnings (or absent), 2 unreadable file or
// bad usage.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "setup/install/ini_text.h"
#include "setup/install/text_file.h"
#include "tools/setup_check/check_report.h"

namespace {

int Usage() {
  std::fprintf(stderr,
               "usage: setup-check [--medium DIR] FILE\n"
               "       setup-check --get SECTION KEY [--verbatim] FILE\n"
               "       setup-check --entry SECTION N FILE\n");
  return 2;
}

char* Load(const char* path, size_t* size) {
  char* text = nullptr;
  if (ReadTextFile(path, &text, size) != LoadOk) {
    std::fprintf(stderr, "setup-check: cannot read %s\n", path);
    return nullptr;
  }
  return text;
}

// The stored bytes as they stand, then a line feed.
int Print(const char* bytes, int count) {
  if (count == 0) return 1;
  std::fwrite(bytes, 1, static_cast<size_t>(count), stdout);
  std::fputc('\n', stdout);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const char* medium = nullptr;
  const char* get[2] = {nullptr, nullptr};
  const char* entry[2] = {nullptr, nullptr};
  bool verbatim = false;
  const char* file = nullptr;
  for (int i = 1; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--medium") && i + 1 < argc) {
      medium = argv[++i];
    } else if (!std::strcmp(argv[i], "--get") && i + 2 < argc) {
      get[0] = argv[++i];
      get[1] = argv[++i];
    } else if (!std::strcmp(argv[i], "--entry") && i + 2 < argc) {
      entry[0] = argv[++i];
      entry[1] = argv[++i];
    } else if (!std::strcmp(argv[i], "--verbatim")) {
      verbatim = true;
    } else if (argv[i][0] == '-' && argv[i][1] == '-') {
      return Usage();
    } else if (!file) {
      file = argv[i];
    } else {
      return Usage();
    }
  }
  if (!file || (get[0] && entry[0])) return Usage();
  size_t size = 0;
  char* text = Load(file, &size);
  if (!text) return 2;
  char buffer[IniValueSize];
  int result;
  if (get[0]) {
    result = Print(buffer, GetValue(text, get[0], get[1], buffer, sizeof buffer, !verbatim));
  } else if (entry[0]) {
    char* end = nullptr;
    long n = std::strtol(entry[1], &end, 10);
    if (*end || n < 1 || n > 1000000) {
      FreeText(text);
      return Usage();
    }
    result = Print(buffer, GetEntry(text, entry[0], static_cast<int>(n), buffer, sizeof buffer));
  } else {
    Report report;
    int warnings = CheckSetupIni(text, size, medium, report);
    std::printf("setup-check: %s\n\n", file);
    std::fwrite(report.out.data(), 1, report.out.size(), stdout);
    result = warnings ? 1 : 0;
  }
  FreeText(text);
  return result;
}
