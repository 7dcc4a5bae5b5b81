// Dialog base units of a dialog in another process. MapDialogRect only
// works inside the dialog's own process, and the dialog's font handle means
// nothing here. So the dialog's template is looked up in the program's own
// resources (by caption, else by its set of control IDs), and a hidden
// dialog of ours with the same font answers MapDialogRect instead: the same
// font through the same system gives the same base units.
#include "zdrive.h"
#include <algorithm>

struct Reader {
  const BYTE* p;
  const BYTE* end;
  bool ok;
};

static WORD get_word(Reader* r) {
  if (r->p + 2 > r->end) { r->ok = false; return 0; }
  WORD v = (WORD)(r->p[0] | (r->p[1] << 8));
  r->p += 2;
  return v;
}

static DWORD get_dword(Reader* r) {
  DWORD lo = get_word(r);
  return lo | ((DWORD)get_word(r) << 16);
}

static void skip(Reader* r, size_t n) {
  if (r->p + n > r->end) r->ok = false;
  else r->p += n;
}

static void align4(Reader* r, const BYTE* base) {
  while (r->ok && ((r->p - base) & 3)) skip(r, 1);
}

static std::wstring get_string(Reader* r) {
  std::wstring s;
  for (WORD c = get_word(r); r->ok && c != 0; c = get_word(r)) s += (wchar_t)c;
  return s;
}

// A menu, class or title field: none, an ordinal, or a string.
static std::wstring get_sz_or_ord(Reader* r) {
  WORD first = get_word(r);
  if (first == 0) return {};
  if (first == 0xFFFF) { get_word(r); return {}; }
  std::wstring s(1, (wchar_t)first);
  return s + get_string(r);
}

struct DialogFont {
  DWORD style = 0;
  WORD points = 0, weight = 0;
  BYTE italic = 0, charset = DEFAULT_CHARSET;
  std::wstring face, title;
  std::vector<int> ids;
};

static bool parse_template(const BYTE* data, DWORD size, DialogFont* f) {
  Reader r{data, data + size, true};
  bool ex = size >= 4 && data[0] == 1 && data[1] == 0 && data[2] == 0xFF && data[3] == 0xFF;
  WORD count;
  if (ex) {
    skip(&r, 4 + 4 + 4);  // version, signature, help id, extended style
    f->style = get_dword(&r);
  } else {
    f->style = get_dword(&r);
    skip(&r, 4);
  }
  count = get_word(&r);
  skip(&r, 8);  // x, y, cx, cy
  get_sz_or_ord(&r);
  get_sz_or_ord(&r);
  f->title = get_string(&r);
  if (f->style & DS_SETFONT) {
    f->points = get_word(&r);
    if (ex) {
      f->weight = get_word(&r);
      f->italic = *r.p;
      skip(&r, 1);
      f->charset = r.ok ? *r.p : 0;
      skip(&r, 1);
    }
    f->face = get_string(&r);
  }
  for (WORD i = 0; r.ok && i < count; ++i) {
    align4(&r, data);
    if (ex) {
      skip(&r, 4 + 4 + 4 + 8);  // help id, extended style, style, rectangle
      f->ids.push_back((int)get_dword(&r));
    } else {
      skip(&r, 4 + 4 + 8);
      f->ids.push_back((short)get_word(&r));
    }
    get_sz_or_ord(&r);
    get_sz_or_ord(&r);
    skip(&r, get_word(&r));  // creation data
  }
  return r.ok;
}

struct TemplateSearch {
  std::wstring title;
  std::vector<int> ids;  // sorted, of the window's children
  DialogFont by_title, by_ids;
  bool found_title = false, found_ids = false;
};

static std::vector<int> sorted(std::vector<int> v) {
  for (int& id : v) id = (WORD)id;  // a 16-bit template keeps the low word only
  std::sort(v.begin(), v.end());
  return v;
}

