// The two high-score dialogs, modal on the main thread.
#include "game/scores/win32/score_dialogs.h"

#include <cstdio>

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
  SetDlgItemTextA(dialog, id, text);
}

static INT_PTR CALLBACK EntryProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      SetNumber(dialog, IDC_ENTRY_RANK, static_cast<uint32_t>(PendingRank));
      SetNumber(dialog, IDC_ENTRY_SCORE, static_cast<uint32_t>(PendingScore));
      SendDlgItemMessageA(dialog, IDC_ENTRY_NAME, EM_LIMITTEXT, ScoreNameLength, 0);
      SetDlgItemTextA(dialog, IDC_ENTRY_NAME, "none");
      SetFocus(GetDlgItem(dialog, IDC_ENTRY_NAME));
      return FALSE;  // the focus is set
    case WM_COMMAND:
      if (Accepts(wParam)) {
        // Room for more than fits: CopyScoreName cuts it, never mid-character.
        char name[64] = "";
        GetDlgItemTextA(dialog, IDC_ENTRY_NAME, name, sizeof name);
        InsertScore(name, PendingScore);
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
      for (int32_t place = 1; place <= ScorePlaces; ++place) {
        const ScoreEntry& e = ScoreTable[place - 1];
        if (e.score <= 0) break;  // later places keep their defaults
        SetDlgItemTextA(dialog, IDC_LIST_NAME_FIRST - 1 + place, e.name);
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
  DialogBoxParamA(InstanceHandle, MAKEINTRESOURCEA(IDD_SCORE_LIST), window, ListProc, 0);
}

void EnterHighScore(HWND window, int32_t score, int32_t rank) {
  PendingScore = score;
  PendingRank = rank;
  ShowWindow(window, SW_MINIMIZE);
  DialogBoxParamA(InstanceHandle, MAKEINTRESOURCEA(IDD_SCORE_ENTRY), window, EntryProc, 0);
  RunList(window);
  ShowWindow(window, SW_RESTORE);
}

void ShowHighScores(HWND window) {
  ShowWindow(window, SW_MINIMIZE);
  RunList(window);
  ShowWindow(window, SW_RESTORE);
}
