// The boxes' decisions: the Windows message box's keys, the score dialogs'
// Escape rule, the name as it is typed.
#include <gtest/gtest.h>

#include <cstring>

#include "game/shell/sdl2/dialog_rules.h"

namespace {
struct DialogPressCase {
  DialogKind kind;
  DialogInput presses[3];  // PressOther ends the list
  bool escapeHeld;
  DialogAnswer answer;
};

TEST(NativeDialogs, EachBoxAnswersAsItsWindowsDialog) {
  const DialogPressCase cases[] = {
      {AskExit, {PressKeyY}, false, AnswerYes},
      {AskExit, {PressKeyN}, false, AnswerNo},
      {AskExit, {PressEscape}, true, AnswerCancel},
      {AskExit, {PressEnter}, false, AnswerYes},  // Yes is the default button
      {AskExit, {PressRight, PressEnter}, false, AnswerNo},
      {AskExit, {PressRight, PressRight, PressSpace}, false, AnswerCancel},
      {AskExit, {PressLeft, PressPadSouth}, false, AnswerYes},  // no wrap past the first
      {AskExit, {PressTab, PressTab, PressEnter}, false, AnswerCancel},
      {AskExit, {PressPadEast}, false, AnswerCancel},
      {AskExit, {PressWindowClose}, false, AnswerCancel},
      {AskExit, {PressBackspace, PressPadUp}, false, AnswerNone},
      {TellMessage, {PressEscape}, true, AnswerOk},
      {TellMessage, {PressPadEast}, false, AnswerOk},
      {TellMessage, {PressKeyY, PressKeyN}, false, AnswerNone},
      // The score boxes: Cancel counts only while Escape is not held.
      {EnterName, {PressEnter}, false, AnswerOk},
      {EnterName, {PressEscape}, true, AnswerNone},
      {EnterName, {PressPadEast}, false, AnswerCancel},
      {EnterName, {PressWindowClose}, true, AnswerNone},
      {EnterName, {PressKeyY, PressKeyN, PressSpace}, false, AnswerNone},
      {ListScores, {PressEscape}, true, AnswerNone},
      {ListScores, {PressSpace}, false, AnswerOk},
      {ListScores, {PressPadSouth}, false, AnswerOk},
      {ListScores, {PressWindowClose}, false, AnswerCancel},
  };
  int n = 0;
  for (const DialogPressCase& c : cases) {
    DialogState s;
    StartDialog(s, c.kind);
    DialogAnswer answer = AnswerNone;
    for (DialogInput p : c.presses)
      if (p != PressOther && answer == AnswerNone) answer = DialogPress(s, p, c.escapeHeld);
    EXPECT_EQ(c.answer, answer) << "case " << n;
    ++n;
  }
}

struct TypeCase {
  const char* typed[3];
  DialogInput press;  // after the typing
  const char* name;
};

TEST(NativeDialogs, TheNameIsTypedOverThePresetAndKeptToTenBytes) {
  const TypeCase cases[] = {
      {{nullptr}, PressOther, "none"},
      {{"AB CD"}, PressOther, "AB CD"},  // the preset goes with the first key
      {{"AB", "C"}, PressOther, "ABC"},
      {{nullptr}, PressBackspace, ""},
      {{"ABC"}, PressBackspace, "AB"},
      {{"0123456789XYZ"}, PressOther, "0123456789"},
      {{"123456789", "\x83\x41"}, PressOther, "123456789"},  // a pair never half kept
      {{"12345678", "\x83\x41"}, PressOther, "12345678\x83\x41"},
      {{"A\x83\x41"}, PressBackspace, "A"},  // Backspace takes the whole pair
      {{"A\tB"}, PressOther, "A"},           // no control character
      {{nullptr}, PressPadRight, "A"},
      {{"AB"}, PressPadDown, "AC"},
      {{"A"}, PressPadUp, " "},              // the letters turn round
      {{"AB"}, PressPadLeft, "A"},
  };
  for (const TypeCase& c : cases) {
    DialogState s;
    StartDialog(s, EnterName);
    for (const char* t : c.typed)
      if (t) DialogType(s, t);
    if (c.press != PressOther) {
      EXPECT_EQ(AnswerNone, DialogPress(s, c.press, false));
    }
    EXPECT_STREQ(c.name, s.name) << (c.typed[0] ? c.typed[0] : "(none)");
  }
  DialogState list;
  StartDialog(list, ListScores);
  DialogType(list, "X");  // only the entry takes text
  EXPECT_STREQ("none", list.name);
}
}  // namespace
