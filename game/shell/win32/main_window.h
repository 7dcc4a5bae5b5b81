#pragma once
#include <windows.h>

// The game's window: target of everything the game thread posts.
extern HWND MainWindow;
