// Dialog 105: the user confirms, then one logged item goes per timer tick,
// from the last to the first, with the progress bar following.
#include <windows.h>
#include <commctrl.h>
#include <cstdarg>
#include <cstdio>
#include <shlobj.h>

#include <string>

#include "common/win32/cp932_text.h"
#include "common/win32/japanese_font.h"
#include "setup/resources/setup_resource.h"
#include "setup/uninstall/item_removal.h"
#include "setup/uninstall/path_rules.h"
#include "setup/uninstall/removal_places.h"
#include "setup/uninstall/uninstall_run.h"
#include "setup/uninstall/win32/uninstall_win32.h"

const char* UninstallLogText = "";
char UninstallLogPath[MAX_PATH] = "";
char UninstallLogLongPath[MAX_PATH] = "";
char* UninstallRecordText = nullptr;

namespace {

constexpr UINT_PTR StepTimer = 1;
constexpr UINT_PTR CloseTimer = 2;
constexpr UINT CloseDelayMs = 5000;  // after the restart message is answered

const char Caption[] = "アンインストール";
const char TextDeleting[] = "を\n削除しています...";
const char TextDeleted[] = "を\n削除しました。";
const char TextDeletedRefused[] = "を\n削除しました。(%d 行は削除しませんでした)";
const char TextNothing[] = "アンインストールの記録に\n削除するものがありません。";
const char TextNotHere[] = "この記録は別の場所のものです。\n何も削除しません。";
const char TextExit[] = "終了(&E)";
const char RestartMessage[] =
    "すぐに、Windowsを再起動をしてください。\n"
    "Windowsを再起動しますと、アンインストールが完了します。\n\n\n"
    "なお、Windowsを再起動せずに、このソフトウエアを\n"
    "もう一度インストールしてしまうと、もう一度Windowsを\n"
    "起動したら、このソフトをアンインストールする\n"
    "機能が使えなくなります。(エクスプローラ等で削除は出来ます。)\n"
    "その場合は、再起動後にもう一度、インストールしたフォルダへ\n"
    "このソフトウエアをインストールしてください。\n"
    "そうしますと、アンインストールが出来るようになります。";

UninstallRun Run;
char UninstallerPath[260];
LARGE_INTEGER CloseArmed;

// For the end-to-end tests: with ZARVEL_UNINSTALL_TRACE naming a file, each
// step appends what the progress bar shows and what became of the item.
void Trace(const char* format, ...) {
  wchar_t path[MAX_PATH];
  const DWORD n = GetEnvironmentVariableW(L"ZARVEL_UNINSTALL_TRACE", path, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return;
  char line[1100];
  va_list args;
  va_start(args, format);
  int length = std::vsnprintf(line, sizeof line, format, args);
  va_end(args);
  if (length < 0) return;
  if (length >= static_cast<int>(sizeof line)) length = sizeof line - 1;
  HANDLE file = CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, line, static_cast<DWORD>(length), &written, nullptr);
  CloseHandle(file);
}

const char* Outcome(const RemovalResult& r) {
  if (r.refused) return "refused";
  if (r.fileDeleted) return "file";
  return r.foldersRemoved ? "folders" : "kept";
}

void InitDialog(HWND dialog) {
  static RemovalPlaces places;
  FindRemovalPlaces(places);
  // The install record the installer kept where users cannot write: only
  // what it names too is deleted.
  char keyName[260] = "";
  const UninstallPlan plan = ReadUninstallPlan(UninstallLogText);
  if (plan.keyLine > 0) GetLine(UninstallLogText, plan.keyLine, keyName, sizeof keyName);
  UninstallRecordText =
      FindInstallRecord(keyName, places, UninstallLogPath, UninstallLogLongPath);
  places.record = UninstallRecordText;
  StartUninstallRun(Run, UninstallLogText, places, UninstallLogPath, UninstallLogLongPath);
  // A log cut short names no uninstaller: its last line is one of the items.
  UninstallerPath[0] = '\0';
  if (!Run.plan.cutShort &&
      FindLastLine(UninstallLogText, UninstallerPath, sizeof UninstallerPath) != LineWhole)
    UninstallerPath[0] = '\0';
  char name[260];
  LogLine(Run, Run.plan.nameLine, name);
  SetItemText932(dialog, IDC_UNINSTALL_NAME, name);
  SendDlgItemMessageW(dialog, IDC_UNINSTALL_PROGRESS, PBM_SETRANGE, 0, MAKELPARAM(0, 100));
  HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_UNINSTALL));
  SendMessageW(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
  // A log of fewer than four lines names nothing that could be ours; one
  // whose first records name another place than the file opened (edited,
  // or some other text file) is not obeyed at all.
  const char* refusal = !HasItems(Run) ? TextNothing : LogRefused(Run) ? TextNotHere : nullptr;
  if (refusal) {
    if (LogRefused(Run)) Trace("log\trefused\r\n");
    SetItemText932(dialog, IDC_UNINSTALL_STATE, refusal);
    EnableWindow(GetDlgItem(dialog, IDC_UNINSTALL_START), FALSE);
    SetItemText932(dialog, IDCANCEL, TextExit);
  }
}

