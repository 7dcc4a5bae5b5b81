#include "game/scores/web/score_storage.h"

#include <emscripten.h>

namespace {
EM_JS(int32_t, RestoreStored, (const char* key, const char* file), {
  return ZarvelPage.restoreStored(FS, UTF8ToString(key), UTF8ToString(file));
});
EM_JS(int32_t, KeepStored, (const char* key, const char* file), {
  return ZarvelPage.keepStored(FS, UTF8ToString(key), UTF8ToString(file));
});
}  // namespace

int32_t RestoreScoreFile() { return RestoreStored(WebScoreKey, WebScoreFile); }
int32_t KeepScoreFile() { return KeepStored(WebScoreKey, WebScoreFile); }
