// Writes the eleven effects and the two songs beside the bitmaps.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "audio_sources.h"

namespace fs = std::filesystem;

namespace {
std::vector<fs::path> TextsIn(const fs::path& folder) {
  std::vector<fs::path> files;
  if (fs::is_directory(folder))
    for (const auto& e : fs::directory_iterator(folder))
      if (e.path().extension() == ".txt") files.push_back(e.path());
  std::sort(files.begin(), files.end());
  return files;
}

std::string ReadText(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

int WriteBytes(const fs::path& file, const std::vector<uint8_t>& bytes) {
  std::ofstream out(file, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  return out.good() ? 1 : 0;
}
}  // namespace

int MakeAudio(const std::string& sourceDir, const std::string& outDir) {
  const fs::path src = sourceDir, out = outDir;
  for (const fs::path& f : TextsIn(src / "sounds")) {
    std::string name;
    std::vector<int16_t> samples;
    if (!MakeEffect(ReadText(f), f.filename().string(), name, samples) ||
        !WriteBytes(out / name, MonoWaveFile(samples, 22050)))
      return 0;
  }
  for (const fs::path& f : TextsIn(src / "music")) {
    std::string name;
    std::vector<uint8_t> mds;
    if (!MakeSong(ReadText(f), f.filename().string(), name, mds) || !WriteBytes(out / name, mds))
      return 0;
  }
  return 1;
}
