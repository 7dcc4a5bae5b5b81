#include "setup/install/folder_rules.h"

#include <cstring>

#include "setup/install/ini_text.h"
#include "setup/install/path_chars.h"
#include "setup/install/setup_state.h"

const char FolderForbiddenCharacters[] = "/:*?\"<>|";

const char* FolderCheckMessage(FolderCheckResult result) {
  switch (result) {
    case FolderBadCharacter: return "ファイル名に  /:*?\"<>|  の文字は使えません。";
    case FolderUnnamed: return "名無しのフォルダが指定されています。";
    default: return nullptr;
  }
}

FolderCheckResult CheckInstallFolder(const char* field, char* accepted) {
  char text[SetupPathSize];
  CopyPath(text, sizeof text, SkipBlanks(field));
  for (const char* c = FolderForbiddenCharacters; *c; ++c)
    if (*c != ':' && FindPathChar(text, *c)) return FolderBadCharacter;
  // Separators and characters are found character by character: the second
  // byte of a two-byte character is neither.
  for (char* slash = const_cast<char*>(FindPathChar(text, '\\')); slash;
       slash = const_cast<char*>(FindPathChar(slash + 1, '\\'))) {
    const char* next = SkipBlanks(slash + 1);
    if (*next == '\\') return FolderUnnamed;
    if (*next == 0) {
      *slash = 0;
      break;
    }
  }
  std::memcpy(accepted, text, std::strlen(text) + 1);
  return FolderAccepted;
}

namespace {

bool SameIgnoringAsciiCase(const char* a, const char* b) {
  for (;; ++a, ++b) {
    unsigned char x = static_cast<unsigned char>(*a), y = static_cast<unsigned char>(*b);
    if (x >= 'a' && x <= 'z') x -= 32;
    if (y >= 'a' && y <= 'z') y -= 32;
    if (x != y) return false;
    if (x == 0) return true;
  }
}

}  // namespace

const char FolderNameTooLongText[] =
    "フォルダ名を付けるとパスが長すぎます。\n別のフォルダを指定してください。";

const char FolderNameRefusedText[] =
    "フォルダ名に、このセットアップでは扱えない文字が含まれています。\n"
    "別のフォルダを指定してください。";

const char FolderPathTooLongText[] =
    "インストール先のパスが長すぎます。\n別のフォルダを指定してください。";

FolderNameResult AppendFolderName(char* path, size_t pathSize, const char* installFolder) {
  const char* name = FindLastPathChar(installFolder, '\\');
  if (!name || name[1] == 0) return FolderNameNone;
  const char* tail = FindLastPathChar(path, '\\');
  if (tail && SameIgnoringAsciiCase(tail, name)) return FolderNameAdded;
  size_t length = std::strlen(path);
  bool needSlash = !EndsWithPathChar(path, '\\');
  if (length + (needSlash ? 1 : 0) + std::strlen(name + 1) + 1 > pathSize) return FolderNameTooLong;
  if (needSlash) path[length++] = '\\';
  std::strcpy(path + length, name + 1);
  return FolderNameAdded;
}

void StripRootBackslash(char* folder) {
  if (folder[0] && folder[1] == ':' && folder[2] == '\\' && folder[3] == 0) folder[2] = 0;
}

void CopyPath(char* dest, size_t destSize, const char* src) {
  if (destSize == 0) return;
  size_t n = std::strlen(src);
  if (n > destSize - 1) n = destSize - 1;
  std::memcpy(dest, src, n);
  dest[n] = 0;
}

bool AppendPath(char* dest, size_t destSize, const char* src) {
  size_t have = std::strlen(dest), add = std::strlen(src);
  if (have + add + 1 > destSize) return false;
  std::memcpy(dest + have, src, add + 1);
  return true;
}
