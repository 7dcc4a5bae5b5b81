#include "common/win32/japanese_font.h"

#include <cstring>
#include <cwchar>
#include <utility>
#include <vector>

namespace {

// Latin, kana and kanji: what every text of the programs may hold.
constexpr wchar_t Sample[] = L"Aア終";

bool Draws(HDC dc, const wchar_t* text) {
  const int n = static_cast<int>(std::wcslen(text));
  std::vector<WORD> glyphs(static_cast<size_t>(n) + 1);
  if (GetGlyphIndicesW(dc, text, n, glyphs.data(), GGI_MARK_NONEXISTING_GLYPHS) == GDI_ERROR)
    return true;  // cannot tell: leave it
  for (int i = 0; i < n; ++i)
    if (text[i] >= 0x20 && glyphs[static_cast<size_t>(i)] == 0xFFFF) return false;
  return true;
}

bool FontDraws(HFONT font, const wchar_t* text) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  const bool drawn = Draws(dc, text);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return drawn;
}

bool LogFontDraws(const LOGFONTW& logFont, const wchar_t* text) {
  HFONT font = CreateFontIndirectW(&logFont);
  if (!font) return false;
  const bool drawn = FontDraws(font, text);
  DeleteObject(font);
  return drawn;
}

// The best face that draws the sample: a proportional gothic one, as the
// dialogs' "ＭＳ Ｐゴシック" is, before a fixed-pitch or a serif one.
struct FaceSearch {
  wchar_t face[LF_FACESIZE];
  int rank;  // 0: none yet
};

int CALLBACK TakeFace(const LOGFONTW* found, const TEXTMETRICW*, DWORD, LPARAM data) {
  FaceSearch& search = *reinterpret_cast<FaceSearch*>(data);
  if (found->lfFaceName[0] == L'@') return 1;  // for vertical writing
  const int rank = 1 + ((found->lfPitchAndFamily & 0xF0) != FF_ROMAN ? 2 : 0) +
                   ((found->lfPitchAndFamily & 3) == VARIABLE_PITCH ? 1 : 0);
  if (rank <= search.rank) return 1;
  LOGFONTW probe = *found;
  probe.lfHeight = -12;
  probe.lfWidth = 0;
  if (!LogFontDraws(probe, Sample)) return 1;
  wcsncpy(search.face, found->lfFaceName, LF_FACESIZE - 1);
  search.rank = rank;
  return 1;
}

// Looked for once: the system's fonts do not change while we run.
const wchar_t* JapaneseFace() {
  static bool searched = false;
  static FaceSearch search = {};
  if (!searched) {
    searched = true;
    LOGFONTW wanted = {};
    wanted.lfCharSet = SHIFTJIS_CHARSET;
    HDC dc = GetDC(nullptr);
    EnumFontFamiliesExW(dc, &wanted, TakeFace, reinterpret_cast<LPARAM>(&search), 0);
    ReleaseDC(nullptr, dc);
  }
  return search.face;
}

// A Japanese font like `font`, or `font` itself when it draws `text` or
// there is none. Made once for each size and kept for the program's life.
HFONT FontFor(HFONT font, const wchar_t* text) {
  if (!font || FontDraws(font, text)) return font;
  LOGFONTW logFont;
  if (!GetObjectW(font, sizeof logFont, &logFont)) return font;
  if (!ChooseJapaneseFace(&logFont)) return font;
  static std::vector<std::pair<LOGFONTW, HFONT>> made;
  for (const auto& m : made)
    if (!std::memcmp(&m.first, &logFont, sizeof logFont)) return m.second;
  HFONT japanese = CreateFontIndirectW(&logFont);
  if (!japanese) return font;
  made.emplace_back(logFont, japanese);
  return japanese;
}

