// The window's part of the page: activation, the messages the game thread
// posts, and the boxes the Windows program shows as dialogs, drawn by the
// page over the still picture. One box at a time; the game waits inactive
// behind it, as behind a modal dialog, and the box's decisions are the
// native program's (dialog_rules.h).
#include <emscripten.h>

#include <cstring>
#include <string>

#include "game/scores/score_file.h"
#include "game/scores/score_table.h"
#include "game/scores/web/score_storage.h"
#include "game/shell/box_texts.h"
#include "game/shell/input_rules.h"
#include "game/shell/sdl2/dialog_rules.h"
#include "game/shell/shared_state.h"
#include "game/shell/web/program/web_program.h"
#include "game/shell/web/web_input.h"
#include "game/shell/web/web_system.h"

namespace {
using BoxDone = void (*)(DialogAnswer answer, const DialogState& state);

struct Box {
  bool open = false;
  DialogState state{};
  const char* caption = "";
  const char* message = "";
  const char* button = "OK";
  int32_t rank = 0, score = 0;
  bool fresh = false;  // a key went down since it opened: typing counts
  BoxDone done = nullptr;
};
Box Shown;
bool Scripted = false;
bool Ended = false;
bool PageShown = true;

constexpr char PlayAgainLabel[] = u8"もう一度遊ぶ (Play again)";

EM_JS(void, ShowBoxInPage, (int32_t kind, const char* caption, const char* message, const char* button,
                            int32_t focus, const char* name, int32_t nameSelected, int32_t rank,
                            int32_t score, const char* rows), {
  ZarvelPage.showBox({
    kind: kind, caption: UTF8ToString(caption), message: UTF8ToString(message),
    button: UTF8ToString(button), focus: focus,
    name: ZarvelPage.shiftJisAt(HEAPU8.subarray(name, HEAPU8.indexOf(0, name))),
    nameSelected: nameSelected != 0, rank: rank, score: score,
    rows: ZarvelPage.shiftJisAt(HEAPU8.subarray(rows, HEAPU8.indexOf(0, rows)))
  });
});
EM_JS(void, HideBoxInPage, (), { ZarvelPage.hideBox(); });
EM_JS(void, PlayAgain, (), { ZarvelPage.playAgain(); });
EM_JS(void, StatusInPage, (const char* text), { ZarvelPage.status(UTF8ToString(text)); });

// "place TAB name TAB score" lines; from the first empty place on the
// names are left out and the scores read 0, as the Windows list shows them.
std::string ScoreRows() {
  std::string rows;
  bool empty = false;
  for (int32_t place = 1; place <= ScorePlaces; ++place) {
    const ScoreEntry& e = ScoreTable[place - 1];
    empty = empty || e.score <= 0;
    rows += std::to_string(place) + ".\t" + (empty ? "" : e.name) + "\t" +
            (empty ? "0" : std::to_string(uint32_t(e.score))) + "\n";
  }
  return rows;
}

// The buttons' labels, separated by tabs.
std::string Buttons(const Box& b) {
  if (b.state.kind != AskExit) return b.button;
  return std::string(ExitButtons[0]) + "\t" + ExitButtons[1] + "\t" + ExitButtons[2];
}

void Draw() {
  const Box& b = Shown;
  std::string rows = b.state.kind == ListScores ? ScoreRows() : std::string();
  ShowBoxInPage(b.state.kind, b.caption, b.message, Buttons(b).c_str(), b.state.focus, b.state.name,
                b.state.nameSelected ? 1 : 0, b.rank, b.score, rows.c_str());
}

void Open(DialogKind kind, const char* caption, const char* message, BoxDone done,
          const char* button = "OK", int32_t rank = 0, int32_t score = 0) {
  Shown = Box{};
  StartDialog(Shown.state, kind);
  Shown.open = true;
  Shown.caption = caption;
  Shown.message = message;
  Shown.done = done;
  Shown.button = button;
  Shown.rank = rank;
  Shown.score = score;
  Draw();
}

// WM_ACTIVATEAPP's part; a replay keeps the game active throughout.
void Activate(bool active) {
  if (Scripted || Ended) return;
  if (!active) WebReleaseAllKeys(), WebPadGone();
  ActivateApp(active ? 1 : 0);
}

void BackToGame(DialogAnswer, const DialogState&) { Activate(PageShown); }

void TakeMessages();

void Press(DialogInput input) {
  DialogAnswer answer = DialogPress(Shown.state, input, WebKeyHeld(VkEscape));
  if (answer == AnswerNone) return Draw();
  Shown.open = false;
  HideBoxInPage();
  DialogState state = Shown.state;
  if (Shown.done) Shown.done(answer, state);
  TakeMessages();  // what the game posted while the box was up
}

// The Windows close sequence: the question over a still game; Yes ends it.
// No plays on; so does Cancel, which on Windows leaves the window
// minimised until it is shown again: a page has nothing to minimise.
void ExitAnswered(DialogAnswer answer, const DialogState&) {
  if (answer == AnswerYes) QuitConfirmed.exchange(1);
  else Activate(PageShown);
}

// The name goes in with OK and with Cancel, as the Windows box does, and
// the table is kept at once: a page may be closed at any moment.
void NameGiven(DialogAnswer, const DialogState& state) {
  InsertScore(state.name, PendingScore);
  if (SaveScores()) KeepScoreFile();
  Open(ListScores, ScoreListCaption, "", BackToGame);
}

void EnterHighScore(int32_t score) {
  int32_t rank = FindRank(score);
  if (rank == NotPlaced || Scripted) return;
  PendingScore = score;
  PendingRank = rank;
  Activate(false);
  Open(EnterName, ScoreEntryCaption, ScoreEntryText, NameGiven, "OK", rank, score);
}

void TakeMessages() {
  WebMessage m;
  while (!Shown.open && TakeWebMessage(m)) {
    if (m.message == WmClose) CloseSequence();
    else if (m.message == WmCommand && m.wParam == uintptr_t(CommandEnterHighScore)) EnterHighScore(int32_t(m.lParam));
  }
}

// The game thread posts from inside its frame; the page takes the message
// once the game has handed it its turn.
void MessagesLater(void*) { TakeMessages(); }
void WakeForMessages() { emscripten_async_call(MessagesLater, nullptr, 0); }

void Farewell(DialogAnswer, const DialogState&) {
  Open(TellMessage, BoxCaption, FarewellText, [](DialogAnswer, const DialogState&) { PlayAgain(); },
       PlayAgainLabel);
}

DialogInput KeyInput(const char* code) {
  static constexpr struct {
    const char* code;
    DialogInput input;
  } keys[] = {{"KeyY", PressKeyY},         {"KeyN", PressKeyN},          {"Escape", PressEscape},
              {"Enter", PressEnter},       {"NumpadEnter", PressEnter},  {"Space", PressSpace},
              {"ArrowLeft", PressLeft},    {"ArrowRight", PressRight},   {"Tab", PressTab},
              {"Backspace", PressBackspace}};
  for (const auto& k : keys)
    if (std::strcmp(k.code, code) == 0) return k.input;
  return PressOther;
}

DialogInput PadInput(int32_t button) {
  switch (button) {
    case PadSouth: return PressPadSouth;
    case PadEast: return PressPadEast;
    case PadUp: return PressPadUp;
    case PadDown: return PressPadDown;
    case PadLeft: return PressPadLeft;
    case PadRight: return PressPadRight;
    default: return PressOther;
  }
}
}  // namespace

