#pragma once
#include <string>
#include <vector>

// Where the host score port reads and writes: a file path, and the folder of
// the fallback file (made on demand). Both empty by default: no file at all.
void HostSetScorePaths(const std::string& mainPath, const std::string& fallbackFolder);
const std::vector<std::string>& HostScoreDebugLines();
