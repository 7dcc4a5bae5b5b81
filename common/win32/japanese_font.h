// Fonts that have the Japanese glyphs. On a system whose UI font lacks them
// (a Western Wine, with the IPA fonts installed) the programs' texts would
// show as boxes: these pick, by the Shift-JIS character set, a font that
// draws kana, kanji and Latin letters alike. Where the font in use already
// has them (a Japanese system) nothing changes.
#pragma once
#include <windows.h>

// Sets the face and character set of a font about to be made to a Japanese
// one when the face it asks for lacks the glyphs (true); leaves it otherwise.
bool ChooseJapaneseFace(LOGFONTW* font);
// After WM_INITDIALOG: the dialog and its controls get such a font of the
// dialog font's size, when the dialog font lacks the glyphs.
void GiveDialogJapaneseFont(HWND dialog);
// MessageBoxW whose box, once made, gets such a font for its text and
// buttons and grows to fit them.
int MessageBoxJapanese(HWND owner, const wchar_t* text, const wchar_t* caption, UINT flags);