void SetFont(HWND window, HFONT font) {
  SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

BOOL CALLBACK SetChildFont(HWND child, LPARAM font) {
  SetFont(child, reinterpret_cast<HFONT>(font));
  return TRUE;
}

bool IsClass(HWND window, const wchar_t* name) {
  wchar_t found[32] = L"";
  GetClassNameW(window, found, 32);
  return _wcsicmp(found, name) == 0;
}

// The message box's text: its one static that is no icon.
HWND BoxText(HWND box) {
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (IsClass(child, L"Static") && (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON)
      return child;
  return nullptr;
}

void Move(HWND window, HWND parent, int dx, int dy, int dw, int dh) {
  RECT r;
  GetWindowRect(window, &r);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  MoveWindow(window, r.left + dx, r.top + dy, r.right - r.left + dw, r.bottom - r.top + dh, TRUE);
}

// The box was laid out for its own font; with the Japanese one its text
// needs more room: the text grows, the buttons move down and stay centred.
void FitBox(HWND box, const wchar_t* text) {
  HWND label = BoxText(box);
  if (!label) return;
  HFONT font = reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0));
  HFONT japanese = FontFor(font, text);
  if (japanese == font) return;
  RECT old;
  GetClientRect(label, &old);
  RECT need = {0, 0, GetSystemMetrics(SM_CXSCREEN) * 3 / 4, 0};
  HDC dc = GetDC(label);
  HGDIOBJ previous = SelectObject(dc, japanese);
  DrawTextW(dc, text, -1, &need, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
  SelectObject(dc, previous);
  ReleaseDC(label, dc);
  const int dw = need.right > old.right ? need.right - old.right : 0;
  const int dh = need.bottom > old.bottom ? need.bottom - old.bottom : 0;
  EnumChildWindows(box, SetChildFont, reinterpret_cast<LPARAM>(japanese));
  Move(label, box, 0, 0, dw, dh);
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (IsClass(child, L"Button")) Move(child, box, dw / 2, dh, 0, 0);
  Move(box, nullptr, -dw / 2, -dh / 2, dw, dh);
}

HHOOK BoxHook = nullptr;
const wchar_t* BoxTextShown = nullptr;

LRESULT CALLBACK WatchForBox(int code, WPARAM wParam, LPARAM lParam) {
  HHOOK hook = BoxHook;
  if (code == HCBT_ACTIVATE && hook && IsClass(reinterpret_cast<HWND>(wParam), L"#32770")) {
    BoxHook = nullptr;  // only the box itself, not what it may open
    UnhookWindowsHookEx(hook);
    FitBox(reinterpret_cast<HWND>(wParam), BoxTextShown);
  }
  return CallNextHookEx(hook, code, wParam, lParam);
}

}  // namespace

bool ChooseJapaneseFace(LOGFONTW* font) {
  if (LogFontDraws(*font, Sample)) return false;
  const wchar_t* face = JapaneseFace();
  if (!face[0]) return false;
  wcsncpy(font->lfFaceName, face, LF_FACESIZE - 1);
  font->lfFaceName[LF_FACESIZE - 1] = L'\0';
  font->lfCharSet = SHIFTJIS_CHARSET;
  return true;
}

void GiveDialogJapaneseFont(HWND dialog) {
  HFONT font = reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
  HFONT japanese = FontFor(font, Sample);
  if (japanese == font) return;
  SetFont(dialog, japanese);
  EnumChildWindows(dialog, SetChildFont, reinterpret_cast<LPARAM>(japanese));
}

int MessageBoxJapanese(HWND owner, const wchar_t* text, const wchar_t* caption, UINT flags) {
  HHOOK outer = BoxHook;
  const wchar_t* outerText = BoxTextShown;
  BoxTextShown = text;
  BoxHook = SetWindowsHookExW(WH_CBT, WatchForBox, nullptr, GetCurrentThreadId());
  const int answer = MessageBoxW(owner, text, caption, flags);
  if (BoxHook) UnhookWindowsHookEx(BoxHook);
  BoxHook = outer;
  BoxTextShown = outerText;
  return answer;
}
