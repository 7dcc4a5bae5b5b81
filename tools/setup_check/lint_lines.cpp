// Line-level warnings: the file walked line by line as the reader walks it,
// looking for what an author did not mean - over-long lines, headers
// without ']', names that nearly match or match more than they say.
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "setup/install/ini_text.h"
#include "tools/setup_check/check_report.h"
#include "tools/setup_check/known_keys.h"

namespace {

struct LintState {
  std::string section;  // the open section, empty when none
  bool anySection = false;
  std::map<std::string, int> firstLine;  // "section/key" -> line of its first key line
};

std::vector<const char*> SectionNames() {
  std::vector<const char*> names = {"init", "UninstallSetting"};
  for (int i = 0; i < KnownListCount; ++i) names.push_back(KnownLists[i].section);
  names.push_back(nullptr);
  return names;
}

std::vector<const char*> KeyNames(const std::string& section) {
  std::vector<const char*> names;
  for (int i = 0; i < KnownKeyCount; ++i)
    if (NamesMatch(section.c_str(), KnownKeys[i].section)) names.push_back(KnownKeys[i].key);
  names.push_back(nullptr);
  return names;
}

// The name as written: up to '=' or ']' (or the end), trailing blanks cut.
std::string Token(const char* s) {
  size_t n = std::strcspn(s, "=]");
  while (n > 0 && (s[n - 1] == ' ' || s[n - 1] == '\t')) --n;
  return std::string(s, n);
}

// The leading run of letters and digits: the name the reader compares.
std::string Run(const char* s) {
  size_t n = 0;
  while ((s[n] >= 'A' && s[n] <= 'Z') || (s[n] >= 'a' && s[n] <= 'z') || (s[n] >= '0' && s[n] <= '9'))
    ++n;
  return std::string(s, n);
}

void Header(const char* s, int line, LintState& st, Report& r) {
  const char* name = SkipBlanks(s + 1);
  st.anySection = true;
  st.section.clear();
  std::string token = Token(name), run = Run(name);
  if (!std::strchr(name, ']')) {
    Warn(r, "line %d: '%s' has no ']': it closes the section above and opens none", line, s);
    return;
  }
  st.section = run;
  if (IsKnownSection(name)) {
    if (token != run)
      Warn(r, "line %d: section [%s] is read as [%s]", line, token.c_str(), run.c_str());
    return;
  }
  std::vector<const char*> names = SectionNames();
  if (const char* near = NearMiss(name, names.data()))
    Warn(r, "line %d: section [%s] is not read by the installer; did you mean [%s]?", line,
         token.c_str(), near);
}

void KeyLine(const char* s, int line, LintState& st, Report& r) {
  const char* sec = st.section.c_str();
  std::string token = Token(s);
  const KnownKey* known = FindKnownKey(sec, s);
  if (!std::strchr(s, '=')) {
    Warn(r, "line %d: '%s' in [%s] has no '=': not read", line, s, sec);
    return;
  }
  if (!known) {
    std::vector<const char*> names = KeyNames(st.section);
    if (const char* near = NearMiss(s, names.data()))
      Warn(r, "line %d: key '%s' is not read; did you mean %s?", line, token.c_str(), near);
    else
      Warn(r, "line %d: unknown key '%s' in [%s]: not read", line, token.c_str(), sec);
    return;
  }
  if (token != Run(s))
    Warn(r, "line %d: '%s' is read as key %s", line, token.c_str(), known->key);
  std::string id = std::string(known->section) + "/" + known->key;
  auto seen = st.firstLine.find(id);
  if (seen == st.firstLine.end())
    st.firstLine[id] = line;
  else
    Warn(r, "line %d: %s again: the installer uses line %d", line, known->key, seen->second);
}

// One line as the reader cuts it (at most 255 bytes).
void Piece(const std::string& piece, int line, LintState& st, Report& r) {
  const char* s = SkipBlanks(piece.c_str());
  if (*s == 0 || *s == ';') return;
  if (*s == '[') {
    Header(s, line, st, r);
    return;
  }
  if (!st.anySection) {
    Warn(r, "line %d: outside any section: not read", line);
    st.anySection = true;  // once is enough
    return;
  }
  if (NamesMatch(st.section.c_str(), "init") || NamesMatch(st.section.c_str(), "UninstallSetting"))
    if (!st.section.empty()) KeyLine(s, line, st, r);
}

}  // namespace

void LintLines(const char* text, size_t size, Report& r) {
  LintState st;
  size_t textEnd = std::strlen(text);
  if (textEnd < size)
    Warn(r, "byte %lu is a NUL: the installer reads nothing after it",
         static_cast<unsigned long>(textEnd + 1));
  int line = 1;
  for (const char* p = text; *p; ++line) {
    size_t length = std::strcspn(p, "\r\n");
    if (length > static_cast<size_t>(IniLineMax))
      Warn(r, "line %d is %lu bytes: the installer reads its first 255, drops byte 256 and "
              "reads the rest as a line of its own", line, static_cast<unsigned long>(length));
    for (size_t at = 0; at < length;) {
      size_t take = length - at < static_cast<size_t>(IniLineMax) ? length - at : IniLineMax;
      Piece(std::string(p + at, take), line, st, r);
      at += take + 1;
    }
    p += length;
    if (*p == '\r' && p[1] == '\n') p += 2;
    else if (*p) ++p;
  }
}
