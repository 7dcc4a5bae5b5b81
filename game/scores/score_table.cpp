#include "game/scores/score_table.h"

#include <cstring>

ScoreEntry ScoreTable[ScorePlaces + 1];
int32_t PendingScore = 0;
int32_t PendingRank = 0;
int32_t ScoresLoaded = 0;

void ClearScores() {
  for (ScoreEntry& e : ScoreTable) e = ScoreEntry{};
  ScoresLoaded = 0;
}

int32_t FindRank(int32_t score) {
  for (int32_t r = 1; r <= ScorePlaces; ++r) {
    int32_t s = ScoreTable[r - 1].score;
    if (s > 0 ? score > s : score >= 0) return r;
  }
  return NotPlaced;
}

void InsertScore(const char* name, int32_t score) {
  CopyScoreName(ScoreTable[ScorePlaces].name, name, std::strlen(name));
  ScoreTable[ScorePlaces].score = score;
  // Every pair, both ways round: short, and it leaves the scores falling.
  for (int32_t i = 0; i <= ScorePlaces; ++i)
    for (int32_t j = 0; j <= ScorePlaces; ++j)
      if (ScoreTable[j].score < ScoreTable[i].score) {
        ScoreEntry t = ScoreTable[i];
        ScoreTable[i] = ScoreTable[j];
        ScoreTable[j] = t;
      }
}

static bool IsLeadByte(uint8_t b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
static bool IsTrailByte(uint8_t b) { return b >= 0x40 && b <= 0xFC && b != 0x7F; }

void CopyScoreName(char* out, const char* text, size_t length) {
  size_t n = 0;
  for (size_t i = 0; i < length && text[i] && n < ScoreNameLength;) {
    uint8_t b = static_cast<uint8_t>(text[i]);
    if (IsLeadByte(b)) {
      // Half a character (cut off, or followed by what no character holds)
      // is dropped: it would eat the next byte, a line break included.
      if (i + 1 >= length || !IsTrailByte(static_cast<uint8_t>(text[i + 1]))) {
        ++i;
        continue;
      }
      if (n + 2 > ScoreNameLength) break;  // no half character at the end
      out[n++] = text[i++];
      out[n++] = text[i++];
      continue;
    }
    out[n++] = (b == '\r' || b == '\n') ? ' ' : text[i];
    ++i;
  }
  out[n] = 0;
}
