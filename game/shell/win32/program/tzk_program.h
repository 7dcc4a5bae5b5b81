#pragma once
#include <windows.h>

#include <cstdint>

// The program's own state on the main thread.
extern HINSTANCE InstanceHandle;
extern HANDLE GameThreadHandle;
extern int32_t JoyCentreX;
extern int32_t JoyCentreY;

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
int32_t InitApplication(HINSTANCE instance, int show);
int32_t ShowInitFailure();
// The taskbar's "minimize all windows" (415) and its undo (416).
void TellTaskbar(WPARAM command);
// Lets the game thread see QuitConfirmed and waits for it to end.
void EndGameThread();
void ReleaseJoystick();
