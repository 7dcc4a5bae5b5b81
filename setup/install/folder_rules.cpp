#include "setup/install/folder_rules.h"

#include <cstring>

#include "setup/install/ini_text.h"
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
    if (*c != ':' && std::strchr(text, *c)) return FolderBadCharacter;
  for (char* slash = std::strchr(text, '\\'); slash; slash = std::strchr(slash + 1, '\\')) {
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

bool AppendFolderName(char* path, size_t pathSize, const char* installFolder) {
  const char* name = std::strrchr(installFolder, '\\');
  if (!name || name[1] == 0) return false;
  const char* tail = std::strrchr(path, '\\');
  if (tail && SameIgnoringAsciiCase(tail, name)) return true;
  size_t length = std::strlen(path);
  bool needSlash = length == 0 || path[length - 1] != '\\';
  if (length + (needSlash ? 1 : 0) + std::strlen(name + 1) + 1 > pathSize) return false;
  if (needSlash) path[length++] = '\\';
  std::strcpy(path + length, name + 1);
  return true;
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
