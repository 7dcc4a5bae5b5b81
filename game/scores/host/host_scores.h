#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Where the host score port reads and writes: a file path, and the folder of
// the fallback file (made on demand). Both empty by default: no file at all.
void HostSetScorePaths(const std::string& mainPath, const std::string& fallbackFolder);
const std::vector<std::string>& HostScoreDebugLines();
// The disk fills after `bytes` bytes of every file a save writes from now
// on (-1: no limit, as after HostSetScorePaths).
void HostLimitScoreWrites(int64_t bytes);
