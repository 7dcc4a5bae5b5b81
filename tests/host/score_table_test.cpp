#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "game/scores/host/host_scores.h"
#include "game/scores/score_file.h"
#include "game/scores/score_table.h"

namespace {
void Fill(const std::vector<int32_t>& scores) {
  ClearScores();
  for (size_t i = 0; i < scores.size(); ++i) {
    std::snprintf(ScoreTable[i].name, sizeof ScoreTable[i].name, "P%zu", i + 1);
    ScoreTable[i].score = scores[i];
  }
}

// Reads a whole file's text into the table, as LoadScores does.
int32_t Read(const std::string& text) {
  ClearScores();
  ScoreReader r;
  StartScoreReader(r);
  FeedScoreReader(r, text.data(), text.size());
  int32_t n = FinishScoreReader(r);
  TakeScores(r);
  return n;
}

std::string Table() {
  std::string s;
  for (int32_t i = 0; i < ScorePlaces; ++i)
    s += std::string(ScoreTable[i].name) + "=" + std::to_string(ScoreTable[i].score) + ";";
  return s;
}

std::string Slurp(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}
}  // namespace

TEST(ScoreRank, PlaceOfAScore) {
  std::vector<int32_t> full = {9000, 8000, 7000, 6000, 5500, 5400, 5300, 5200, 5100, 5000};
  struct Case {
    std::vector<int32_t> table;
    int32_t score, rank;
  } cases[] = {
      {{}, 1200, 1},
      {{}, 0, 1},  // an empty place takes a score of 0
      {{}, -1, NotPlaced},
      {full, 5000, NotPlaced},  // equal to the tenth: below it
      {full, 5001, 10},
      {full, 9001, 1},
      {full, 9000, 2},
      {{3000, 2000}, 2000, 3},
      {{3000, 2000}, 0, 3},
  };
  for (const Case& c : cases) {
    Fill(c.table);
    EXPECT_EQ(FindRank(c.score), c.rank) << "score " << c.score;
  }
}

