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
int64_t WriteLimit = -1;
}  // namespace

void HostSetScorePaths(const std::string& mainPath, const std::string& fallbackFolder) {
  MainPath = mainPath;
  FallbackFolder = fallbackFolder;
  DebugLines.clear();
  WriteLimit = -1;
}

void HostLimitScoreWrites(int64_t bytes) { WriteLimit = bytes; }

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

int32_t PortWriteWholeFile(const std::string& path, const std::string& text) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return 0;
  size_t room = WriteLimit >= 0 && uint64_t(WriteLimit) < text.size() ? size_t(WriteLimit) : text.size();
  bool whole = std::fwrite(text.data(), 1, room, f) == text.size();
  return std::fclose(f) == 0 && whole ? 1 : 0;
}

// Replaces an existing file on both systems the host tests run on (on
// Windows through MoveFileEx).
int32_t PortReplaceFile(const std::string& from, const std::string& to) {
  std::error_code error;
  std::filesystem::rename(from, to, error);
  return error ? 0 : 1;
}

void PortRemoveFile(const std::string& path) { std::remove(path.c_str()); }

std::FILE* PortOpenScoreFile(const std::string& path, const char* mode) {
  return std::fopen(path.c_str(), mode);
}

void PortScoreDebug(const char* text) { DebugLines.push_back(text); }
