#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "game/scores/score_table.h"

// score.dat: for places 1 to 10, a line with the name and a line with the
// score in decimal, each ending in CR LF.
//
// Read by lines, not by words: a name with a space or an empty name keeps
// its place and every later one. A pair whose score line is not a number is
// dropped alone; what was read is put in falling order, so an empty place
// never hides the ones after it.
struct ScoreReader {
  ScoreEntry places[ScorePlaces];
  int32_t count;    // places read so far
  int32_t lines;    // lines finished so far
  char line[24];    // the first bytes of the line being read
  size_t length;    // bytes of it seen (may pass the buffer)
  char name[12];    // the name line waiting for its score
};

void StartScoreReader(ScoreReader& reader);
void FeedScoreReader(ScoreReader& reader, const char* data, size_t size);
// Ends the last line; returns the number of places read.
int32_t FinishScoreReader(ScoreReader& reader);
// Places 0..9 of the table from what was read; the rest keep their values.
void TakeScores(const ScoreReader& reader);
// The whole file as written.
std::string FormatScoreFile();

// Where the file is kept, chosen once by LoadScores: score.dat in the
// current directory when that file can be written there, otherwise in a
// folder of the user's (%APPDATA%\ZARVEL). Only that one file is read, and
// SaveScores writes only it, and nothing before LoadScores has run.
// SaveScores writes score.dat.new beside it and puts that in its place once
// whole; a save that fails leaves the file as it was and says so (the
// port's debug line). 1 when the file was read / written.
int32_t LoadScores();
int32_t SaveScores();
// The new file a save writes before it replaces `path`.
std::string NewScoreFile(const std::string& path);
// The file LoadScores picks (empty: none).
std::string ChooseScoreFile();
// Parses one score line: optional blanks, sign, digits, optional blanks.
// 0 when it is no number or leaves 32 bits.
int32_t ParseScoreLine(const char* text, size_t length, int32_t* value);
