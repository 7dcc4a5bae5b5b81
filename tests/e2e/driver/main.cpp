// zdrive COMMAND [OPTIONS] ARGS...: the end-to-end tests' hands and eyes.
// Arguments are read wide (never through the ANSI code page, which is
// Shift-JIS here) and every answer is printed as UTF-8.
#include "zdrive.h"
#include <shellapi.h>

struct Command {
  const wchar_t* name;
  int (*run)(const Args&);
};

static constexpr Command kCommands[] = {
    {L"start", cmd_start},         {L"wait-window", cmd_wait_window},
    {L"wait-gone", cmd_wait_gone}, {L"wait-exit", cmd_wait_exit},
    {L"text", cmd_text},           {L"texts", cmd_texts},
    {L"set-text", cmd_set_text},   {L"click", cmd_click},
    {L"state", cmd_state},         {L"rect", cmd_rect},
    {L"keys", cmd_keys},           {L"foreground", cmd_foreground},
    {L"list", cmd_list},           {L"keep", cmd_keep},
    {L"click-when", cmd_click_when}, {L"reg-key", cmd_reg_key},
    {L"reg-get", cmd_reg_get},     {L"reg-dump", cmd_reg_dump},
    {L"serve", cmd_serve},
};

static const wchar_t kUsageText[] =
    L"usage: zdrive COMMAND [--class NAME] [--title TEXT] [--has-text TEXT] [--pid PID]\n"
    L"              [--hwnd H] [--timeout MS] [--cwd DIR] [--line CMDLINE] [--pixels]\n"
    L"              [--hold MS] [--file PATH] [--lines N] [--env NAME=VALUE] ARGS...\n"
    L"commands: start, wait-window, wait-gone, wait-exit, text, texts, set-text,\n"
    L"          click, click-when, state, rect, keys, foreground, list, reg-key,\n"
    L"          reg-get, reg-dump, serve";

static bool number_option(const std::wstring& v, long long* out) {
  return parse_int(v, out) && *out >= 0;
}

// One option and its value; false on a bad one (after saying why).
static bool take_option(Args* a, const std::wstring& opt, const std::wstring* value) {
  long long n = 0;
  if (opt == L"--pixels") {
    a->pixels = true;
    return true;
  }
  if (!value) {
    usage(opt + L" needs a value");
    return false;
  }
  if (opt == L"--class") {
    a->sel.cls = *value;
    a->sel.has_cls = true;
  } else if (opt == L"--title") {
    a->sel.title = *value;
    a->sel.has_title = true;
  } else if (opt == L"--has-text") {
    a->sel.text = *value;
    a->sel.has_text = true;
  } else if (opt == L"--line") {
    a->line = *value;
    a->has_line = true;
  } else if (opt == L"--env" && value->find(L'=', 1) != std::wstring::npos) {
    a->env.push_back(*value);
  } else if (opt == L"--file") {
    a->file = *value;
  } else if (opt == L"--lines" && number_option(*value, &n)) {
    a->lines = n;
  } else if (opt == L"--cwd") {
    a->cwd = *value;
    a->has_cwd = true;
  } else if (opt == L"--pid" && number_option(*value, &n)) {
    a->sel.pid = (DWORD)n;
  } else if (opt == L"--hwnd" && number_option(*value, &n)) {
    a->sel.hwnd = (HWND)(UINT_PTR)n;
  } else if (opt == L"--timeout" && number_option(*value, &n)) {
    a->timeout_ms = (DWORD)n;
  } else if (opt == L"--hold" && number_option(*value, &n)) {
    a->hold_ms = (DWORD)n;
  } else {
    usage(L"bad option: " + opt + L" " + *value);
    return false;
  }
  return true;
}

// Options may stand anywhere after the command, except among a started
// program's own arguments; "--" ends them.
static bool parse_args(int argc, wchar_t** argv, Args* a) {
  bool options_done = false;
  for (int i = 1; i < argc; ++i) {
    std::wstring s = argv[i];
    bool is_option = !options_done && s.size() > 2 && s.compare(0, 2, L"--") == 0;
    if (!options_done && s == L"--") {
      options_done = true;
    } else if (is_option) {
      const std::wstring* value = nullptr;
      std::wstring next;
      if (s != L"--pixels" && i + 1 < argc) {
        next = argv[++i];
        value = &next;
      }
      if (!take_option(a, s, value)) return false;
    } else if (a->command.empty()) {
      a->command = s;
    } else {
      a->rest.push_back(s);
      if (a->command == L"start") options_done = true;
    }
  }
  return true;
}

static int run_args(int argc, wchar_t** argv) {
  Args a;
  if (!parse_args(argc, argv, &a)) return kUsage;
  if (serving && a.command == L"serve") return usage(L"serve: already serving");
  for (const Command& c : kCommands)
    if (a.command == c.name) return c.run(a);
  return usage(a.command.empty() ? kUsageText : L"unknown command: " + a.command);
}

int run_words(const std::vector<std::wstring>& words) {
  std::vector<wchar_t*> argv;
  for (const std::wstring& w : words) argv.push_back(const_cast<wchar_t*>(w.c_str()));
  return run_args((int)argv.size(), argv.data());
}

int main() {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (!argv) return usage(L"cannot read the command line");
  return run_args(argc, argv);
}
