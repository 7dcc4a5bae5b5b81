// The controls of a window: reading and setting texts, pressing buttons,
// their state and where the dialog template put them.
#include "zdrive.h"

static constexpr DWORD kPollMs = 50;

struct IdSearch {
  int id;
  HWND found;
};

static BOOL CALLBACK id_proc(HWND w, LPARAM lp) {
  IdSearch* s = (IdSearch*)lp;
  if (GetDlgCtrlID(w) != s->id) return TRUE;
  s->found = w;
  return FALSE;
}

// A direct child first (what GetDlgItem sees), else any descendant, so that
// controls on a page inside a window are found too.
static HWND find_control(HWND top, int id) {
  HWND c = GetDlgItem(top, id);
  if (c) return c;
  IdSearch s{id, nullptr};
  EnumChildWindows(top, id_proc, (LPARAM)&s);
  return s.found;
}

int need_control(const Args& a, HWND top, const std::wstring& id_text, HWND* out) {
  long long id = 0;
  if (!parse_int(id_text, &id)) return usage(L"not a control id: " + id_text);
  *out = top;
  if (id == 0) return kOk;
  DWORD deadline = GetTickCount() + a.timeout_ms;
  for (;;) {
    *out = find_control(top, (int)id);
    if (*out) return kOk;
    DWORD left = time_left(deadline);
    if (left == 0 || !IsWindow(top)) break;
    Sleep(left < kPollMs ? left : kPollMs);
  }
  return fail(L"window " + describe(a.sel) + L" has no control " + id_text);
}

// Window and control from "SEL ID ..."; returns as need_window does.
static int control_from(const Args& a, size_t want_args, const wchar_t* cmd, HWND* out) {
  if (a.rest.size() != want_args) return usage(std::wstring(cmd) + L": wrong number of arguments");
  HWND top = nullptr;
  if (int r = need_window(a, &top)) return r;
  return need_control(a, top, a.rest[0], out);
}

// Line ends come out as plain '\n', as a script writes them.
static std::wstring unix_lines(const std::wstring& w) {
  std::wstring r;
  for (size_t i = 0; i < w.size(); ++i)
    if (!(w[i] == L'\r' && i + 1 < w.size() && w[i + 1] == L'\n')) r += w[i];
  return r;
}

int cmd_text(const Args& a) {
  HWND c = nullptr;
  if (int r = control_from(a, 1, L"text", &c)) return r;
  std::wstring text;
  if (!read_text(c, a.timeout_ms, &text))
    return fail(L"control " + a.rest[0] + L" gave no text in " + std::to_wstring(a.timeout_ms) + L" ms");
  out_line(unix_lines(text));
  return kOk;
}

struct TextsState {
  DWORD wait_ms;
  bool all_read;
};

static BOOL CALLBACK texts_proc(HWND w, LPARAM lp) {
  TextsState* st = (TextsState*)lp;
  std::wstring text;
  if (!read_text(w, st->wait_ms, &text)) return st->all_read = false;
  out_line(std::to_wstring(GetDlgCtrlID(w)) + L"\t" + class_name(w) + L"\t" + one_line(text));
  return TRUE;
}

int cmd_texts(const Args& a) {
  if (!a.rest.empty()) return usage(L"texts: only a window is given");
  HWND top = nullptr;
  if (int r = need_window(a, &top)) return r;
  TextsState st{a.timeout_ms, true};
  EnumChildWindows(top, texts_proc, (LPARAM)&st);
  if (!st.all_read) return fail(L"a control of " + describe(a.sel) + L" gave no text in time");
  return kOk;
}

int cmd_set_text(const Args& a) {
  HWND c = nullptr;
  if (int r = control_from(a, 2, L"set-text", &c)) return r;
  DWORD_PTR r = 0;
  if (!SendMessageTimeoutW(c, WM_SETTEXT, 0, (LPARAM)a.rest[1].c_str(), SMTO_ABORTIFHUNG,
                           a.timeout_ms, &r) || !r)
    return fail(L"control " + a.rest[0] + L" refused the text");
  return kOk;
}

// Posted, never sent: a button whose handler opens a modal dialog would
// otherwise hold us until that dialog closed. What a user cannot press
// (hidden or disabled) is an error, not a silent no-op. A press goes the
// mouse's way (focus, capture, release), which a dialog that is not yet the
// active window can lose, so its window comes to the front first, as it
// would under a user's pointer (waiting up to front_ms for that).
static int pressable(const Args& a, const wchar_t* cmd, DWORD front_ms, HWND* out) {
  if (a.rest.size() != 1) return usage(std::wstring(cmd) + L": wrong number of arguments");
  HWND top = nullptr;
  if (int r = need_window(a, &top)) return r;
  if (int r = need_control(a, top, a.rest[0], out)) return r;
  if (!IsWindowVisible(*out)) return fail(L"control " + a.rest[0] + L" is hidden");
  if (!IsWindowEnabled(*out)) return fail(L"control " + a.rest[0] + L" is disabled");
  bring_to_front(top, front_ms);
  return kOk;
}

