#pragma once
#include <cstdint>

#include "game/scores/score_table.h"

// The decisions of the four boxes the Windows program shows, drawn in the
// game window here: the exit question (Yes, No, Cancel; Yes the default),
// a message with OK (the farewell, a fatal error), the name entry and the
// score list. Keys as the Windows box takes them, and the gamepad.

enum DialogKind : int32_t { AskExit, TellMessage, EnterName, ListScores };

enum DialogInput : int32_t {
  PressOther = 0,
  PressKeyY, PressKeyN, PressEscape, PressEnter, PressSpace,
  PressLeft, PressRight, PressTab, PressBackspace,
  PressPadSouth, PressPadEast, PressPadUp, PressPadDown, PressPadLeft, PressPadRight,
  PressWindowClose,  // the window's close button: the box's Cancel
};

enum DialogAnswer : int32_t { AnswerNone = 0, AnswerYes, AnswerNo, AnswerCancel, AnswerOk };

struct DialogState {
  DialogKind kind;
  int32_t focus;     // the button with the focus: AskExit 0 Yes, 1 No, 2 Cancel
  char name[ScoreNameLength + 1];  // Shift-JIS, as the table keeps it
  bool nameSelected; // the preset name goes with the first key typed
};

void StartDialog(DialogState& state, DialogKind kind);
// A key or button pressed; `escapeHeld`: the Escape key is down now. The
// score boxes take Cancel only while Escape is not held, so a player
// hammering Escape in the game does not throw the entry away.
DialogAnswer DialogPress(DialogState& state, DialogInput input, bool escapeHeld);
// Text typed into the name (Shift-JIS); what does not fit is left out.
void DialogType(DialogState& state, const char* text);
// The bytes of the name's last character (2 for a Shift-JIS pair).
int32_t LastCharacterBytes(const char* text, int32_t length);
