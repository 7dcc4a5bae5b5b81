#include "tools/sim/option_values.h"

#include <cstdlib>
#include <cstring>

int ParseOptionNumber(const char* text, int64_t low, int64_t high, int64_t& value) {
  if (!text || !*text) return 0;
  char* end = nullptr;
  long long v = std::strtoll(text, &end, 0);
  if (*end || v < low || v > high) return 0;
  value = v;
  return 1;
}

int ParseFramePath(const char* text, int64_t& frame, std::string& path) {
  const char* colon = text ? std::strchr(text, ':') : nullptr;
  if (!colon || !colon[1]) return 0;
  if (!ParseOptionNumber(std::string(text, colon).c_str(), 0, 1LL << 40, frame)) return 0;
  path = colon + 1;
  return 1;
}
