#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "game/actors/block_kinds.h"
#include "game/actors/spawn_scripts.h"
#include "game/actors/stage_maps.h"

namespace {

struct StageFigures {
  int stage;
  int rowsBeforeClearing;
  int clearingFrame;
  const char* cellsUsed;
  size_t events;
  std::map<int, int> typeCounts;
};

const StageFigures Figures[] = {
    {0, 164, 5279, "ABCDEGHI", 832, {{0, 119}, {1, 223}, {2, 196}, {3, 23}, {4, 113}, {5, 158}}},
    {1, 155, 4991, "ABCDEGHI", 983, {{0, 469}, {1, 190}, {2, 14}, {3, 28}, {5, 266}, {6, 1}, {8, 15}}},
    {2, 138, 4447, "ABEFGHI", 25, {{8, 24}, {0, 1}}},
};

int RowsBeforeClearing(const StageMap& map) {
  for (int r = 0; r < map.rowCount; ++r)
    if (map.rows[r][0] == '+') return r;
  return -1;
}

// MapStep reads row FrameCount / 32 whenever its tick comes round: at frame -1
// and then at 31, 63, ... The first frame that reads row r.
int FrameReadingRow(int row) {
  for (int frame = 0;; ++frame)
    if ((frame + 1) % 32 == 0 && frame / 32 == row) return frame;
}

std::vector<SpawnEvent> Events(int stage) {
  std::vector<SpawnEvent> events;
  for (const SpawnEvent* e = SpawnScripts[stage]; e->type != ScriptEndType; ++e) events.push_back(*e);
  return events;
}

struct Replay {
  std::vector<int> spawnFrames;  // one per event, in script order
  int exhaustedFrame = -1;
};

// SpawnStep's timing over the script alone (no boss before frame 2560, no
// clearing): FrameCount runs from -1; an event spawns when time + ScriptBase
// equals FrameCount, and ScriptBase jumps to FrameCount when an event is
// already overdue. "Exhausted at" is read as the first frame in which
// SpawnStep finds the end record: the frame after the last scripted spawn.
// (With stage 0 the opening's time-10 and time-20 events come at 10 and 20,
// the second wave's first events at 31.)
Replay ReplaySpawnTimes(const SpawnEvent* script, int lastFrame) {
  Replay replay;
  int index = 0;
  int base = 0;
  for (int frame = -1; frame <= lastFrame; ++frame) {
    const SpawnEvent* e = &script[index];
    if (e->type == ScriptEndType) {
      replay.exhaustedFrame = frame;
      return replay;
    }
    if (e->time + base < frame) base = frame;
    while (e->time + base == frame) {
      replay.spawnFrames.push_back(frame);
      e = &script[++index];
    }
  }
  return replay;
}

TEST(StageMap, FiguresOfEveryStage) {
  for (const StageFigures& f : Figures) {
    SCOPED_TRACE(f.stage);
    const StageMap& map = StageMaps[f.stage];
    EXPECT_EQ(RowsBeforeClearing(map), f.rowsBeforeClearing);
    EXPECT_EQ(map.rowCount, f.rowsBeforeClearing + 1);
    EXPECT_EQ(FrameReadingRow(f.rowsBeforeClearing), f.clearingFrame);
    EXPECT_STREQ(map.rows[f.rowsBeforeClearing], "++++++++++++++++++++++++");
    std::set<char> blocks, fillers;
    for (int r = 0; r < f.rowsBeforeClearing; ++r) {
      EXPECT_EQ(std::strlen(map.rows[r]), 24u) << "row " << r;
      EXPECT_EQ(map.rows[r][24], '\0') << "row " << r;
      for (int i = 0; i < 24; ++i) (FindBlockKind(map.rows[r][i]) ? blocks : fillers).insert(map.rows[r][i]);
    }
    EXPECT_EQ(std::string(blocks.begin(), blocks.end()), f.cellsUsed);
    EXPECT_EQ(std::string(fillers.begin(), fillers.end()), " ");
  }
}

TEST(StageMap, RowsAreContiguous25Bytes) {
  for (const StageMap& map : StageMaps)
    EXPECT_EQ(reinterpret_cast<const char*>(map.rows + 1) - reinterpret_cast<const char*>(map.rows), 25);
}

// The quoted rows of 23 characters stand for rows whose 24th cell is empty
// (the 64-row block at cell 22 covers it).
TEST(StageMap, TellingRows) {
  const MapRow* s0 = StageMaps[0].rows;
  EXPECT_STREQ(s0[0], "I                      H");
  EXPECT_STREQ(s0[1], "HI                    IH");
  EXPECT_STREQ(s0[2], "HIH                  HIH");
  EXPECT_STREQ(s0[3], "HIII                HHHI");
  for (int r = 73; r <= 161; ++r)
    EXPECT_STREQ(s0[r], (r - 73) % 4 == 3 ? "B B B B B C         C B " : "A A A A A C         C A ") << r;
  EXPECT_STRNE(s0[72], "A A A A A C         C A ");
  EXPECT_STRNE(s0[162], "A A A A A C         C A ");

  const MapRow* s1 = StageMaps[1].rows;
  for (int r = 0; r < 8; ++r) EXPECT_STREQ(s1[r], "                        ") << r;
  const char* ending[] = {"B C E               C B ", "                        ",
                          "A C E               C A ", "                        "};
  for (int k = 0; k < 16; ++k) EXPECT_STREQ(s1[139 + k], ending[k % 4]) << 139 + k;

  EXPECT_STREQ(StageMaps[2].rows[0], "AAE                 G F ");
}

TEST(SpawnScript, CountsPerStage) {
  for (const StageFigures& f : Figures) {
    SCOPED_TRACE(f.stage);
    const std::vector<SpawnEvent> events = Events(f.stage);
    EXPECT_EQ(events.size(), f.events);
    std::map<int, int> counts;
    for (const SpawnEvent& e : events) ++counts[e.type];
    EXPECT_EQ(counts, f.typeCounts);
    const SpawnEvent& end = SpawnScripts[f.stage][events.size()];
    EXPECT_EQ(end.time, 32767);
    EXPECT_EQ(end.x, 0);
    EXPECT_EQ(end.y, 0);
  }
}

void ExpectEvents(const SpawnEvent* got, const std::vector<SpawnEvent>& want) {
  for (size_t i = 0; i < want.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(got[i].time, want[i].time);
    EXPECT_EQ(got[i].x, want[i].x);
    EXPECT_EQ(got[i].y, want[i].y);
    EXPECT_EQ(got[i].type, want[i].type);
  }
}

TEST(SpawnScript, GivenEvents) {
  ExpectEvents(SpawnScripts[0], {{10, 638, 266, 2}, {10, 138, -62, 5}, {10, 138, 758, 5}, {10, 638, 522, 2},
                                 {10, 638, 10, 0}, {10, 638, 778, 0}, {20, 638, 266, 2}, {20, 638, 522, 2}});

  std::vector<SpawnEvent> opening1;
  const int16_t rows[7][2] = {{10, 778}, {138, 650}, {266, 522}, {394, 650}, {266, 522}, {138, 650}, {10, 778}};
  for (int k = 0; k < 7; ++k)
    for (int j = 0; j < 2; ++j) opening1.push_back({int16_t(5 + 5 * k), 638, rows[k][j], 0});
  ExpectEvents(SpawnScripts[1], opening1);
  EXPECT_GT(SpawnScripts[1][14].time, 0);
  EXPECT_LT(SpawnScripts[1][14].time, 35);  // the opening is a wave of its own
  const std::vector<SpawnEvent> events1 = Events(1);
  ExpectEvents(&events1.back(), {{100, 638, 10, 6}});

  std::vector<SpawnEvent> script2;
  for (int wave = 0; wave < 3; ++wave)
    for (int16_t t : {10, 20})
      for (int16_t y : {10, 266, 522, 778}) script2.push_back({t, 638, y, 8});
  script2.push_back({10000, 638, 10, 0});
  script2.push_back({32767, 0, 0, -1});
  ExpectEvents(SpawnScripts[2], script2);
}

TEST(SpawnScript, SpawnFrames) {
  const Replay s0 = ReplaySpawnTimes(SpawnScripts[0], 2559);
  ASSERT_GE(s0.spawnFrames.size(), 10u);
  EXPECT_EQ(s0.spawnFrames[0], 10);
  EXPECT_EQ(s0.spawnFrames[5], 10);
  EXPECT_EQ(s0.spawnFrames[6], 20);
  EXPECT_EQ(s0.spawnFrames[7], 20);
  EXPECT_EQ(s0.spawnFrames[8], 31);
  EXPECT_EQ(s0.spawnFrames.size(), 832u);
  EXPECT_EQ(s0.spawnFrames.back(), 2441);
  EXPECT_EQ(s0.exhaustedFrame, 2442);

  const Replay s1 = ReplaySpawnTimes(SpawnScripts[1], 2559);
  EXPECT_EQ(s1.spawnFrames.size(), 983u);
  EXPECT_EQ(s1.spawnFrames.back(), 2218);
  EXPECT_EQ(s1.exhaustedFrame, 2219);

  // Stage 2: its waves end at 62, and the time-10000 event is never reached
  // before the boss.
  const Replay s2 = ReplaySpawnTimes(SpawnScripts[2], 2559);
  EXPECT_EQ(s2.spawnFrames.size(), 24u);
  EXPECT_EQ(s2.spawnFrames.back(), 62);
  EXPECT_EQ(s2.exhaustedFrame, -1);
}

TEST(SpawnScript, PlacementFitsEachType) {
  for (int stage = 0; stage < 2; ++stage) {
    for (const SpawnEvent& e : Events(stage)) {
      SCOPED_TRACE(testing::Message() << stage << ": " << e.time << " " << e.x << " " << e.y << " " << e.type);
      if (e.type == 5) {
        EXPECT_TRUE(e.y == -62 || e.y == 758);  // swoops come from beyond the visible rows
        EXPECT_LT(e.x + 29 * 12, 767);  // and turn back before leaving the screen
      } else if (e.type != 4) {
        EXPECT_EQ(e.x, 638);
        EXPECT_GE(e.y, 0);
        EXPECT_LE(e.y, 778);
      }
    }
  }
}

struct KindFigures {
  char cell;
  int frameCount, frameHold, anchor;
  Rect first, last;
};

TEST(BlockKind, TableAgainstTheKinds) {
  const KindFigures kinds[] = {
      {'A', 1, 1, 0, {192, 128, 256, 192}, {192, 128, 256, 192}},
      {'B', 61, 1, 0, {0, 128, 64, 192}, {32, 128, 96, 192}},
      {'C', 76, 1, 0, {0, 0, 64, 64}, {0, 0, 64, 64}},
      {'D', 3, 3, 0, {64, 64, 128, 128}, {64, 64, 128, 128}},
      {'E', 30, 2, 0, {192, 64, 256, 192}, {192, 96, 256, 192}},
      {'F', 4, 5, 0, {128, 128, 192, 192}, {0, 192, 64, 256}},
      {'G', 30, 2, 2, {192, 128, 256, 192}, {192, 128, 256, 192}},
      {'H', 1, 1, 0, {192, 128, 256, 160}, {192, 128, 256, 160}},
      {'I', 1, 1, 0, {192, 160, 256, 192}, {192, 160, 256, 192}},
  };
  for (const KindFigures& k : kinds) {
    SCOPED_TRACE(k.cell);
    const BlockKindInfo* info = FindBlockKind(k.cell);
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info, &BlockKinds[k.cell - 'A']);
    EXPECT_EQ(info->frameCount, k.frameCount);
    EXPECT_EQ(info->frameHold, k.frameHold);
    EXPECT_EQ(info->anchor, k.anchor);
    for (int i = 0; i < info->frameCount; ++i) EXPECT_EQ(RectWidth(info->frames[i]), 64) << i;
    const Rect& first = info->frames[0];
    const Rect& last = info->frames[info->frameCount - 1];
    EXPECT_EQ(std::vector<int>({first.left, first.top, first.right, first.bottom}),
              std::vector<int>({k.first.left, k.first.top, k.first.right, k.first.bottom}));
    EXPECT_EQ(std::vector<int>({last.left, last.top, last.right, last.bottom}),
              std::vector<int>({k.last.left, k.last.top, k.last.right, k.last.bottom}));
  }
  for (char c : {'@', 'J', ' ', '+', '0', '\t', '\0', 'a'}) EXPECT_EQ(FindBlockKind(c), nullptr) << int(c);
}

