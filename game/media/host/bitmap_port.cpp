#include "game/media/bitmap_port.h"

#include <cstdio>
#include <cstdlib>
#include <map>

#include "game/media/host/host_display.h"

namespace {
#ifdef ZARVEL_DEFAULT_DATA_DIR
constexpr const char* BuiltInDataDir = ZARVEL_DEFAULT_DATA_DIR;
#else
constexpr const char* BuiltInDataDir = "data";
#endif

std::string& DataDir() {
  static std::string folder = std::getenv("ZARVEL_DATA_DIR") ? std::getenv("ZARVEL_DATA_DIR")
                                                              : BuiltInDataDir;
  return folder;
}
std::map<std::string, std::vector<uint8_t>> Resources;
std::vector<std::string> Reads;
std::vector<std::string> DebugLines;
}  // namespace

void HostSetDataDir(const std::string& folder) { DataDir() = folder; }
const std::string& HostDataDir() { return DataDir(); }
void HostAddBitmapResource(const std::string& name, const std::vector<uint8_t>& bytes) {
  Resources[name] = bytes;
}
void HostClearBitmapResources() { Resources.clear(); }
const std::vector<std::string>& HostFileReads() { return Reads; }
void HostClearFileReads() { Reads.clear(); }
const std::vector<std::string>& HostDebugLines() { return DebugLines; }

int32_t PortFindBitmapResource(const char* name, std::vector<uint8_t>& bytes) {
  auto found = Resources.find(name);
  if (found == Resources.end()) return 0;
  bytes = found->second;
  return 1;
}

int32_t PortReadDataFile(const char* name, size_t limit, std::vector<uint8_t>& bytes) {
  bytes.clear();
  Reads.push_back(name);
  std::string path = DataDir().empty() ? std::string(name) : DataDir() + "/" + name;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return 0;
  unsigned char chunk[65536];
  while (bytes.size() < limit) {
    size_t want = limit - bytes.size() < sizeof chunk ? limit - bytes.size() : sizeof chunk;
    size_t got = std::fread(chunk, 1, want, file);
    bytes.insert(bytes.end(), chunk, chunk + got);
    if (got < want) break;
  }
  std::fclose(file);
  return 1;
}

void PortDebugLine(const char* text) { DebugLines.push_back(text); }
