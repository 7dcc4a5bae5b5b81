// Top-level windows: finding them, waiting for them to come and go, listing.
#include "zdrive.h"

static constexpr DWORD kPollMs = 50;

bool has_selector(const Args& a) {
  return a.sel.has_cls || a.sel.has_title || a.sel.has_text || a.sel.pid != 0 ||
         a.sel.hwnd != nullptr;
}

struct TextSearch {
  const std::wstring* text;
  bool found;
};

static BOOL CALLBACK text_proc(HWND w, LPARAM lp) {
  TextSearch* s = (TextSearch*)lp;
  if (window_text(w).find(*s->text) == std::wstring::npos) return TRUE;
  s->found = true;
  return FALSE;
}

// A message box is told from another of the same caption by what it says.
static bool shows_text(HWND w, const std::wstring& text) {
  TextSearch s{&text, false};
  EnumChildWindows(w, text_proc, (LPARAM)&s);
  return s.found;
}

bool matches(HWND w, const Selector& sel) {
  if (!IsWindowVisible(w)) return false;
  if (sel.hwnd && w != sel.hwnd) return false;
  if (sel.pid) {
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid != sel.pid) return false;
  }
  if (sel.has_cls && lstrcmpiW(class_name(w).c_str(), sel.cls.c_str()) != 0) return false;
  if (sel.has_title && window_text(w) != sel.title) return false;
  if (sel.has_text && !shows_text(w, sel.text)) return false;
  return true;
}

struct FindState {
  const Selector* sel;
  HWND found;
};

static BOOL CALLBACK find_proc(HWND w, LPARAM lp) {
  FindState* st = (FindState*)lp;
  if (!matches(w, *st->sel)) return TRUE;
  st->found = w;
  return FALSE;
}

// The first match in Z order: the topmost of several.
HWND find_window(const Selector& sel) {
  if (sel.hwnd) return IsWindow(sel.hwnd) && matches(sel.hwnd, sel) ? sel.hwnd : nullptr;
  FindState st{&sel, nullptr};
  EnumWindows(find_proc, (LPARAM)&st);
  return st.found;
}

HWND wait_for_window(const Selector& sel, DWORD timeout_ms) {
  DWORD deadline = GetTickCount() + timeout_ms;
  for (;;) {
    HWND w = find_window(sel);
    if (w) return w;
    DWORD left = time_left(deadline);
    if (left == 0) return nullptr;
    Sleep(left < kPollMs ? left : kPollMs);
  }
}

int need_window(const Args& a, HWND* out) {
  if (!has_selector(a)) return usage(L"no window given: use --class, --title, --pid or --hwnd");
  *out = wait_for_window(a.sel, a.timeout_ms);
  if (!*out)
    return fail(L"no visible window with " + describe(a.sel) + L" after " +
                std::to_wstring(a.timeout_ms) + L" ms");
  return kOk;
}

bool bring_to_front(HWND top, DWORD ms) {
  constexpr DWORD kMostMs = 30000;
  SetForegroundWindow(top);
  DWORD deadline = GetTickCount() + (ms < kMostMs ? ms : kMostMs);
  while (GetForegroundWindow() != top) {
    if (time_left(deadline) == 0) return false;
    Sleep(20);
    SetForegroundWindow(top);
  }
  return true;
}

int cmd_wait_window(const Args& a) {
  HWND w = nullptr;
  if (int r = need_window(a, &w)) return r;
  out_line(hex_handle(w));
  return kOk;
}

int cmd_wait_gone(const Args& a) {
  if (!has_selector(a)) return usage(L"wait-gone: no window given");
  DWORD deadline = GetTickCount() + a.timeout_ms;
  while (find_window(a.sel)) {
    DWORD left = time_left(deadline);
    if (left == 0)
      return fail(L"a window with " + describe(a.sel) + L" is still there after " +
                  std::to_wstring(a.timeout_ms) + L" ms");
    Sleep(left < kPollMs ? left : kPollMs);
  }
  return kOk;
}

int cmd_foreground(const Args&) {
  HWND w = GetForegroundWindow();
  if (!w) return fail(L"no foreground window");
  out_line(class_name(w) + L"\t" + one_line(window_text(w)));
  return kOk;
}

static BOOL CALLBACK list_proc(HWND w, LPARAM lp) {
  const Selector* sel = (const Selector*)lp;
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  if (sel->pid && pid != sel->pid) return TRUE;
  out_line(hex_handle(w) + L"\t" + class_name(w) + L"\t" + one_line(window_text(w)) + L"\t" +
           std::to_wstring(pid) + L"\t" + (IsWindowVisible(w) ? L"1" : L"0"));
  return TRUE;
}

int cmd_list(const Args& a) {
  EnumWindows(list_proc, (LPARAM)&a.sel);
  return kOk;
}
