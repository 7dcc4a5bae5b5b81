#include "game/scores/score_file.h"

#include <cstdio>
#include <cstring>

#include "game/scores/score_port.h"

void StartScoreReader(ScoreReader& r) { std::memset(&r, 0, sizeof r); }

int32_t ParseScoreLine(const char* text, size_t length, int32_t* value) {
  size_t i = 0;
  while (i < length && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < length && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  size_t first = i;
  int64_t v = 0;
  for (; i < length && text[i] >= '0' && text[i] <= '9'; ++i) {
    v = v * 10 + (text[i] - '0');
    if (v > int64_t(INT32_MAX) + 1) return 0;
  }
  if (i == first) return 0;
  while (i < length && (text[i] == ' ' || text[i] == '\t')) ++i;
  if (i != length) return 0;
  if (negative) v = -v;
  if (v > INT32_MAX) return 0;
  *value = static_cast<int32_t>(v);
  return 1;
}

static void EndLine(ScoreReader& r) {
  size_t kept = r.length < sizeof r.line ? r.length : sizeof r.line;
  if (kept > 0 && r.line[kept - 1] == '\r' && r.length == kept) --kept;
  if (r.lines % 2 == 0) {
    CopyScoreName(r.name, r.line, kept);
  } else {
    int32_t score = 0;
    // A score line too long for the buffer is no score we could have written.
    if (r.length <= sizeof r.line && ParseScoreLine(r.line, kept, &score) && r.count < ScorePlaces) {
      ScoreEntry& e = r.places[r.count++];
      std::memcpy(e.name, r.name, sizeof e.name);
      e.score = score;
    }
  }
  r.lines += 1;
  r.length = 0;
}

void FeedScoreReader(ScoreReader& r, const char* data, size_t size) {
  for (size_t i = 0; i < size; ++i) {
    if (r.lines >= 2 * ScorePlaces) return;  // nothing after the tenth pair
    if (data[i] == '\n') {
      EndLine(r);
      continue;
    }
    if (r.length < sizeof r.line) r.line[r.length] = data[i];
    r.length += 1;
  }
}

int32_t FinishScoreReader(ScoreReader& r) {
  if (r.length > 0 && r.lines < 2 * ScorePlaces) EndLine(r);
  return r.count;
}

void TakeScores(const ScoreReader& r) {
  ScoreEntry read[ScorePlaces];
  std::memcpy(read, r.places, sizeof read);
  // Stable: places of equal score keep the order of the file. Every score of
  // 0 or less is an empty place, and they all rank alike.
  auto rank = [](const ScoreEntry& e) { return e.score > 0 ? e.score : 0; };
  for (int32_t i = 1; i < r.count; ++i)
    for (int32_t j = i; j > 0 && rank(read[j - 1]) < rank(read[j]); --j) {
      ScoreEntry t = read[j];
      read[j] = read[j - 1];
      read[j - 1] = t;
    }
  for (int32_t i = 0; i < r.count; ++i) ScoreTable[i] = read[i];
}

std::string FormatScoreFile() {
  std::string text;
  for (int32_t i = 0; i < ScorePlaces; ++i) {
    text += ScoreTable[i].name;
    text += "\r\n";
    text += std::to_string(ScoreTable[i].score);
    text += "\r\n";
  }
  return text;
}

static int32_t ReadFile(const std::string& path, ScoreReader& r) {
  StartScoreReader(r);
  if (path.empty()) return 0;
  std::FILE* f = PortOpenScoreFile(path, "rb");
  if (!f) return 0;
  char chunk[4096];
  size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0 && r.lines < 2 * ScorePlaces)
    FeedScoreReader(r, chunk, n);
  std::fclose(f);
  FinishScoreReader(r);
  return 1;
}

// The one file this run reads and writes, chosen by LoadScores.
static std::string ScoreFilePath;

std::string NewScoreFile(const std::string& path) { return path + ".new"; }

// The game's file takes a save only where the new file can be made beside it.
static int32_t CanSaveTo(const std::string& path) {
  return !path.empty() && PortCanWriteFile(path) && PortCanWriteFile(NewScoreFile(path));
}

// The game's folder when it takes the file; the user's folder only when it
// does not (a read-only medium, a protected folder). The other file is never
// read: a run from the medium must not pour its scores into an installed copy.
std::string ChooseScoreFile() {
  std::string main = PortScorePath();
  if (CanSaveTo(main)) return main;
  std::string fallback = PortFallbackScorePath();
  return fallback.empty() ? main : fallback;
}

int32_t LoadScores() {
  ScoresLoaded = 1;
  ScoreFilePath = ChooseScoreFile();
  ScoreReader reader;
  if (!ReadFile(ScoreFilePath, reader)) return 0;
  TakeScores(reader);
  return 1;
}

// The file read is the file written, whatever became writable meanwhile:
// the other one is never touched.
int32_t SaveScores() {
  if (!ScoresLoaded) return 0;
  const std::string& path = ScoreFilePath;
  if (!path.empty() && path == PortFallbackScorePath()) PortMakeFallbackFolder();
  std::string fresh = NewScoreFile(path);
  if (!path.empty() && PortWriteWholeFile(fresh, FormatScoreFile()) && PortReplaceFile(fresh, path))
    return 1;
  if (!path.empty()) PortRemoveFile(fresh);
  PortScoreDebug("score.dat: the high scores could not be saved; the file keeps the table it had\n");
  return 0;
}
