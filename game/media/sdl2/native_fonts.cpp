#include "game/media/sdl2/native_fonts.h"

#include <fontconfig/fontconfig.h>
#include <iconv.h>

#include <cerrno>
#include <cstdlib>
#include <map>
#include <utility>

namespace {
std::mutex Lock;
bool Searched = false;
std::string File;
std::map<std::pair<int32_t, bool>, TTF_Font*> Faces;

std::string Convert(const std::string& text, const char* to, const char* from) {
  iconv_t c = iconv_open(to, from);
  if (c == iconv_t(-1)) return text;
  std::string out;
  char buffer[256];
  char* in = const_cast<char*>(text.data());
  size_t left = text.size();
  while (left > 0) {
    char* o = buffer;
    size_t room = sizeof buffer;
    size_t r = iconv(c, &in, &left, &o, &room);
    out.append(buffer, size_t(o - buffer));
    if (r == size_t(-1) && errno != E2BIG) {  // a byte that does not convert
      out += '?';
      in += 1, left -= 1;
      iconv(c, nullptr, nullptr, nullptr, nullptr);
    }
  }
  iconv_close(c);
  return out;
}
}  // namespace

std::string NativeFontMatch(const char* pattern) {
  std::string found;
  if (!FcInit()) return found;
  FcPattern* p = FcNameParse(reinterpret_cast<const FcChar8*>(pattern));
  if (!p) return found;
  FcConfigSubstitute(nullptr, p, FcMatchPattern);
  FcDefaultSubstitute(p);
  FcResult result;
  if (FcPattern* m = FcFontMatch(nullptr, p, &result)) {
    FcChar8* file = nullptr;
    FcBool scalable = FcFalse;
    FcPatternGetBool(m, FC_SCALABLE, 0, &scalable);
    if (FcPatternGetString(m, FC_FILE, 0, &file) == FcResultMatch && scalable) found = (const char*)file;
    FcPatternDestroy(m);
  }
  FcPatternDestroy(p);
  return found;
}

std::mutex& NativeFontLock() { return Lock; }

const std::string& NativeFontFile() {
  if (Searched) return File;
  Searched = true;
  const char* chosen = std::getenv("ZARVEL_FONT");
  if (chosen && *chosen) File = std::string(chosen) == "none" ? "" : chosen;
  else File = NativeFontMatch("IPAGothic:lang=ja");
  if (File.empty() && !(chosen && *chosen)) File = NativeFontMatch("sans-serif:lang=ja");
  return File;
}

TTF_Font* NativeFont(int32_t pixels, bool bold) {
  auto key = std::make_pair(pixels, bold);
  auto found = Faces.find(key);
  if (found != Faces.end()) return found->second;
  TTF_Font* face = nullptr;
  if (!NativeFontFile().empty() && (TTF_WasInit() || TTF_Init() == 0)) {
    face = TTF_OpenFont(File.c_str(), pixels);
    if (face && bold) TTF_SetFontStyle(face, TTF_STYLE_BOLD);
  }
  Faces[key] = face;  // a failure is not tried again
  return face;
}

void CloseNativeFonts() {
  std::lock_guard<std::mutex> held(Lock);
  for (auto& f : Faces)
    if (f.second) TTF_CloseFont(f.second);
  Faces.clear();
  if (TTF_WasInit()) TTF_Quit();
}

void SetNativeFontFile(const std::string& file) {
  for (auto& f : Faces)
    if (f.second) TTF_CloseFont(f.second);
  Faces.clear();
  File = file;
  Searched = true;
}

bool NativeFontCovers(TTF_Font* face, const std::string& utf8) {
  if (!face) return false;
  for (size_t i = 0; i < utf8.size();) {
    uint8_t lead = uint8_t(utf8[i]);
    int32_t more = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    uint32_t code = more ? lead & (0x3F >> more) : lead;
    for (int32_t k = 1; k <= more && i + k < utf8.size(); ++k) code = code << 6 | (uint8_t(utf8[i + k]) & 0x3F);
    i += size_t(more) + 1;
    if (code >= 0x20 && !TTF_GlyphIsProvided32(face, code)) return false;  // control characters draw nothing
  }
  return true;
}

int32_t Utf8Characters(const std::string& utf8) {
  int32_t count = 0;
  for (char c : utf8) count += (uint8_t(c) & 0xC0) != 0x80;
  return count;
}

std::string Utf8FromShiftJis(const std::string& text) { return Convert(text, "UTF-8", "CP932"); }
std::string ShiftJisFromUtf8(const std::string& text) { return Convert(text, "CP932", "UTF-8"); }
