// libFuzzer target: ToShortPath's walk over a made-up file system. The first
// line is the path; every further line 'PATH|ALIAS' is an entry of the file
// system. The result must fit, start with the path's drive, never come from
// a search by pattern, and name every component when the walk says so.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "setup/uninstall/host/fake_system.h"
#include "setup/uninstall/item_removal.h"
#include "setup/uninstall/path_rules.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  size_t at = input.find('\n');
  std::string path = input.substr(0, at);
  path = path.substr(0, std::strlen(path.c_str()));  // the path ends at a NUL like any C string
  FakeDiskReset();
  while (at != std::string::npos) {
    const size_t next = input.find('\n', at + 1);
    const std::string entry = input.substr(at + 1, next == std::string::npos ? std::string::npos : next - at - 1);
    const size_t bar = entry.find('|');
    if (!entry.empty()) FakeDiskAddFolder(entry.substr(0, bar));
    if (bar != std::string::npos) FakeDiskSetAlias(entry.substr(0, bar), entry.substr(bar + 1, 20).c_str());
    at = next;
  }
  char out[260];
  std::memset(out, 'x', sizeof out);
  const int32_t ok = ToShortPath(path.c_str(), out, sizeof out);
  const size_t n = strnlen(out, sizeof out);
  if (n >= sizeof out) __builtin_trap();
  if (std::strncmp(out, path.c_str(), n < 2 ? n : 2) != 0) __builtin_trap();
  for (const std::string& call : FakeDiskCalls()) {
    if (call.find_first_of("*?", 5) != std::string::npos) __builtin_trap();
    if (call.compare(0, 5, "find ") != 0) __builtin_trap();
    if (ok && !FakeDiskExists(call.substr(5))) __builtin_trap();
  }
  char parent[260];
  if (ParentFolder(path.c_str(), parent, sizeof parent) && IsDriveRoot(parent)) __builtin_trap();
  if (ItemIsRemovable(path.c_str(), "C:\\WINDOWS", "") && IsDriveRoot(path.c_str())) __builtin_trap();
  return 0;
}
