// libFuzzer target: any bytes as score.dat. The reader must keep within its
// table, read the same whatever pieces the file arrives in, and a table it
// wrote must read back exactly.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "game/scores/score_file.h"
#include "game/scores/score_table.h"

static void Check(bool ok) {
  if (!ok) __builtin_trap();
}

static ScoreReader ReadInPieces(const uint8_t* data, size_t size, size_t piece) {
  ScoreReader r;
  StartScoreReader(r);
  for (size_t at = 0; at < size; at += piece) {
    size_t n = size - at < piece ? size - at : piece;
    FeedScoreReader(r, reinterpret_cast<const char*>(data) + at, n);
  }
  FinishScoreReader(r);
  return r;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  size_t piece = size > 0 ? data[0] % 17 + 1 : 1;
  ScoreReader whole = ReadInPieces(data, size, size > 0 ? size : 1);
  ScoreReader pieces = ReadInPieces(data, size, piece);
  Check(whole.count >= 0 && whole.count <= ScorePlaces);
  Check(whole.count == pieces.count);
  Check(std::memcmp(whole.places, pieces.places, sizeof whole.places) == 0);
  for (int32_t i = 0; i < whole.count; ++i)
    Check(std::strlen(whole.places[i].name) <= size_t(ScoreNameLength));

  ClearScores();
  TakeScores(whole);
  // Falling order; every score of 0 or less is an empty place.
  auto rank = [](int32_t score) { return score > 0 ? score : 0; };
  for (int32_t i = 1; i < whole.count; ++i)
    Check(rank(ScoreTable[i - 1].score) >= rank(ScoreTable[i].score));

  // What was read, written and read again, is the same table.
  ScoreEntry before[ScorePlaces];
  std::memcpy(before, ScoreTable, sizeof before);
  std::string text = FormatScoreFile();
  ScoreReader again = ReadInPieces(reinterpret_cast<const uint8_t*>(text.data()), text.size(), 64);
  Check(again.count == ScorePlaces);
  ClearScores();
  TakeScores(again);
  for (int32_t i = 0; i < ScorePlaces; ++i) {
    Check(ScoreTable[i].score == before[i].score);
    Check(std::strcmp(ScoreTable[i].name, before[i].name) == 0);
  }
  return 0;
}
