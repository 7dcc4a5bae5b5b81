#pragma once
#include <SDL2/SDL_ttf.h>

#include <mutex>
#include <string>

// The TrueType font of the native program: a Japanese gothic face found
// through fontconfig (IPAGothic on Debian), opened through SDL2_ttf. The
// environment's ZARVEL_FONT names a file instead; "none" means the built-in
// bitmap font.

// The scalable font file fontconfig gives for a pattern ("IPAGothic:lang=ja"),
// "" for none.
std::string NativeFontMatch(const char* pattern);
// The font file chosen, "" when there is none.
const std::string& NativeFontFile();
// The face at `pixels` per em, bold or not; null without a font. Callers
// hold NativeFontLock while they use it (FreeType is not shared between
// threads).
TTF_Font* NativeFont(int32_t pixels, bool bold);
std::mutex& NativeFontLock();
void CloseNativeFonts();
// Uses this font file from now on ("" for the built-in bitmap font).
void SetNativeFontFile(const std::string& file);

// The face has a glyph for every character of the text: where it has not
// (a fallback font without Japanese), the text is drawn with the built-in
// bitmap font rather than as empty boxes. False for no face.
bool NativeFontCovers(TTF_Font* face, const std::string& utf8);
// The characters of a UTF-8 text (not its bytes).
int32_t Utf8Characters(const std::string& utf8);

// The game's texts are Shift-JIS; SDL2_ttf takes UTF-8. Bytes that do not
// convert become '?'.
std::string Utf8FromShiftJis(const std::string& text);
std::string ShiftJisFromUtf8(const std::string& text);
