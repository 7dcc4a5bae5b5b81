// Every rectangle the game's code cuts, taken from its tables and from what
// played stages ask the display for, lies on the sheet the art puts it on
// and shows something there.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "game/actors/actor.h"
#include "game/actors/block_kinds.h"
#include "game/actors/boss.h"
#include "game/actors/bullet.h"
#include "game/actors/enemy_types.h"
#include "game/actors/ship.h"
#include "game/media/bitmap.h"
#include "game/media/display.h"
#include "game/media/host/host_display.h"
#include "game/shell/shared_state.h"
#include "tests/host/world_fixture.h"

namespace {
using Cut = std::tuple<std::string, int32_t, int32_t, int32_t, int32_t>;  // file, l, t, r, b

std::string SheetFile(int32_t sheet, int32_t stage) {
  static const char* const files[] = {"font_.bmp", "comm_.bmp", "", "block1_.bmp", "enamy1_.bmp",
                                      "boss1_.bmp"};
  if (sheet == BackSheet) return stage == 0 ? "back_.bmp" : "back2_.bmp";
  return files[sheet];
}

void AddTableCuts(std::set<Cut>& cuts) {
  auto add = [&](int32_t sheet, const Rect& r) {
    cuts.insert({SheetFile(sheet, 0), r.left, r.top, r.right, r.bottom});
  };
  for (const Weapon& w : WeaponTable) add(CommonSheet, w.frame);
  for (const Rect& r : ExplosionFrames) add(CommonSheet, r);
  for (const Rect* r : {&BulletFrame, &BossBeamFrame, &BossShotFrame}) add(CommonSheet, *r);
  for (const EnemyType& t : EnemyTypeTable)
    for (int i = 0; i < t.frameCount; ++i) add(EnemySheet, t.frames[i]);
  for (const BlockKindInfo& k : BlockKinds)
    for (int i = 0; i < k.frameCount; ++i) add(BlockSheet, k.frames[i]);
  for (const Rect& r : BossFrames) add(BossSheet, r);
}

// Plays the stage with fire held, the weapons changed in turn and a bomb,
// and keeps every source rectangle asked for.
void AddPlayedCuts(std::set<Cut>& cuts, int32_t stage, int64_t frames) {
  std::string text = "0 fire M\n";
  for (int i = 1; i <= 5; ++i) {
    text += std::to_string(i * 200) + " fire M weapon up\n" + std::to_string(i * 200 + 1) + " fire M\n";
  }
  text += "1500 bomb M\n1501 fire M down\n";
  std::vector<KeyChange> script;
  std::string error;
  ASSERT_TRUE(ParseKeyScript(text, script, error)) << error;
  SimOptions options;
  options.stage = stage;
  options.frames = frames;
  options.recordBlits = true;
  RunSim(options, script, [&](int64_t) {
    for (const HostBlit& b : HostBlitRequests()) {
      if (b.sheet < 0) continue;
      cuts.insert({SheetFile(b.sheet, StageNumber), b.source.left, b.source.top, b.source.right,
                    b.source.bottom});
    }
    HostClearRecords();
  });
}

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// The colour table's entry for TransparentColour, RGB(26, 3, 255); -1 if none.
int KeyIndex(const std::vector<uint8_t>& file) {
  if (file.size() < 18) return -1;
  size_t table = 14 + ReadLe32(&file[14]);
  for (int i = 0; i < 256 && table + 4 * i + 3 <= file.size(); ++i) {
    const uint8_t* e = &file[table + 4 * i];
    if (e[0] == 255 && e[1] == 3 && e[2] == 26) return i;
  }
  return -1;
}
}  // namespace

using ArtCuts = World;

TEST_F(ArtCuts, EveryRectangleTheGameCutsIsOnItsSheetAndVisible) {
  std::set<Cut> cuts;
  AddTableCuts(cuts);
  AddPlayedCuts(cuts, 0, 1800);
  AddPlayedCuts(cuts, 2, 2900);  // to the boss's attack
  ASSERT_GT(cuts.size(), 100u);  // tables, HUD, text, tiles, stars, gauge lengths
  for (const Cut& cut : cuts) {
    const auto& [file, left, top, right, bottom] = cut;
    SCOPED_TRACE(file + " (" + std::to_string(left) + ", " + std::to_string(top) + ", " +
                 std::to_string(right) + ", " + std::to_string(bottom) + ")");
    std::vector<uint8_t> bytes = ReadFile(HostDataDir() + "/" + file);
    DecodedBitmap bmp;
    ASSERT_EQ(DecodeBitmapFile(bytes.data(), bytes.size(), bmp), 1);
    int key = KeyIndex(bytes);
    ASSERT_GE(key, 0);
    ASSERT_TRUE(left >= 0 && top >= 0 && left < right && top < bottom);
    ASSERT_LE(right, bmp.width);
    ASSERT_LE(bottom, bmp.height);
    int visible = 0;
    for (int32_t y = top; y < bottom; ++y)
      for (int32_t x = left; x < right; ++x) visible += bmp.pixels[size_t(y) * bmp.width + x] != key;
    EXPECT_GT(visible, 0);
  }
}