static BOOL CALLBACK resource_proc(HMODULE m, LPCWSTR type, LPWSTR name, LONG_PTR lp) {
  TemplateSearch* s = (TemplateSearch*)lp;
  HRSRC res = FindResourceW(m, name, type);
  HGLOBAL g = res ? LoadResource(m, res) : nullptr;
  const BYTE* data = g ? (const BYTE*)LockResource(g) : nullptr;
  DialogFont f;
  if (!data || !parse_template(data, SizeofResource(m, res), &f)) return TRUE;
  if (!s->found_title && !s->title.empty() && f.title == s->title) {
    s->by_title = f;
    s->found_title = true;
  }
  if (!s->found_ids && sorted(f.ids) == s->ids) {
    s->by_ids = f;
    s->found_ids = true;
  }
  return TRUE;
}

static BOOL CALLBACK child_id_proc(HWND c, LPARAM lp) {
  HWND parent = GetParent(c);
  std::vector<int>* ids = (std::vector<int>*)((void**)lp)[0];
  if (parent == (HWND)((void**)lp)[1]) ids->push_back(GetDlgCtrlID(c));
  return TRUE;
}

static bool find_template(HWND dialog, DialogFont* f) {
  DWORD pid = 0;
  GetWindowThreadProcessId(dialog, &pid);
  HANDLE h = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
  if (!h) return false;
  wchar_t path[MAX_PATH];
  DWORD len = MAX_PATH;
  BOOL named = QueryFullProcessImageNameW(h, 0, path, &len);
  CloseHandle(h);
  if (!named) return false;
  HMODULE m = LoadLibraryExW(path, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  if (!m) return false;
  TemplateSearch s;
  s.title = window_text(dialog);
  std::vector<int> ids;
  void* pass[2] = {&ids, dialog};
  EnumChildWindows(dialog, child_id_proc, (LPARAM)pass);
  s.ids = sorted(ids);
  EnumResourceNamesW(m, MAKEINTRESOURCEW(5) /* RT_DIALOG */, resource_proc, (LONG_PTR)&s);
  FreeLibrary(m);
  if (s.found_title) *f = s.by_title;
  else if (s.found_ids) *f = s.by_ids;
  return s.found_title || s.found_ids;
}

static void put_word(std::vector<WORD>* t, WORD w) { t->push_back(w); }
static void put_dword(std::vector<WORD>* t, DWORD d) {
  t->push_back(LOWORD(d));
  t->push_back(HIWORD(d));
}

static INT_PTR CALLBACK quiet_proc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// Pixels per 4 horizontal and 8 vertical dialog units, as MapDialogRect
// would give them inside the dialog's own process.
bool dialog_base_units(HWND dialog, int* base_x, int* base_y) {
  DialogFont f;
  if (!find_template(dialog, &f)) return false;
  std::vector<WORD> t;  // a DLGTEMPLATEEX with no controls, never shown
  put_word(&t, 1);
  put_word(&t, 0xFFFF);
  put_dword(&t, 0);
  put_dword(&t, 0);
  put_dword(&t, WS_POPUP | (f.style & (DS_SETFONT | DS_FIXEDSYS)));
  put_word(&t, 0);
  for (int i = 0; i < 4; ++i) put_word(&t, 10);
  put_word(&t, 0);  // menu
  put_word(&t, 0);  // class
  put_word(&t, 0);  // title
  if (f.style & DS_SETFONT) {
    put_word(&t, f.points);
    put_word(&t, f.weight);
    put_word(&t, (WORD)(f.italic | (f.charset << 8)));
    for (wchar_t c : f.face) put_word(&t, c);
    put_word(&t, 0);
  }
  HWND mine = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), (LPCDLGTEMPLATEW)t.data(),
                                         nullptr, quiet_proc, 0);
  if (!mine) return false;
  RECT base{0, 0, 4, 8};
  BOOL ok = MapDialogRect(mine, &base);
  DestroyWindow(mine);
  *base_x = base.right;
  *base_y = base.bottom;
  return ok && base.right > 0 && base.bottom > 0;
}