TEST(ScoreInsert, NewScoreTakesItsPlaceAndTheLowestDropsOut) {
  struct Case {
    std::vector<int32_t> table;
    int32_t score;
    std::vector<int32_t> after;
  } cases[] = {
      {{}, 1200, {1200, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
      {{3000, 1000}, 2000, {3000, 2000, 1000, 0, 0, 0, 0, 0, 0, 0}},
      {{10, 9, 8, 7, 6, 5, 4, 3, 2, 1}, 5, {10, 9, 8, 7, 6, 5, 5, 4, 3, 2}},
      {{10, 9, 8, 7, 6, 5, 4, 3, 2, 1}, 11, {11, 10, 9, 8, 7, 6, 5, 4, 3, 2}},
  };
  for (const Case& c : cases) {
    Fill(c.table);
    InsertScore("NEW", c.score);
    std::vector<int32_t> got;
    for (int32_t i = 0; i < ScorePlaces; ++i) got.push_back(ScoreTable[i].score);
    EXPECT_EQ(got, c.after) << "score " << c.score;
  }
}

TEST(ScoreName, KeptAsTheFileCanHoldIt) {
  struct Case {
    std::string typed, kept;
  } cases[] = {
      {"AB CD", "AB CD"},
      {"", ""},
      {"ABCDEFGHIJKL", "ABCDEFGHIJ"},
      {"A\r\nB", "A  B"},                               // never a line break in the file
      {"ABCDEFGHI\x83\x41", "ABCDEFGHI"},               // no half character at the end
      {"\x83\x41\x83\x42\x83\x43\x83\x44\x83\x45", "\x83\x41\x83\x42\x83\x43\x83\x44\x83\x45"},
      {"ABCDEFGHI\x83", "ABCDEFGHI"},                 // cut in half before it came here
      {"ABCDEFGH\x83\x41\x83", "ABCDEFGH\x83\x41"},
      {"A\x83\nB", "A B"},                             // a lead byte never swallows a line break
      {"\xE0", ""},
  };
  for (const Case& c : cases) {
    char out[12];
    CopyScoreName(out, c.typed.c_str(), c.typed.size());
    EXPECT_EQ(std::string(out), c.kept) << c.typed;
  }
}

// What the old word-by-word reader lost now reads whole; every file it read
// reads the same.
TEST(ScoreFile, ReadByLines) {
  struct Case {
    const char* what;
    std::string text;
    int32_t read;
    std::string table;
  } cases[] = {
      {"name with a space", "AB CD\r\n900\r\nEF\r\n800\r\n", 2,
       "AB CD=900;EF=800;=0;=0;=0;=0;=0;=0;=0;=0;"},
      {"empty name", "\r\n900\r\nEF\r\n800\r\n", 2, "=900;EF=800;=0;=0;=0;=0;=0;=0;=0;=0;"},
      {"line feeds only, no last break", "A\n3\nB\n2", 2, "A=3;B=2;=0;=0;=0;=0;=0;=0;=0;=0;"},
      {"a bad score drops its place alone", "A\r\n3x\r\nB\r\n2\r\n", 1,
       "B=2;=0;=0;=0;=0;=0;=0;=0;=0;=0;"},
      {"out of order: sorted, equal ones keep their order", "A\n1\nB\n5\nC\n5\n", 3,
       "B=5;C=5;A=1;=0;=0;=0;=0;=0;=0;=0;"},
      {"long name cut to ten bytes", "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123\n7\n", 1,
       "ABCDEFGHIJ=7;=0;=0;=0;=0;=0;=0;=0;=0;=0;"},
      {"score past 32 bits", "A\n2147483648\nB\n-2147483648\nC\n2147483647\n", 2,
       "C=2147483647;B=-2147483648;=0;=0;=0;=0;=0;=0;=0;=0;"},
      {"scores of 0 or less are empty places, kept in file order", "A\n-5\nB\n0\nC\n3\n", 3,
       "C=3;A=-5;B=0;=0;=0;=0;=0;=0;=0;=0;"},
      {"blanks round a score", "A\n  42 \n", 1, "A=42;=0;=0;=0;=0;=0;=0;=0;=0;=0;"},
      {"truncated after a name", "A\n42\nB\n", 1, "A=42;=0;=0;=0;=0;=0;=0;=0;=0;=0;"},
      {"binary", std::string("\0\xff\n\x01\n\n\n", 7), 0, "=0;=0;=0;=0;=0;=0;=0;=0;=0;=0;"},
      {"empty file", "", 0, "=0;=0;=0;=0;=0;=0;=0;=0;=0;=0;"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Read(c.text), c.read) << c.what;
    EXPECT_EQ(Table(), c.table) << c.what;
  }
}

TEST(ScoreFile, WrittenTableReadsBackWhole) {
  Fill({5000, 4000, 300, 20, 1});
  InsertScore("AB CD", 4500);
  InsertScore("", 100);
  std::string before = Table();
  std::string text = FormatScoreFile();
  EXPECT_EQ(text.substr(0, 21), "P1\r\n5000\r\nAB CD\r\n4500");
  Read(text);
  EXPECT_EQ(Table(), before);
  EXPECT_EQ(FormatScoreFile(), text);
}

TEST(ScoreFile, HugeLinesAndTrailingGarbageLoseNoPlace) {
  std::string text = std::string(1 << 20, 'N') + "\n10\nB\n9\n";
  for (int i = 0; i < 20; ++i) text += "X\n1\n";  // past the tenth pair: ignored
  EXPECT_EQ(Read(text), 10);
  EXPECT_EQ(std::string(ScoreTable[0].name), "NNNNNNNNNN");
  EXPECT_EQ(ScoreTable[1].score, 9);
  EXPECT_EQ(ScoreTable[9].score, 1);
}

class ScoreFiles : public ::testing::Test {
 protected:
  std::filesystem::path dir;
  void SetUp() override {
    dir = std::filesystem::temp_directory_path() /
          ("zarvel_scores_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
           "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir / "game");
  }
  void TearDown() override {
    HostSetScorePaths("", "");
    std::filesystem::remove_all(dir);
    ClearScores();
  }
};

// One file per run: the game's own when it can be written, the user's only
// when it cannot; the other is neither read nor written, and nothing merges.
TEST_F(ScoreFiles, OnlyTheChosenFileIsReadAndWritten) {
  const char* none = nullptr;
  const char* blocked = "";  // a folder stands where the game's file would go
  struct Case {
    const char* game;     // the game's score.dat
    const char* appData;  // the user's one
    const char* table;    // after loading
    bool savedInGame;
  } cases[] = {
      {"A\r\n900\r\nB\r\n500\r\n", "A\r\n900\r\nC\r\n700\r\n", "A=900;B=500;", true},
      {none, "C\r\n700\r\n", "", true},
      {"A\r\n900\r\nA\r\n900\r\n", none, "A=900;A=900;", true},  // equal pairs stay two
      {blocked, "A\r\n900\r\nC\r\n700\r\n", "A=900;C=700;", false},
      {blocked, none, "", false},
  };
  for (const Case& c : cases) {
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir / "game");
    auto game = dir / "game" / "score.dat", appData = dir / "appdata" / "score.dat";
    if (c.game == blocked) std::filesystem::create_directories(game);
    else if (c.game) std::ofstream(game, std::ios::binary) << c.game;
    if (c.appData) {
      std::filesystem::create_directories(dir / "appdata");
      std::ofstream(appData, std::ios::binary) << c.appData;
    }
    HostSetScorePaths(game.string(), (dir / "appdata").string());
    Fill({});
    LoadScores();
    std::string expected = c.table;
    while (std::count(expected.begin(), expected.end(), ';') < ScorePlaces) expected += "=0;";
    EXPECT_EQ(Table(), expected);
    InsertScore("NEW", 1);
    EXPECT_EQ(SaveScores(), 1) << c.table;
    auto written = c.savedInGame ? game : appData, untouched = c.savedInGame ? appData : game;
    EXPECT_EQ(Slurp(written), FormatScoreFile()) << c.table;
    const char* before = c.savedInGame ? c.appData : c.game;
    bool wasAFile = before != none && before != blocked;
    if (wasAFile) {
      EXPECT_EQ(Slurp(untouched), before) << c.table;
    }
  }
}

TEST_F(ScoreFiles, NowhereToWriteIsReportedNotHidden) {
  std::filesystem::create_directories(dir / "game" / "score.dat");
  std::ofstream(dir / "blocked") << "a file where the folder should be";
  HostSetScorePaths((dir / "game" / "score.dat").string(), (dir / "blocked").string());
  LoadScores();
  EXPECT_EQ(SaveScores(), 0);
  EXPECT_EQ(HostScoreDebugLines().size(), 1u);
}

TEST_F(ScoreFiles, MissingFileChangesNothing) {
  HostSetScorePaths((dir / "game" / "score.dat").string(), (dir / "appdata").string());
  Fill({50});
  EXPECT_EQ(LoadScores(), 0);
  EXPECT_EQ(ScoreTable[0].score, 50);
  EXPECT_FALSE(std::filesystem::exists(dir / "game" / "score.dat"));  // never made by reading
}

TEST_F(ScoreFiles, NothingIsWrittenBeforeTheTableWasRead) {
  // A start-up that fails before the scores are loaded still shuts down.
  HostSetScorePaths((dir / "game" / "score.dat").string(), (dir / "appdata").string());
  std::ofstream(dir / "game" / "score.dat", std::ios::binary) << "A\r\n900\r\n";
  ClearScores();
  EXPECT_EQ(SaveScores(), 0);
  EXPECT_EQ(Slurp(dir / "game" / "score.dat"), "A\r\n900\r\n");
  EXPECT_EQ(LoadScores(), 1);
  EXPECT_EQ(SaveScores(), 1);
  EXPECT_EQ(Slurp(dir / "game" / "score.dat").substr(0, 10), "A\r\n900\r\n\r\n");
}

// Whether the game's folder takes the file can change during a run (a
// sharing violation, a medium put back): the file that was read is the
// file that is written, and the other one is never touched. A game file
// the save cannot replace keeps the table it had.
TEST_F(ScoreFiles, TheFileReadIsTheFileWritten) {
  const char* gameTable = "A\r\n900\r\n";
  enum Block { Free, FolderOnFile, FolderBeside };  // a folder where the file or the new file goes
  struct Case {
    const char* name;
    bool gameFile;  // score.dat in the game's folder before the run
    Block atStart, atExit;
    int32_t saved;
    bool inGame;  // where the table went, if saved
  } cases[] = {
      {"refused at start, free at exit", false, FolderOnFile, Free, 1, false},
      {"no room beside it at start, free at exit", true, FolderBeside, Free, 1, false},
      {"free at start, refused at exit", true, Free, FolderBeside, 0, false},
      {"free at start and at exit", true, Free, Free, 1, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir / "game");
    auto game = dir / "game" / "score.dat", appData = dir / "appdata" / "score.dat";
    auto block = [&](Block b) {
      std::filesystem::remove(dir / "game" / "score.dat.new");
      if (!c.gameFile) std::filesystem::remove(game);
      if (b == FolderOnFile) std::filesystem::create_directories(game);
      if (b == FolderBeside) std::filesystem::create_directories(dir / "game" / "score.dat.new");
    };
    if (c.gameFile) std::ofstream(game, std::ios::binary) << gameTable;
    HostSetScorePaths(game.string(), (dir / "appdata").string());
    block(c.atStart);
    LoadScores();
    block(c.atExit);
    InsertScore("NEW", 1000);
    EXPECT_EQ(SaveScores(), c.saved);
    EXPECT_EQ(HostScoreDebugLines().size(), c.saved ? 0u : 1u);
    std::string gameAfter = c.gameFile ? gameTable : "";
    if (c.saved && c.inGame) gameAfter = FormatScoreFile();
    EXPECT_EQ(std::filesystem::is_regular_file(game), c.gameFile);
    EXPECT_EQ(Slurp(game), gameAfter);
    EXPECT_EQ(std::filesystem::exists(appData), c.saved && !c.inGame);
    if (c.saved && !c.inGame) {
      EXPECT_EQ(Slurp(appData), FormatScoreFile());
    }
  }
}

// A disk that fills, or a quota, in the middle of a save: the table on disk
// is the previous one, whole, and no new file is left beside it.
TEST_F(ScoreFiles, ASaveCutShortKeepsThePreviousTable) {
  auto game = dir / "game" / "score.dat";
  Fill({900, 800, 700, 600, 500, 400, 300, 200, 100, 50});
  const std::string previous = Table();
  InsertScore("NEW", 1000);
  const std::string next = Table();
  const int64_t whole = int64_t(FormatScoreFile().size());
  struct Case {
    int64_t limit;  // bytes the disk takes
    int32_t saved;
  } cases[] = {{0, 0}, {1, 0}, {64, 0}, {whole - 1, 0}, {whole, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.limit);
    HostSetScorePaths(game.string(), "");
    std::filesystem::remove(game);
    Fill({900, 800, 700, 600, 500, 400, 300, 200, 100, 50});
    LoadScores();
    ASSERT_EQ(SaveScores(), 1);
    const std::string before = Slurp(game);
    InsertScore("NEW", 1000);
    HostLimitScoreWrites(c.limit);
    EXPECT_EQ(SaveScores(), c.saved);
    EXPECT_EQ(Slurp(game), c.saved ? FormatScoreFile() : before);
    EXPECT_FALSE(std::filesystem::exists(dir / "game" / "score.dat.new"));
    ClearScores();
    EXPECT_EQ(LoadScores(), 1);
    EXPECT_EQ(Table(), c.saved ? next : previous);
  }
}
