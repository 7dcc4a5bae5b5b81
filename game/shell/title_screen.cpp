#include "game/shell/title_screen.h"

#include "game/actors/actor.h"
#include "game/actors/ship.h"
#include "game/actors/shot.h"
#include "game/media/display.h"
#include "game/media/font.h"
#include "game/media/random.h"
#include "game/media/screen_effect.h"
#include "game/media/text_port.h"
#include "game/shell/game_status.h"
#include "game/shell/shared_state.h"
#include "game/shell/stage_loop.h"

const char* const LevelLabels[5] = {
    "* VERY EASY *", "* EASY *", "* NOMAL *", "* HARD! *", "* VERY HARD!! *",
};

const char TitleText[] = "ZARVEL";
const char HelpText[] =
    " - GAME Ctrl -\n"
    "STRIKE : 'Z' key or Space key\n"
    "Change arms : 'X' key or Shift key\n"
    "Flash BOM : 'C' key or 'F' key\n"
    "PAUSE : Enter (Return) key or 'P' key\n"
    "MOVE : Ten key or cusror key\n"
    "If you have a joystick, you can use it too.\n"
    "\n"
    "Game Start : STRIKE ('Z' Key or Space Key)\n"
    "Exit : ESC key or F12 key\n"
    "\n\n\n\n"
    "ZARVEL - a free horizontally scrolling shooter\n"
    "made by the ZARVEL team";

constexpr Rect TitleRect{0, 96, 640, 480};
constexpr Rect HelpRect{128, 192, 512, 480};
constexpr uint32_t TitleStarSeed = 0x97781835;

int32_t LevelMarkerX(int32_t level) { return 332 + 24 * level; }
int32_t LevelLabelX(const char* label) {
  int32_t length = 0;
  while (label[length]) ++length;
  return 320 - 12 * length / 2;
}

// A direction is pressed when any of its bits (key or stick) is set now and
// none was before: the stick moved while the key is held is no new press.
static bool NewlyPressed(int32_t input, int32_t previous, int32_t mask) {
  return (input & mask) != 0 && (previous & mask) == 0;
}

int32_t NextLevel(int32_t level, int32_t input, int32_t previous) {
  if (NewlyPressed(input, previous, InputRight)) level = level + 1 > 4 ? 0 : level + 1;
  if (NewlyPressed(input, previous, InputLeft)) level = level - 1 < 0 ? 4 : level - 1;
  return level;
}

// The red title slides left from under the blue one by half a pixel a frame:
// its rectangle loses a pixel on the right, and the text is centred in it.
static void DrawTitleTexts(FontHandle font, int32_t slide) {
  Rect sliding = TitleRect;
  sliding.right -= slide;
  const TextItem items[3] = {
      {TitleText, sliding, 224, 63, 63, 1},
      {TitleText, TitleRect, 160, 223, 255, 1},
      {HelpText, HelpRect, 255, 255, 255, 0},
  };
  PortDrawTexts(BackBuffer, font, items, 3);
}

static void RandomExplosion() {
  if (GlobalRandom.Next(5) != 1) return;
  int32_t burst = GlobalRandom.Next(5);
  int32_t y = GlobalRandom.Next(448);
  int32_t x = GlobalRandom.Next(608);
  CreateExplosion(x, y, burst);  // none when the allocation fails
}

// The stage's enemy pass without the clearing: the bomb still reaches
// everything on screen.
static void TitleEnemyPass() {
  PassOver(EnemyList, [](Actor* a) {
    BombCheck(a);
    if (!UpdateActor(a)) return 0;
    DrawActor(a);
    return 1;
  });
}

static void DrawLevelLine() {
  BlitClipped(LevelMarkerX(GameLevel), 389, Rect{32, 112, 48, 128}, BlitColourKey, CommonSheet);
  DrawFontText(188, 389, "Game Level: 1 2 3 4 5 ");
  const char* label = LevelLabels[GameLevel];
  DrawFontText(LevelLabelX(label), 407, label);
}

int32_t TitleScreen() {
  int32_t previous = InputState.load();
  if (ShuttingDown.load() == 1) return 0;
  FontHandle font = PortCreateFont(-64, 700, 255);  // OEM_CHARSET
  GameStatusInit(0, 240, StartEnergy, StartTimer);
  ScreenEffectSetMode(FadeRestore);
  int32_t stars = 0, slide = 0;
  while (ShuttingDown.load() != 1) {
    ScreenEffectStep();
    FillBackBuffer(0);
    stars = (stars + 1) % 16384;
    slide += 1;
    DrawStarField(TitleStarSeed, 3000, 4, 10, stars);
    if (slide >= 640) slide = 0;
    DrawTitleTexts(font, slide);
    GameStatusUpdate(InputState.load());
    BlitClipped(GameStatus.X + stars % 1024 - 128, GameStatus.Y, Rect{0, 0, 83, 44},
                BlitColourKey, CommonSheet);
    RandomExplosion();
    TitleEnemyPass();
    int32_t input = InputState.load();
    GameLevel = NextLevel(GameLevel, input, previous);
    previous = input;
    DrawLevelLine();
    if (FrameWait() == 2) {
      PortDeleteFont(font);  // the only thing made here
      return 0;
    }
    if ((InputState.load() & InputFire) || Paused.load()) break;
  }
  FillBackBuffer(0);
  if (PrimaryExists() && !QuitConfirmed.load()) PresentFrame();
  FillBackBuffer(0);
  ScreenEffectSetMode(FadeRestore);
  ScreenEffectStep();
  FreeAllActors();
  FreeAllShots();
  PortDeleteFont(font);
  return 1;
}
