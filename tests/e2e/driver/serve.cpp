// serve: every command of a test through one process. Starting a Wine
// process costs more processor time than most commands take, and a test
// gives dozens; lib.sh's `zd` sends them here.
// A request is its word count on a line, then each word in UTF-8 ending in
// a NUL byte. The answer is what the command wrote, its standard output as
// lines beginning "o " and its standard error as lines beginning "e ",
// then "= " and its exit code.
#include "zdrive.h"

bool serving = false;

namespace {

struct Reader {
  HANDLE from = nullptr;
  char buf[4096];
  DWORD len = 0;
  DWORD pos = 0;
};

bool next_byte(Reader& r, char* c) {
  if (r.pos == r.len) {
    DWORD got = 0;
    if (!ReadFile(r.from, r.buf, sizeof r.buf, &got, nullptr) || got == 0) return false;
    r.len = got;
    r.pos = 0;
  }
  *c = r.buf[r.pos++];
  return true;
}

// Bytes up to `end` (dropped) into *s; false at the end of the input.
bool read_until(Reader& r, char end, std::string* s) {
  s->clear();
  char c;
  while (next_byte(r, &c)) {
    if (c == end) return true;
    s->push_back(c);
  }
  return false;
}

void tag_lines(std::string* reply, char tag, const std::string& text) {
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    *reply += tag;
    *reply += ' ';
    reply->append(text, start, end - start);
    *reply += '\n';
    start = end + 1;
  }
}

constexpr long long kMaxWords = 1000;

}  // namespace

int cmd_serve(const Args& a) {
  if (!a.rest.empty()) return usage(L"serve: takes no arguments");
  // The programs it starts must not hold the script's pipes open.
  for (DWORD which : {STD_INPUT_HANDLE, STD_OUTPUT_HANDLE, STD_ERROR_HANDLE})
    SetHandleInformation(GetStdHandle(which), HANDLE_FLAG_INHERIT, 0);
  serving = true;
  Reader in;
  in.from = GetStdHandle(STD_INPUT_HANDLE);
  std::string count, word;
  while (read_until(in, '\n', &count)) {
    long long n = 0;
    if (!parse_int(from_utf8(count), &n) || n < 1 || n > kMaxWords)
      return fail(L"serve: a request must begin with its word count, not \"" + from_utf8(count) + L"\"");
    std::vector<std::wstring> words{L"zdrive"};
    for (; n > 0; --n) {
      if (!read_until(in, '\0', &word)) return fail(L"serve: the input ended inside a request");
      words.push_back(from_utf8(word));
    }
    std::string out, err, reply;
    capture_output(&out, &err);
    int code = run_words(words);
    capture_output(nullptr, nullptr);
    tag_lines(&reply, 'o', out);
    tag_lines(&reply, 'e', err);
    write_all(STD_OUTPUT_HANDLE, reply + "= " + std::to_string(code) + "\n");
  }
  return kOk;
}
