// GDI text on a DirectDraw surface.
#include "game/media/text_port.h"

#include <windows.h>
#include <ddraw.h>

#include "common/win32/cp932_text.h"
#include "common/win32/japanese_font.h"

FontHandle PortCreateFont(int32_t height, int32_t weight, int32_t charSet) {
  LOGFONTW f = {};
  f.lfHeight = height;
  f.lfWeight = weight;
  f.lfCharSet = static_cast<BYTE>(charSet);
  ChooseJapaneseFace(&f);  // the same face as on a Japanese system
  return reinterpret_cast<FontHandle>(CreateFontIndirectW(&f));
}

void PortDeleteFont(FontHandle font) {
  if (font) DeleteObject(reinterpret_cast<HFONT>(font));
}

int32_t PortDrawTexts(SurfaceHandle surface, FontHandle font, const TextItem* items,
                      int32_t count) {
  IDirectDrawSurface* s = reinterpret_cast<IDirectDrawSurface*>(surface);
  HDC dc = nullptr;
  HRESULT r = s->GetDC(&dc);
  if (r != DD_OK) return r;
  SetBkMode(dc, TRANSPARENT);
  for (int32_t i = 0; i < count; ++i) {
    const TextItem& t = items[i];
    HGDIOBJ previous = nullptr;
    if (t.withFont && font) previous = SelectObject(dc, reinterpret_cast<HFONT>(font));
    SetTextColor(dc, RGB(t.red, t.green, t.blue));
    RECT rect = {t.rect.left, t.rect.top, t.rect.right, t.rect.bottom};
    DrawTextW(dc, WideText(t.text).c_str(), -1, &rect, DT_CENTER);
    if (previous) SelectObject(dc, previous);
  }
  s->ReleaseDC(dc);
  return DD_OK;
}
