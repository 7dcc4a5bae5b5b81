// Starting the program under test and waiting for it to end.
#include "zdrive.h"

std::wstring windows_path(const std::wstring& p) {
  if (p.empty() || p[0] != L'/') return p;
  std::wstring w = L"Z:" + p;
  for (wchar_t& c : w)
    if (c == L'/') c = L'\\';
  return w;
}

// The quoting CommandLineToArgvW and the C runtime undo: backslashes are
// doubled only where a quote follows them.
static std::wstring quote_arg(const std::wstring& arg) {
  if (!arg.empty() && arg.find_first_of(L" \t\"") == std::wstring::npos) return arg;
  std::wstring q = L"\"";
  size_t slashes = 0;
  for (wchar_t c : arg) {
    if (c == L'\\') {
      ++slashes;
    } else if (c == L'"') {
      q.append(slashes * 2 + 1, L'\\');
      slashes = 0;
    } else {
      slashes = 0;
    }
    q += c;
  }
  q.append(slashes, L'\\');
  return q + L"\"";
}

static std::wstring folder_of(const std::wstring& path) {
  size_t cut = path.find_last_of(L"\\/");
  if (cut == std::wstring::npos) return {};
  if (cut == 2 && path[1] == L':') return path.substr(0, 3);  // "C:\"
  return path.substr(0, cut);
}

// Wine frees an ended process, exit code and all, once the last handle to
// it is closed; so that `wait-exit` still finds a program that ended before
// the script asked, `serve` (which lasts as long as the test) holds one, and
// a zdrive run on its own leaves one to a keeper process (this program,
// `keep HANDLE`).
static constexpr DWORD kKeepMs = 3 * 3600 * 1000;

static bool start_keeper(HANDLE process, HANDLE nul) {
  wchar_t self[MAX_PATH];
  if (!GetModuleFileNameW(nullptr, self, MAX_PATH)) return false;
  if (!SetHandleInformation(process, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT)) return false;
  std::wstring line = quote_arg(self) + L" keep " + std::to_wstring((UINT_PTR)process);
  std::vector<wchar_t> buf(line.begin(), line.end());
  buf.push_back(L'\0');
  STARTUPINFOW si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdInput = si.hStdOutput = si.hStdError = nul;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(self, buf.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                      nullptr, &si, &pi))
    return false;
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return true;
}

static std::vector<HANDLE> held_by_serve;

int cmd_keep(const Args& a) {
  long long h = 0;
  if (a.rest.size() != 1 || !parse_int(a.rest[0], &h)) return usage(L"keep: give a handle");
  WaitForSingleObject((HANDLE)(UINT_PTR)h, INFINITE);
  Sleep(kKeepMs);
  return kOk;
}

// NAME of a NAME=VALUE entry (a name may begin with '=', as "=C:" does).
static std::wstring env_name(const std::wstring& entry) {
  return entry.substr(0, entry.find(L'=', 1));
}

static bool is_given(const std::vector<std::wstring>& given, const std::wstring& name) {
  for (const std::wstring& g : given)
    if (_wcsicmp(env_name(g).c_str(), name.c_str()) == 0) return true;
  return false;
}

// The program's environment: ours with the --env entries in place of
// variables of their names. In serve, ours is the test's as it began, and
// lib.sh gives every ZARVEL_* variable the script has now, so ours are all
// dropped (one the script unset since must not come back). Empty: ours as
// it is.
static std::vector<wchar_t> environment_for(const Args& a) {
  std::vector<wchar_t> block;
  if (a.env.empty() && !serving) return block;
  wchar_t* own = GetEnvironmentStringsW();
  for (const wchar_t* p = own; p && *p; p += wcslen(p) + 1) {
    const std::wstring entry = p, name = env_name(entry);
    if (serving && _wcsnicmp(name.c_str(), L"ZARVEL_", 7) == 0) continue;
    if (is_given(a.env, name)) continue;
    block.insert(block.end(), entry.begin(), entry.end());
    block.push_back(L'\0');
  }
  if (own) FreeEnvironmentStringsW(own);
  for (const std::wstring& g : a.env) {
    block.insert(block.end(), g.begin(), g.end());
    block.push_back(L'\0');
  }
  if (block.empty()) block.push_back(L'\0');
  block.push_back(L'\0');
  return block;
}