void StartDeleting(HWND dialog) {
  if (!HasItems(Run) || LogRefused(Run)) return;
  EnableWindow(GetDlgItem(dialog, IDC_UNINSTALL_START), FALSE);
  SetItemText932(dialog, IDC_UNINSTALL_STATE, TextDeleting);
  SetTimer(dialog, StepTimer, 100, nullptr);
}

// Control 1025 at the end: "deleted", and how many records were refused.
void ShowDeleted(HWND dialog) {
  if (Run.refused == 0) {
    SetItemText932(dialog, IDC_UNINSTALL_STATE, TextDeleted);
    return;
  }
  char text[160];
  std::snprintf(text, sizeof text, TextDeletedRefused, static_cast<int>(Run.refused));
  SetItemText932(dialog, IDC_UNINSTALL_STATE, text);
}

void Finish(HWND dialog) {
  ShowDeleted(dialog);
  SetItemText932(dialog, IDCANCEL, TextExit);
  char keyName[260];
  LogLine(Run, Run.plan.keyLine, keyName);
  char logPath[260];
  LogLine(Run, 2, logPath);  // record 2, checked to be the log opened
  DeleteUninstallEntry(keyName, logPath);
  DeleteInstallRecord(logPath);
  // Only this program's own file, where the installer puts it: the last
  // record is as open to editing as the rest of the log.
  char self[MAX_PATH];
  RunningProgramPath(self, sizeof self);
  int how = RebootDeletionNone;
  if (UninstallerMayGo(Run.places, UninstallerPath, self)) how = ScheduleDeleteAtReboot(UninstallerPath);
  Trace("key\t%s\r\nreboot\t%d\t%s\r\n", keyName, how, UninstallerPath);
  MessageBox932(dialog, RestartMessage, Caption, MB_OK | MB_ICONINFORMATION);
  QueryPerformanceCounter(&CloseArmed);
  SetTimer(dialog, CloseTimer, CloseDelayMs, nullptr);
}

// The close delay as asked and as this program's clock saw it pass, which a
// busy machine can lengthen but never shorten.
void TraceClose() {
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  const long long elapsedMs = (now.QuadPart - CloseArmed.QuadPart) * 1000 / frequency.QuadPart;
  Trace("close\t%u\t%lld\r\n", CloseDelayMs, elapsedMs);
}

void Step(HWND dialog) {
  KillTimer(dialog, StepTimer);
  const UninstallTick tick = RunUninstallTick(Run);
  std::wstring changed;
  if (tick.path[0] && WidePath(tick.path, &changed))
    SHChangeNotify(SHCNE_UPDATEDIR, SHCNF_PATHW | SHCNF_FLUSH, changed.c_str(), nullptr);
  SendDlgItemMessageW(dialog, IDC_UNINSTALL_PROGRESS, PBM_SETPOS, static_cast<WPARAM>(tick.progress), 0);
  const LRESULT shown = SendDlgItemMessageW(dialog, IDC_UNINSTALL_PROGRESS, PBM_GETPOS, 0, 0);
  Trace("%d\t%s\t%s %d\r\n", static_cast<int>(shown), tick.path, Outcome(tick.removal),
        static_cast<int>(tick.removal.foldersRemoved));
  if (!tick.finished)
    SetTimer(dialog, StepTimer, 50, nullptr);
  else
    Finish(dialog);
}

}  // namespace

INT_PTR CALLBACK UninstallDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      GiveDialogJapaneseFont(dialog);
      InitDialog(dialog);
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDC_UNINSTALL_START:
          StartDeleting(dialog);
          return TRUE;
        case IDOK:
        case IDCANCEL:
        case IDABORT:
        case IDCLOSE:
          // Cancelling midway leaves what is not yet reached, the registry
          // entry and the uninstaller in place.
          KillTimer(dialog, StepTimer);
          KillTimer(dialog, CloseTimer);
          EndDialog(dialog, 0);
          return TRUE;
      }
      return FALSE;
    case WM_TIMER:
      if (wParam == StepTimer) {
        Step(dialog);
      } else if (wParam == CloseTimer) {
        KillTimer(dialog, CloseTimer);
        TraceClose();
        EndDialog(dialog, 0);
      }
      return TRUE;
    case WM_DESTROY:
      KillTimer(dialog, StepTimer);
      KillTimer(dialog, CloseTimer);
      EndDialog(dialog, 0);
      return TRUE;
  }
  return FALSE;
}