void OpenPageWindow(bool scripted) {
  Scripted = scripted;
  Ended = false;
  SetWebMessageWake(WakeForMessages);
}

bool PageScripted() { return Scripted; }

void GameThreadEnded() {
  Ended = true;
  SetWebMessageWake(nullptr);
}

void PageActivity(bool shown) {
  PageShown = shown;
  if (!Shown.open) Activate(shown);
}

bool BoxOpen() { return Shown.open; }

void BoxKey(const char* code, bool repeat) {
  if (!repeat) Shown.fresh = true;
  DialogInput input = KeyInput(code);
  if (input != PressOther) Press(input);
}

// Typed text counts from the first key pressed while the box is up: a key
// still held from the game (fire, say) types nothing.
void BoxText(const char* shiftJis) {
  if (!Shown.open || !Shown.fresh) return;
  DialogType(Shown.state, shiftJis);
  Draw();
}

void BoxPadButton(int32_t button) {
  DialogInput input = PadInput(button);
  if (input != PressOther) Press(input);
}

// A click on the box's button `index` (the exit question's 0 to 2).
void BoxButton(int32_t index) {
  if (!Shown.open) return;
  if (Shown.state.kind == AskExit && index >= 0 && index <= 2) Shown.state.focus = index;
  Press(PressEnter);
}

void CloseSequence() {
  // A game thread that ended by itself (a fatal error) leaves nothing to go
  // back to.
  if (Shown.open || QuitConfirmed.load() || Scripted || Ended) return;
  Activate(false);
  Open(AskExit, BoxCaption, ExitQuestion, ExitAnswered);
}

void ShowScoreList() {
  if (Shown.open || Scripted || Ended) return;
  Activate(false);
  Open(ListScores, ScoreListCaption, "", BackToGame);
}

void ShowFarewell() {
  const char* error = FatalErrorText(FatalErrorCode.load());
  if (error) Open(TellMessage, BoxCaption, error, Farewell);
  else Farewell(AnswerOk, DialogState{});
}

void ShowInitFailure() {
  Open(TellMessage, BoxCaption, InitFailureText, Farewell);
}

void PageStatus(const std::string& text) { StatusInPage(text.c_str()); }
