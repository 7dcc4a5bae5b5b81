#include "game/replay/option_values.h"

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

int ParseStageOption(const char* text, int32_t& stage) {
  if (!text || !text[0] || text[1]) return 0;
  if (text[0] >= 'a' && text[0] <= 'c') stage = text[0] - 'a';
  else if (text[0] >= '0' && text[0] <= '2') stage = text[0] - '0';
  else return 0;
  return 1;
}

int ParseFramePath(const char* text, int64_t& frame, std::string& path) {
  const char* colon = text ? std::strchr(text, ':') : nullptr;
  if (!colon || !colon[1]) return 0;
  if (!ParseOptionNumber(std::string(text, colon).c_str(), 0, 1LL << 40, frame)) return 0;
  path = colon + 1;
  return 1;
}

int WalkOptions(int argc, const char* const* argv, OptionResult (*take)(const std::string&, const char*, void*),
                void* options, std::string& error) {
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
    OptionResult result = take(arg, value, options);
    if (result == OptionUnknown) {
      error = "unknown option '" + arg + "' (see --help)";
      return 2;
    }
    if (result == OptionBadValue) {
      error = "bad or out-of-range value for " + arg + (value ? std::string(": '") + value + "'" : "");
      return 2;
    }
    if (result == OptionTakesValue) ++i;
  }
  return 0;
}
