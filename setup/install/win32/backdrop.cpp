// The full-screen backdrop behind the installer's dialogs: a black-to-blue
// gradient (black on displays under 16 bits) with the big title and its
// shadow. It opens the install dialog once it is shown, the copy dialog on
// WM_SETUP_STEP, and ends the program on WM_CLOSE.
#include <windows.h>

#include <string>

#include "common/win32/cp932_text.h"
#include "common/win32/japanese_font.h"
#include "setup/install/ini_text.h"
#include "setup/install/setup_state.h"
#include "setup/install/win32/copy_dialog.h"
#include "setup/install/win32/setup_windows.h"
#include "setup/resources/setup_resource.h"

const wchar_t SetupWindowClass[] = L"Raro-Re_Vader";
HINSTANCE SetupInstance = nullptr;
HWND MainWindow = nullptr;

namespace {

std::wstring Title;
HFONT TitleFont = nullptr;
HBITMAP Gradient = nullptr;
HDC GradientDc = nullptr;
HGDIOBJ GradientDcBitmap = nullptr;

// A column of 256 pixels, black at the top to full blue at the bottom,
// stretched over the screen when painting.
void MakeGradient(HWND window) {
  HDC screen = GetDC(window);
  Gradient = CreateCompatibleBitmap(screen, 1, 256);
  GradientDc = CreateCompatibleDC(screen);
  ReleaseDC(window, screen);
  if (!Gradient || !GradientDc) return;
  GradientDcBitmap = SelectObject(GradientDc, Gradient);
  for (int i = 0; i < 256; ++i) SetPixel(GradientDc, 0, i, RGB(0, 0, i));
}

void FreeBackdrop() {
  if (GradientDc) {
    SelectObject(GradientDc, GradientDcBitmap);
    DeleteDC(GradientDc);
  }
  if (Gradient) DeleteObject(Gradient);
  if (TitleFont) DeleteObject(TitleFont);
  GradientDc = nullptr;
  Gradient = nullptr;
  TitleFont = nullptr;
}

void PaintBackdrop(HWND window) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  if (GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES) >= 16 && GradientDc)
    StretchBlt(dc, 0, 0, width, height, GradientDc, 0, 0, 1, 256, SRCCOPY);
  SetBkMode(dc, TRANSPARENT);
  HGDIOBJ oldFont = SelectObject(dc, TitleFont);
  // Dark blue 8 pixels right and down first, then white on top: the shadow.
  RECT shadow = {8, 8, width, height};
  SetTextColor(dc, RGB(0, 0, 128));
  DrawTextW(dc, Title.c_str(), static_cast<int>(Title.size()), &shadow, 0);
  RECT face = {0, 0, width, height};
  SetTextColor(dc, RGB(255, 255, 255));
  DrawTextW(dc, Title.c_str(), static_cast<int>(Title.size()), &face, 0);
  SelectObject(dc, oldFont);
  EndPaint(window, &paint);
}

LRESULT CALLBACK BackdropProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      MakeGradient(window);
      PostMessageW(window, WM_COMMAND, IDM_OPEN_INSTALL_DIALOG, 0);
      return 0;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDM_OPEN_INSTALL_DIALOG) {
        RunInstallDialog(window);
        return 0;
      }
      break;
    case WM_PAINT:
      PaintBackdrop(window);
      return 0;
    case WM_CLOSE:
      FreeBackdrop();
      FreeText(IniText);
      IniText = nullptr;
      PostQuitMessage(0);
      return 0;
    default:
      if (message == WM_SETUP_STEP && wParam == 0 && lParam == 0) {
        RunCopyDialog(window);
        return 0;
      }
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

bool CreateBackdropWindow(const char* title) {
  Title = WideText(title);
  LOGFONTW font = {};
  font.lfHeight = -48;
  font.lfWeight = FW_BOLD;
  font.lfItalic = TRUE;
  font.lfCharSet = OEM_CHARSET;
  ChooseJapaneseFace(&font);  // the title may be Japanese
  TitleFont = CreateFontIndirectW(&font);

  WNDCLASSW windowClass = {};
  windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  windowClass.lpfnWndProc = BackdropProc;
  windowClass.hInstance = SetupInstance;
  windowClass.hIcon = LoadIconW(SetupInstance, MAKEINTRESOURCEW(IDI_SETUP));
  windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  windowClass.lpszClassName = SetupWindowClass;
  if (!RegisterClassW(&windowClass)) {
    FreeBackdrop();
    return false;
  }
  MainWindow = CreateWindowExW(0, SetupWindowClass, WideText(SetupCaption).c_str(),
                               WS_POPUP | WS_SYSMENU, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                               GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr, SetupInstance,
                               nullptr);
  if (!MainWindow) {
    FreeBackdrop();
    return false;
  }
  ShowWindow(MainWindow, SW_SHOWMAXIMIZED);
  UpdateWindow(MainWindow);
  return true;
}
