#include "game/scores/score_port.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "game/scores/host/host_scores.h"

namespace {
std::string MainPath;
std::string FallbackFolder;
std::vector<std::string> DebugLines;
}  // namespace

void HostSetScorePaths(const std::string& mainPath, const std::string& fallbackFolder) {
  MainPath = mainPath;
  FallbackFolder = fallbackFolder;
  DebugLines.clear();
}

const std::vector<std::string>& HostScoreDebugLines() { return DebugLines; }

std::string PortScorePath() { return MainPath; }

std::string PortFallbackScorePath() {
  return FallbackFolder.empty() ? std::string() : FallbackFolder + "/score.dat";
}

int32_t PortCanWriteFile(const std::string& path) {
  if (std::FILE* f = std::fopen(path.c_str(), "r+b")) {
    std::fclose(f);
    return 1;
  }
  if (errno != ENOENT) return 0;  // a folder of that name, or no right to write
  std::FILE* f = std::fopen(path.c_str(), "wbx");
  if (!f) return 0;
  std::fclose(f);
  std::remove(path.c_str());
  return 1;
}

int32_t PortMakeFallbackFolder() {
  if (FallbackFolder.empty()) return 0;
  std::error_code error;
  std::filesystem::create_directory(FallbackFolder, error);
  return std::filesystem::is_directory(FallbackFolder, error) ? 1 : 0;
}

void PortScoreDebug(const char* text) { DebugLines.push_back(text); }