// Started as from a shortcut: in the program's own folder unless --cwd says
// otherwise, with no standard handles of ours, so that a script reading our
// output never waits for the program to close it.
// --line: the command line as it stands (an UninstallString, say); Windows
// finds the program in it as it does for any CreateProcess without a name.
int cmd_start(const Args& a) {
  if (a.has_line != a.rest.empty()) return usage(L"start: give a program or --line, not both");
  // Wine makes our standard handles inheritable; a child holding one would
  // keep the script's pipe open until it ended.
  for (DWORD which : {STD_INPUT_HANDLE, STD_OUTPUT_HANDLE, STD_ERROR_HANDLE})
    SetHandleInformation(GetStdHandle(which), HANDLE_FLAG_INHERIT, 0);
  std::wstring program = a.has_line ? L"" : windows_path(a.rest[0]);
  std::wstring line = a.has_line ? a.line : quote_arg(program);
  for (size_t i = 1; i < a.rest.size(); ++i) line += L" " + quote_arg(a.rest[i]);
  std::wstring cwd = a.has_cwd ? windows_path(a.cwd) : folder_of(program);

  SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
  HANDLE nul = CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           &sa, OPEN_EXISTING, 0, nullptr);
  STARTUPINFOW si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdInput = nul;
  si.hStdOutput = nul;
  si.hStdError = nul;
  PROCESS_INFORMATION pi{};
  std::vector<wchar_t> buf(line.begin(), line.end());
  buf.push_back(L'\0');
  std::vector<wchar_t> env = environment_for(a);
  BOOL ok = CreateProcessW(program.empty() ? nullptr : program.c_str(), buf.data(), nullptr, nullptr,
                           TRUE, env.empty() ? 0 : CREATE_UNICODE_ENVIRONMENT,
                           env.empty() ? nullptr : env.data(), cwd.empty() ? nullptr : cwd.c_str(),
                           &si, &pi);
  DWORD err = GetLastError();
  if (!ok) {
    if (nul != INVALID_HANDLE_VALUE) CloseHandle(nul);
    return fail(L"cannot start " + line + L" in " + (cwd.empty() ? L"." : cwd) + L": error " +
                std::to_wstring(err));
  }
  bool kept = serving || start_keeper(pi.hProcess, nul);
  if (nul != INVALID_HANDLE_VALUE) CloseHandle(nul);
  out_line(std::to_wstring(pi.dwProcessId));
  if (!kept) fail(L"warning: no keeper for process " + std::to_wstring(pi.dwProcessId) +
                  L"; wait-exit needs it still running");
  CloseHandle(pi.hThread);
  if (serving)
    held_by_serve.push_back(pi.hProcess);
  else
    CloseHandle(pi.hProcess);
  return kOk;
}

int cmd_wait_exit(const Args& a) {
  long long pid = 0;
  if (a.rest.size() != 1 || !parse_int(a.rest[0], &pid) || pid <= 0)
    return usage(L"wait-exit: give one process id");
  HANDLE h = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, (DWORD)pid);
  if (!h) return fail(L"no process " + std::to_wstring(pid) + L" (already gone?)");
  DWORD r = WaitForSingleObject(h, a.timeout_ms);
  if (r != WAIT_OBJECT_0) {
    CloseHandle(h);
    return fail(L"process " + std::to_wstring(pid) + L" still running after " +
                std::to_wstring(a.timeout_ms) + L" ms");
  }
  DWORD code = 0;
  GetExitCodeProcess(h, &code);
  CloseHandle(h);
  out_line(std::to_wstring(code));
  return kOk;
}