// A push button's press reaches its dialog as the BN_CLICKED a released
// mouse button ends in: BM_CLICK goes through the button's own capture and
// focus, which a busy machine was seen to lose between the two. Check
// boxes and radio buttons keep BM_CLICK, which also changes their state.
static bool is_push_button(HWND c) {
  LONG type = GetWindowLongW(c, GWL_STYLE) & BS_TYPEMASK;
  return class_name(c) == L"Button" && (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON);
}

static bool post_press(HWND c) {
  if (!is_push_button(c)) return PostMessageW(c, BM_CLICK, 0, 0);
  return PostMessageW(GetParent(c), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(c), BN_CLICKED), (LPARAM)c);
}

int cmd_click(const Args& a) {
  HWND c = nullptr;
  if (int r = pressable(a, L"click", a.timeout_ms, &c)) return r;
  if (!post_press(c)) return fail(L"cannot post to control " + a.rest[0]);
  return kOk;
}

// Line ends (CR LF) in a file another program is writing; -1 while it
// cannot be read.
static long long line_ends(const std::wstring& path) {
  HANDLE f = CreateFileW(path.c_str(), GENERIC_READ,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return -1;
  long long n = 0;
  char buf[4096];
  char last = 0;
  DWORD got = 0;
  while (ReadFile(f, buf, sizeof buf, &got, nullptr) && got > 0)
    for (DWORD i = 0; i < got; last = buf[i++])
      if (buf[i] == '\n' && last == '\r') ++n;
  CloseHandle(f);
  return n;
}

// click-when --file PATH [--lines N] SEL ID: presses the button the moment
// the file exists and holds N line ends, polling every millisecond, so that
// the press lands between two steps of a program that works on a timer
// (a posted message comes before the next WM_TIMER).
int cmd_click_when(const Args& a) {
  if (a.file.empty()) return usage(L"click-when: no --file given");
  HWND c = nullptr;
  // The file is watched at once: a program on a timer does not wait for us.
  if (int r = pressable(a, L"click-when", 0, &c)) return r;
  std::wstring path = windows_path(a.file);
  for (wchar_t& ch : path)
    if (ch == L'/') ch = L'\\';
  SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_TIME_CRITICAL);
  DWORD deadline = GetTickCount() + a.timeout_ms;
  while (line_ends(path) < a.lines) {
    if (time_left(deadline) == 0)
      return fail(L"after " + std::to_wstring(a.timeout_ms) + L" ms " + path + L" holds fewer than " +
                  std::to_wstring(a.lines) + L" lines");
    if (!IsWindow(c)) return fail(L"control " + a.rest[0] + L" went away while waiting");
    Sleep(1);
  }
  if (!post_press(c)) return fail(L"cannot post to control " + a.rest[0]);
  return kOk;
}

int cmd_state(const Args& a) {
  HWND c = nullptr;
  if (int r = control_from(a, 1, L"state", &c)) return r;
  DWORD_PTR check = 0;
  SendMessageTimeoutW(c, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, a.timeout_ms, &check);
  out_line(L"checked=" + std::to_wstring((unsigned)check) +
           L" enabled=" + (IsWindowEnabled(c) ? L"1" : L"0") +
           L" visible=" + (IsWindowVisible(c) ? L"1" : L"0"));
  return kOk;
}

// Pixels back to dialog units. The dialog manager scales x and width (and y
// and height) separately with MulDiv by the base units, so dividing each back
// with rounding gives the template's numbers again.
static int to_units(int px, int base, int per) {
  return MulDiv(px, per, base);
}

int cmd_rect(const Args& a) {
  HWND c = nullptr;
  if (int r = control_from(a, 1, L"rect", &c)) return r;
  RECT r;
  HWND dialog;
  if (c == GetAncestor(c, GA_ROOT)) {
    // The window itself: its client area, placed on the screen.
    dialog = c;
    GetClientRect(c, &r);
    MapWindowPoints(c, nullptr, (POINT*)&r, 2);
  } else {
    dialog = GetParent(c);
    GetWindowRect(c, &r);
    MapWindowPoints(nullptr, dialog, (POINT*)&r, 2);
  }
  int x = r.left, y = r.top, w = r.right - r.left, h = r.bottom - r.top;
  if (!a.pixels) {
    int bx = 0, by = 0;
    if (!dialog_base_units(dialog, &bx, &by))
      return fail(L"no dialog template of the program matches this window (use --pixels)");
    x = to_units(x, bx, 4);
    w = to_units(w, bx, 4);
    y = to_units(y, by, 8);
    h = to_units(h, by, 8);
  }
  out_line(std::to_wstring(x) + L" " + std::to_wstring(y) + L" " + std::to_wstring(w) + L" " +
           std::to_wstring(h));
  return kOk;
}
