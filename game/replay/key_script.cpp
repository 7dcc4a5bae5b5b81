#include "game/replay/key_script.h"

#include <cstring>
#include <sstream>

#include "game/shell/shared_state.h"

struct KeyName {
  const char* name;
  int32_t bits;
};

static constexpr KeyName HeldKeys[] = {
    {"up", InputUp & 0xFFFF},     {"down", InputDown & 0xFFFF}, {"left", InputLeft & 0xFFFF},
    {"right", InputRight & 0xFFFF}, {"fire", InputFire & 0xFFFF}, {"bomb", InputBomb & 0xFFFF},
};

static int ApplyKey(const std::string& word, KeyChange& change) {
  for (const KeyName& key : HeldKeys) {
    if (word == key.name) {
      change.held |= key.bits;
      return 1;
    }
  }
  if (word == "M") change.holdM = true;
  else if (word == "weapon") change.weapon = true;
  else if (word == "pause") change.pause = true;
  else if (word == "quit") change.quit = true;
  else return 0;
  return 1;
}

static int ParseFrame(const std::string& word, int64_t& frame) {
  if (word.empty() || word.size() > 12) return 0;
  for (char c : word)
    if (c < '0' || c > '9') return 0;
  frame = std::stoll(word);
  return 1;
}

int ParseKeyScript(const std::string& text, std::vector<KeyChange>& script, std::string& error) {
  std::istringstream lines(text);
  std::string line;
  int lineNumber = 0;
  script.clear();
  while (std::getline(lines, line)) {
    ++lineNumber;
    line = line.substr(0, line.find('#'));
    std::istringstream words(line);
    std::string word;
    if (!(words >> word)) continue;
    KeyChange change{};
    if (!ParseFrame(word, change.frame)) {
      error = "key script line " + std::to_string(lineNumber) + ": bad frame '" + word + "'";
      return 0;
    }
    if (!script.empty() && change.frame <= script.back().frame) {
      error = "key script line " + std::to_string(lineNumber) + ": frames must rise";
      return 0;
    }
    while (words >> word) {
      if (!ApplyKey(word, change)) {
        error = "key script line " + std::to_string(lineNumber) + ": unknown key '" + word + "'";
        return 0;
      }
    }
    script.push_back(change);
  }
  return 1;
}
