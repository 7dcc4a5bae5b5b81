#include "game/replay/option_values.h"
#include "game/shell/web/program/web_program.h"

static OptionResult TakeWebOption(const std::string& arg, const char* value, void* options) {
  WebOptions& o = *static_cast<WebOptions*>(options);
  if (arg == "--fast") return o.fast = true, OptionFlag;
  if (arg == "--audio") return o.audio = true, OptionFlag;
  if (arg == "--framelog") return o.frameLog = true, OptionFlag;
  int64_t v = 0;
  int ok = 1;
  if (arg == "--stage") ok = ParseStageOption(value, o.stage);
  else if (arg == "--keys") ok = value != nullptr, o.keys = value ? value : "";
  else if (arg == "--seed") ok = ParseOptionNumber(value, 0, 0xFFFFFFFFLL, v), o.seed = uint32_t(v);
  else if (arg == "--level") ok = ParseOptionNumber(value, 0, 4, v), o.level = int32_t(v);
  else if (arg == "--frames") ok = ParseOptionNumber(value, 0, 1LL << 40, v), o.frames = v;
  else return OptionUnknown;
  return ok ? OptionTakesValue : OptionBadValue;
}

int ParseWebArgs(int argc, const char* const* argv, WebOptions& o, std::string& error) {
  if (int rc = WalkOptions(argc, argv, TakeWebOption, &o, error)) return rc;
  bool replayOnly = o.fast || o.audio || o.frames >= 0;
  if (replayOnly && o.keys.empty()) {
    error = "fast, audio and frames belong to a replay (keys=...)";
    return 2;
  }
  return 0;
}

std::string KeyScriptText(const std::string& keys) {
  std::string text = keys;
  for (char& c : text)
    if (c == ';') c = '\n';
  return text;
}
