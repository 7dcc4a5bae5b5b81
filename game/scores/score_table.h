#pragma once
#include <cstddef>
#include <cstdint>

// The ten best scores with a name each; entry 10 takes a new score while it
// is being inserted. A place with a score of 0 or less is empty.
struct ScoreEntry {
  char name[12];
  int32_t score;
};

constexpr int32_t ScorePlaces = 10;
constexpr int32_t NotPlaced = 9999;
constexpr int32_t ScoreNameLength = 10;  // what the name edit takes, in bytes

extern ScoreEntry ScoreTable[ScorePlaces + 1];
extern int32_t PendingScore;
extern int32_t PendingRank;
// 1 once LoadScores has run: before that the table in memory is not the
// player's, and saving it would wipe the file (a start-up that fails early).
extern int32_t ScoresLoaded;

// Every name empty and every score 0, nothing loaded: as at program start.
void ClearScores();
// Place 1..10 the score would take, or NotPlaced. An equal score ranks below.
int32_t FindRank(int32_t score);
// Puts name and score into entry 10 and sorts the eleven into falling order;
// entry 10 then holds the lowest and drops out.
void InsertScore(const char* name, int32_t score);
// The name as it is kept: at most ScoreNameLength bytes, never half a
// Shift-JIS character, no line breaks (the file is line based).
void CopyScoreName(char* out, const char* text, size_t length);
