// The two high-score dialogs, modal on the main thread.
#include "game/scores/win32/score_dialogs.h"

#include <cstdio>
#include <string>

#include "common/win32/cp932_text.h"
#include "common/win32/japanese_font.h"

#include "game/resources/resource_ids.h"
#include "game/scores/score_table.h"
#include "game/shell/win32/program/tzk_program.h"

// Escape sends IDCANCEL; while it is held the dialog stays, so a player who
// was hammering Escape in the game does not throw the entry away.
static bool EscapeHeld() { return (GetAsyncKeyState(VK_ESCAPE) & 0x8000) != 0; }

static bool Accepts(WPARAM command) {
  switch (LOWORD(command)) {
    case IDOK: case IDABORT: case IDCLOSE: return true;
    case IDCANCEL: return !EscapeHeld();
    default: return false;
  }
}

static void SetNumber(HWND dialog, int id, uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "%u", value);
  SetItemText932(dialog, id, text);
}

// The edit is a Unicode one and counts characters; the name is kept in
// bytes of code page 932, so it takes what fits there, as an edit of
// Shift-JIS bytes did: five kanji, or ten half-width letters.
static std::wstring FittingName;

static void KeepNameFitting(HWND dialog) {
  HWND edit = GetDlgItem(dialog, IDC_ENTRY_NAME);
  std::wstring name(static_cast<size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
  name.resize(static_cast<size_t>(GetWindowTextW(edit, &name[0], static_cast<int>(name.size()))));
  // A character 932 lacks counts as one byte here; it is refused on OK.
  int bytes = WideCharToMultiByte(932, 0, name.c_str(), static_cast<int>(name.size()), nullptr, 0,
                                  nullptr, nullptr);
  if (bytes <= ScoreNameLength) {
    FittingName = name;
    return;
  }
  SetWindowTextW(edit, FittingName.c_str());  // comes back here, and fits
  SendMessageW(edit, EM_SETSEL, FittingName.size(), FittingName.size());
  MessageBeep(MB_OK);
}

static const char NameRefused[] =
    "その名前には、使えない文字が入っているようです (T_T)\n"
    "ほかの文字で入れなおしてください。";

// The name as the table keeps it, or a box that says why it cannot be.
static bool TakeName(HWND dialog, std::string* name) {
  if (ItemText932(dialog, IDC_ENTRY_NAME, name)) return true;
  MessageBox932(dialog, NameRefused, "ZARVEL", MB_OK | MB_ICONEXCLAMATION);
  SetFocus(GetDlgItem(dialog, IDC_ENTRY_NAME));
  return false;
}

static INT_PTR CALLBACK EntryProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      GiveDialogJapaneseFont(dialog);
      SetNumber(dialog, IDC_ENTRY_RANK, static_cast<uint32_t>(PendingRank));
      SetNumber(dialog, IDC_ENTRY_SCORE, static_cast<uint32_t>(PendingScore));
      SendDlgItemMessageW(dialog, IDC_ENTRY_NAME, EM_LIMITTEXT, ScoreNameLength, 0);
      FittingName.clear();
      SetItemText932(dialog, IDC_ENTRY_NAME, "none");
      SetFocus(GetDlgItem(dialog, IDC_ENTRY_NAME));
      return FALSE;  // the focus is set
    case WM_COMMAND:
      if (LOWORD(wParam) == IDC_ENTRY_NAME && HIWORD(wParam) == EN_CHANGE) {
        KeepNameFitting(dialog);
      } else if (Accepts(wParam)) {
        std::string name;
        if (!TakeName(dialog, &name)) return TRUE;
        InsertScore(name.c_str(), PendingScore);  // CopyScoreName keeps what fits
        EndDialog(dialog, 1);
      }
      return TRUE;
    case WM_DESTROY:
      EndDialog(dialog, 0);
      return FALSE;
  }
  return FALSE;
}

static INT_PTR CALLBACK ListProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      GiveDialogJapaneseFont(dialog);
      for (int32_t place = 1; place <= ScorePlaces; ++place) {
        const ScoreEntry& e = ScoreTable[place - 1];
        if (e.score <= 0) break;  // later places keep their defaults
        SetItemText932(dialog, IDC_LIST_NAME_FIRST - 1 + place, e.name);
        SetNumber(dialog, IDC_LIST_SCORE_FIRST - 1 + place, static_cast<uint32_t>(e.score));
      }
      return TRUE;
    case WM_COMMAND:
      if (Accepts(wParam)) EndDialog(dialog, 1);
      return TRUE;
    case WM_DESTROY:
      EndDialog(dialog, 0);
      return FALSE;
  }
  return FALSE;
}

static void RunList(HWND window) {
  DialogBoxParamW(InstanceHandle, MAKEINTRESOURCEW(IDD_SCORE_LIST), window, ListProc, 0);
}

void EnterHighScore(HWND window, int32_t score, int32_t rank) {
  PendingScore = score;
  PendingRank = rank;
  ShowWindow(window, SW_MINIMIZE);
  DialogBoxParamW(InstanceHandle, MAKEINTRESOURCEW(IDD_SCORE_ENTRY), window, EntryProc, 0);
  RunList(window);
  ShowWindow(window, SW_RESTORE);
}

void ShowHighScores(HWND window) {
  ShowWindow(window, SW_MINIMIZE);
  RunList(window);
  ShowWindow(window, SW_RESTORE);
}