// The long sequences, summarised: which frame shows, and how tall it is.
TEST(BlockKind, LongSequences) {
  auto sequence = [](char cell, auto key) {
    const BlockKindInfo* info = FindBlockKind(cell);
    std::string s;
    for (int i = 0; i < info->frameCount; ++i) s += key(info->frames[i]);
    return s;
  };
  EXPECT_EQ(sequence('B', [](const Rect& r) { return r.left == 0 ? "0" : "1"; }),
            "0001110001110101010100011100011101010101000000000000000111111");
  EXPECT_EQ(sequence('C', [](const Rect& r) { return std::to_string(r.top == 64 ? 4 : r.left / 64); }),
            "0123400123400432100432100000000012340012340043210043210000000001232100123210");
  auto heights = [](char cell) {
    const BlockKindInfo* info = FindBlockKind(cell);
    std::vector<int> h;
    for (int i = 0; i < info->frameCount; ++i) h.push_back(RectHeight(info->frames[i]));
    return h;
  };
  EXPECT_EQ(heights('E'), std::vector<int>({128, 128, 96, 64, 32, 1, 1, 32, 64, 96, 128, 128, 96, 64, 32,
                                            1, 1, 16, 32, 48, 64, 64, 48, 32, 16, 1, 1, 32, 64, 96}));
  EXPECT_EQ(heights('G'), std::vector<int>({64, 48, 32, 16, 1, 1, 32, 64, 96, 128, 128, 96, 64, 32, 1,
                                            1, 32, 64, 96, 128, 128, 96, 64, 32, 1, 1, 16, 32, 48, 64}));
}

}  // namespace
