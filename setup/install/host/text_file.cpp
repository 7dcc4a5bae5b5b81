// Reads a text file through the C library, for the tests and setup-check.
#include "setup/install/text_file.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <system_error>

LoadResult ReadTextFile(const char* path, char** text, size_t* size) {
  std::FILE* file = std::fopen(path, "rb");
  if (!file) return LoadMissing;
  std::error_code error;
  uintmax_t fileSize = std::filesystem::file_size(path, error);
  if (error) {
    std::fclose(file);
    return LoadMissing;
  }
  size_t bytes = 0;
  LoadResult result = TextBufferSize(fileSize, SIZE_MAX, &bytes);
  char* buffer = result == LoadOk ? NewText(bytes - 1) : nullptr;
  if (result == LoadOk && !buffer) result = LoadNoMemory;
  if (result != LoadOk) {
    std::fclose(file);
    return result;
  }
  size_t read = std::fread(buffer, 1, bytes - 1, file);
  bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) {
    FreeText(buffer);
    return LoadMissing;
  }
  buffer[read] = 0;
  *text = buffer;
  if (size) *size = read;
  return LoadOk;
}
