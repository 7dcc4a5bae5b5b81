#include "game/shell/win32/main_window.h"

HWND MainWindow = nullptr;
