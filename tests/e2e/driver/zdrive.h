// zdrive: one command per run against the windows of the programs under
// test. Everything inside is wide; arguments come in and answers go out as
// UTF-8, so scripts never see the programs' Shift-JIS.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

// Exit codes: the command did its work, it could not, the call was wrong.
constexpr int kOk = 0;
constexpr int kFailed = 1;
constexpr int kUsage = 2;

// What picks the window, and how long any wait may last.
struct Selector {
  std::wstring cls;    // exact class name (case-insensitive, as Windows has it)
  std::wstring title;  // exact title
  bool has_cls = false;
  bool has_title = false;
  std::wstring text;   // a control of the window shows this text (a part of it)
  bool has_text = false;
  DWORD pid = 0;       // 0: any process
  HWND hwnd = nullptr; // a handle printed by an earlier command
};

struct Args {
  std::wstring command;
  Selector sel;
  // Long enough for a machine four times slower than ours under load: a
  // wait ends the moment its window or control is there.
  DWORD timeout_ms = 60000;
  std::wstring cwd;         // start: working folder
  bool has_cwd = false;
  std::wstring line;        // start: a whole command line, parsed as Windows does
  bool has_line = false;
  std::vector<std::wstring> env;  // start: NAME=VALUE for the program's environment
  std::wstring file;        // click-when: the file to watch; reg-dump: the file to write
  long long lines = 0;      // click-when: line ends the file must hold
  bool pixels = false;      // rect: pixels instead of dialog units
  DWORD hold_ms = 30;       // keys: how long a tapped key stays down
  std::vector<std::wstring> rest;  // positional arguments after the command
};

// --- output (output.cpp) ---------------------------------------------------
std::string to_utf8(const std::wstring& w);
std::wstring from_utf8(const std::string& s);
void write_all(DWORD which, const std::string& s);  // STD_OUTPUT_HANDLE or STD_ERROR_HANDLE
// Until called again with nulls, what commands write goes into out and err.
void capture_output(std::string* out, std::string* err);
void out_line(const std::wstring& w);  // stdout, UTF-8, with '\n'
int fail(const std::wstring& w);       // stderr, returns kFailed
int usage(const std::wstring& w);      // stderr, returns kUsage
bool read_text(HWND w, DWORD wait_ms, std::wstring* out);
std::wstring window_text(HWND w);
std::wstring class_name(HWND w);
std::wstring hex_handle(HWND w);
bool parse_int(const std::wstring& s, long long* out);  // decimal or 0x hex
std::wstring describe(const Selector& sel);
// Tabs and line ends shown as \t, \r, \n, so that one record stays one line.
std::wstring one_line(const std::wstring& w);
// Milliseconds left until deadline (a GetTickCount value), 0 once past.
DWORD time_left(DWORD deadline);

// --- starting programs (process.cpp) ---------------------------------------
// A Unix path (as a script has it) names the same file through drive Z:.
std::wstring windows_path(const std::wstring& p);

// --- finding windows (windows.cpp) -----------------------------------------
bool matches(HWND w, const Selector& sel);
HWND find_window(const Selector& sel);
// Waits up to timeout for a matching window; 0 when none came.
HWND wait_for_window(const Selector& sel, DWORD timeout_ms);
// The window named by the selector into *out, or kFailed / kUsage after
// saying why on stderr.
int need_window(const Args& a, HWND* out);
bool has_selector(const Args& a);
// Makes top the foreground window, trying for up to ms (at most 30 s: a
// window still being shown or restored takes a moment; keys typed before
// that would reach another window); false when it never became one.
bool bring_to_front(HWND top, DWORD ms);

// --- finding controls (controls.cpp) ---------------------------------------
// Control ID of the window (0: the window itself), waiting for it to appear;
// returns as need_window does.
int need_control(const Args& a, HWND top, const std::wstring& id_text, HWND* out);

// --- dialog units (dialog_units.cpp) ---------------------------------------
// Pixels per 4 horizontal and 8 vertical dialog units of a dialog.
bool dialog_base_units(HWND dialog, int* base_x, int* base_y);

// --- one process for many commands (serve.cpp) ------------------------------
// True in `zdrive serve`. Its environment is the one it was started with;
// a program it starts gets the script's ZARVEL_* variables of the moment
// from lib.sh (start --env), in place of its own.
extern bool serving;
// A whole command line, words[0] being the program's name: its exit code.
int run_words(const std::vector<std::wstring>& words);

// --- commands ---------------------------------------------------------------
int cmd_start(const Args& a);
int cmd_wait_exit(const Args& a);
int cmd_keep(const Args& a);
int cmd_wait_window(const Args& a);
int cmd_wait_gone(const Args& a);
int cmd_foreground(const Args& a);
int cmd_list(const Args& a);
int cmd_text(const Args& a);
int cmd_texts(const Args& a);
int cmd_set_text(const Args& a);
int cmd_click(const Args& a);
int cmd_click_when(const Args& a);
int cmd_state(const Args& a);
int cmd_rect(const Args& a);
int cmd_keys(const Args& a);
int cmd_reg_key(const Args& a);
int cmd_reg_get(const Args& a);
int cmd_reg_dump(const Args& a);
// The roots the registry commands know (registry.cpp).
struct RegistryRoot {
  const wchar_t* shortName;  // HKLM
  const wchar_t* longName;   // HKEY_LOCAL_MACHINE
  HKEY key;
};
const RegistryRoot* registry_root(const std::wstring& name);  // HKLM or HKCU, else null
// A value as reg export writes it, its continued lines joined: "NAME"=DATA.
std::wstring exported(const std::wstring& name, DWORD type, const std::vector<BYTE>& data,
                      DWORD size);
int cmd_serve(const Args& a);
