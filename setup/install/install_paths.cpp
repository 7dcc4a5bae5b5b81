#include "setup/install/install_paths.h"

#include <cstring>

namespace {

// Joins into a buffer of `capacity` bytes; returns the full length the join
// needs, writing only what fits.
size_t JoinInto(char* out, size_t capacity, const char* const* parts, int count) {
  size_t length = 0;
  auto put = [&](const char* text) {
    for (; *text; ++text, ++length) {
      if (length + 1 < capacity) out[length] = *text;
    }
  };
  put(parts[0]);
  for (int i = 1; i < count; ++i) {
    if (!parts[i][0]) continue;
    put("\\");
    put(parts[i]);
  }
  out[length + 1 < capacity ? length : capacity - 1] = '\0';
  return length;
}

}  // namespace

int JoinPath(char* out, const char* folder, const char* a, const char* b, const char* c) {
  const char* parts[] = {folder, a, b, c};
  size_t length = JoinInto(out, PathBufferSize, parts, 4);
  if (length > static_cast<size_t>(MaxPathBytes)) {
    out[0] = '\0';
    return -1;
  }
  return static_cast<int>(length);
}

void JoinForDisplay(char* out, const char* folder, const char* a, const char* b,
                    const char* c) {
  const char* parts[] = {folder, a, b, c};
  JoinInto(out, DisplayPathSize, parts, 4);
}

bool AppendToPath(char* out, const char* text) {
  size_t have = std::strlen(out);
  size_t add = std::strlen(text);
  if (have + add > static_cast<size_t>(MaxPathBytes)) return false;
  std::memcpy(out + have, text, add + 1);
  return true;
}

void CopyText(char* out, size_t size, const char* text) {
  if (size == 0) return;
  size_t n = std::strlen(text);
  if (n >= size) n = size - 1;
  std::memcpy(out, text, n);
  out[n] = '\0';
}
