#include "game/shell/sdl2/dialog_rules.h"

#include <cstring>

namespace {
constexpr char PadLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 ";

bool IsLeadByte(uint8_t b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

int32_t NameLength(const DialogState& s) { return int32_t(std::strlen(s.name)); }

void TakeSelection(DialogState& s) {
  if (s.nameSelected) s.name[0] = 0;
  s.nameSelected = false;
}

void DeleteLast(DialogState& s) {
  TakeSelection(s);
  int32_t n = NameLength(s);
  s.name[n - LastCharacterBytes(s.name, n)] = 0;
}

// The gamepad spells: up and down turn the last letter, right adds one.
void TurnLast(DialogState& s, int32_t step) {
  TakeSelection(s);
  int32_t n = NameLength(s);
  if (n == 0) return DialogType(s, "A");
  const char* at = std::strchr(PadLetters, s.name[n - 1]);
  int32_t count = int32_t(sizeof PadLetters) - 1;
  int32_t i = at && s.name[n - 1] ? int32_t(at - PadLetters) : 0;
  s.name[n - 1] = PadLetters[(i + step + count) % count];
}

DialogAnswer FocusedAnswer(const DialogState& s) {
  if (s.kind != AskExit) return AnswerOk;
  return s.focus == 0 ? AnswerYes : s.focus == 1 ? AnswerNo : AnswerCancel;
}

DialogAnswer AskExitPress(DialogState& s, DialogInput input) {
  switch (input) {
    case PressKeyY: return AnswerYes;
    case PressKeyN: return AnswerNo;
    case PressEscape: case PressPadEast: case PressWindowClose: return AnswerCancel;
    case PressEnter: case PressSpace: case PressPadSouth: return FocusedAnswer(s);
    case PressLeft: case PressPadLeft: s.focus = s.focus > 0 ? s.focus - 1 : 0; return AnswerNone;
    case PressRight: case PressPadRight: s.focus = s.focus < 2 ? s.focus + 1 : 2; return AnswerNone;
    case PressTab: s.focus = (s.focus + 1) % 3; return AnswerNone;
    default: return AnswerNone;
  }
}

DialogAnswer ScorePress(DialogState& s, DialogInput input, bool escapeHeld) {
  bool editing = s.kind == EnterName;
  switch (input) {
    case PressEnter: case PressPadSouth: return AnswerOk;
    case PressSpace: return editing ? AnswerNone : AnswerOk;  // typed text brings the space
    case PressEscape: case PressPadEast: case PressWindowClose:
      return escapeHeld ? AnswerNone : AnswerCancel;
    default: break;
  }
  if (!editing) return AnswerNone;
  switch (input) {
    case PressBackspace: case PressPadLeft: DeleteLast(s); break;
    case PressPadUp: TurnLast(s, -1); break;
    case PressPadDown: TurnLast(s, 1); break;
    case PressPadRight: TakeSelection(s), DialogType(s, "A"); break;
    default: break;
  }
  return AnswerNone;
}
}  // namespace

int32_t LastCharacterBytes(const char* text, int32_t length) {
  int32_t i = 0, last = 0;
  while (i < length) {
    last = IsLeadByte(uint8_t(text[i])) && i + 1 < length ? 2 : 1;
    i += last;
  }
  return last;
}

void StartDialog(DialogState& s, DialogKind kind) {
  s = DialogState{};
  s.kind = kind;
  std::strcpy(s.name, "none");  // the entry's preset, as the Windows box shows it
  s.nameSelected = true;
}

DialogAnswer DialogPress(DialogState& s, DialogInput input, bool escapeHeld) {
  switch (s.kind) {
    case AskExit: return AskExitPress(s, input);
    case TellMessage:
      switch (input) {
        case PressEnter: case PressSpace: case PressEscape: case PressPadSouth:
        case PressPadEast: case PressWindowClose: return AnswerOk;
        default: return AnswerNone;
      }
    default: return ScorePress(s, input, escapeHeld);
  }
}

void DialogType(DialogState& s, const char* text) {
  if (s.kind != EnterName) return;
  TakeSelection(s);
  int32_t n = NameLength(s);
  for (int32_t i = 0; text[i];) {
    int32_t bytes = IsLeadByte(uint8_t(text[i])) && text[i + 1] ? 2 : 1;
    if (uint8_t(text[i]) < 0x20 || n + bytes > ScoreNameLength) break;
    std::memcpy(s.name + n, text + i, size_t(bytes));
    n += bytes, i += bytes;
  }
  s.name[n] = 0;
}
