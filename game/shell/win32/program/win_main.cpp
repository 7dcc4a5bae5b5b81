// tzk.exe: start-up, the message loop and the way out.
#include <windows.h>
#include <commctrl.h>
#include <process.h>

#include <cstdlib>
#include <string>

#include "common/win32/cp932_text.h"

#include "game/resources/resource_ids.h"
#include "game/shell/frame_log.h"
#include "game/shell/game_thread.h"
#include "game/shell/input_rules.h"
#include "game/shell/shared_state.h"
#include "game/shell/win32/main_window.h"
#include "game/shell/win32/program/tzk_program.h"

HANDLE GameThreadHandle = nullptr;

static const char AlreadyRunning[] =
    "すでに起動されているようです。\nそれでも起動しますか？\n\n"
    "はい：もう一つ起動します\nいいえ：すでに起動しているのをアクティブにします\n"
    "キャンセル：何もせずに終了します";
static const char LostTheOther[] =
    "見失ってしまったですＴ＿Ｔ\nしかたがないので、やめます ＾＾；；；\n\nばいばいにゃー＾＾";
// Where the game comes from and where to write: the project's README, which
// travels with every copy.
static const char Farewell[] =
    "遊んでいただきありがとうございました。\n\n"
    "このバージョンは試用版ですが、今後は自由に配布していただいてかまいません。\n"
    "最新版の入手先は、同梱の README（ZARVEL プロジェクト）に書いてあります。\n\n"
    "ご意見・ご感想・不具合のご報告は、README に書いてある連絡先"
    "（電子メールまたは Web の掲示板）までお寄せください。";

static const char* FatalText(int32_t code) {
  switch (code) {
    case 5: return "メモリー不足のようです";
    case 6: return "イメージのリストアを失敗しました";
    default: return "何らかのエラーが発生しました";
  }
}

// 1: go on starting; 0: end now.
static int32_t SingleInstance() {
  if (!FindWindowW(L"tzk", nullptr)) return 1;
  int answer = MessageBox932(nullptr, AlreadyRunning, CaptionText, MB_YESNOCANCEL | MB_ICONEXCLAMATION);
  if (answer == IDYES) return 1;
  if (answer == IDCANCEL) return 0;
  HWND other = FindWindowW(L"tzk", nullptr);
  if (!other) {
    MessageBox932(nullptr, LostTheOther, CaptionText, MB_ICONHAND);
    return 0;
  }
  SetForegroundWindow(other);
  SetActiveWindow(other);
  ShowWindow(other, SW_MAXIMIZE);
  return 0;
}

// _beginthreadex rather than _beginthread: its handle stays ours to wait on.
static unsigned __stdcall GameThreadEntry(void* argument) {
  GameThread(argument);
  return 0;
}

void EndGameThread() {
  if (!GameThreadHandle) return;
  // The game thread ends at its next frame wait. DirectDraw may send our
  // window messages meanwhile, so those are served while we wait.
  DWORD start = GetTickCount();
  for (;;) {
    DWORD waited = GetTickCount() - start;
    DWORD left = waited < 10000 ? 10000 - waited : 0;
    DWORD r = MsgWaitForMultipleObjects(1, &GameThreadHandle, FALSE, left, QS_SENDMESSAGE);
    if (r == WAIT_OBJECT_0) break;
    if (r == WAIT_OBJECT_0 + 1) {
      MSG m;
      PeekMessageW(&m, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
      continue;
    }
    // Ten seconds without reaching a frame wait: it will not come back.
    OutputDebugStringW(L"tzk: the game thread did not end; stopped by force\n");
    TerminateThread(GameThreadHandle, 1);
    break;
  }
  CloseHandle(GameThreadHandle);
  GameThreadHandle = nullptr;
}

// String 1 in code page 932, as the game keeps its texts.
static void TakeCaption(HINSTANCE instance) {
  wchar_t wide[sizeof CaptionText] = L"";
  LoadStringW(instance, IDS_CAPTION, wide, sizeof CaptionText);
  std::string caption;
  Cp932Text(wide, &caption);  // the program's own text: 932 holds it
  SetCaptionText(caption.c_str());
}

// Only its second character chooses the stage; a command line that code
// page 932 cannot hold chooses none.
static int32_t StageFromWideCommandLine(const wchar_t* commandLine) {
  std::string line;
  if (!Cp932Text(commandLine, &line)) return StageNumber;
  return StageFromCommandLine(line.c_str(), StageNumber);
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR commandLine, int show) {
  TakeCaption(instance);
  if (!SingleInstance()) return 0;
  TellTaskbar(415);
  InstanceHandle = instance;
  StageNumber = static_cast<int8_t>(StageFromWideCommandLine(commandLine));
  InitCommonControls();
  StartFrameLog(getenv("ZARVEL_FRAME_LOG"), getenv("ZARVEL_FRAME_LOG_FRAMES"));
  if (!InitApplication(instance, show)) {
    if (MainWindow) DestroyWindow(MainWindow);
    MainWindow = nullptr;
    return 0;
  }
  uintptr_t thread = _beginthreadex(nullptr, 0, GameThreadEntry, nullptr, 0, nullptr);
  if (thread == 0) return ShowInitFailure();
  GameThreadHandle = reinterpret_cast<HANDLE>(thread);
  MSG message = {};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  EndGameThread();  // already ended on every normal way out
  ReleaseJoystick();
  ShowCursor(TRUE);
  if (int32_t code = FatalErrorCode.load()) MessageBox932(nullptr, FatalText(code), CaptionText, MB_ICONHAND);
  MessageBox932(nullptr, Farewell, CaptionText, MB_ICONINFORMATION);
  TellTaskbar(416);
  StopFrameLog();
  return static_cast<int>(message.wParam);
}
