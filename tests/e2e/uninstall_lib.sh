# uninstall_lib.sh: an installation made by hand for the uninstaller's
# end-to-end tests (sourced by the e2e_uninstall_* scripts after lib.sh).
# The uninstaller is setup.exe copied into the Windows folder, as the
# installer leaves it; the log and the files are written straight into the
# prefix, so these tests need no installer run.

UNINSTALL_KEY='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall'
PENDING_KEY='HKLM\System\CurrentControlSet\Control\Session Manager'
DIALOG_TITLE='アンインストール(削除)'
MESSAGE_TITLE='アンインストール'
UNINSTALLER='C:\windows\zarvel_uninstall.exe'
TRACE=$(winpath "$WORK/uninstall_trace.txt")

# unix_path 'C:\a\b': the file in the prefix.
unix_path() {
  local p=${1#[Cc]:}
  printf '%s\n' "$DRIVE_C${p//\\//}"
}

# write_log 'C:\...\_inst_.log' RECORD...: one record a line, CR LF after each.
write_log() {
  local log
  log=$(unix_path "$1")
  shift
  mkdir -p "$(dirname "$log")"
  printf '%s\r\n' "$@" | iconv -f UTF-8 -t CP932 > "$log"
}

# make_files 'C:\...' ...: small files, their folders made as needed.
make_files() {
  local f u
  for f in "$@"; do
    u=$(unix_path "$f")
    mkdir -p "$(dirname "$u")"
    printf 'ZARVEL %s\r\n' "$f" > "$u"
  done
}

install_uninstaller() {
  cp "$(setup_exe)" "$(unix_path "$UNINSTALLER")"
}

reg_add() {  # KEY VALUE DATA
  timeout 60 "$WINELOADER" reg add "$1" /v "$2" /d "$3" /f >/dev/null 2>&1 || fail "reg add $1 $2"
}

register_entry() {  # NAME LOG
  reg_add "$UNINSTALL_KEY\\$1" DisplayName "$1"
  reg_add "$UNINSTALL_KEY\\$1" UninstallString "$UNINSTALLER -u $2"
}


# start_uninstall LOG [ENV=VALUE...]: the uninstaller as the registry's
# UninstallString starts it; prints the process id.
start_uninstall() {
  local log=$1
  shift
  start_command_line "$UNINSTALLER -u $log" "$@"
}

# start_command_line LINE [ENV=VALUE...]: a whole command line, split into
# program and arguments by Windows (CreateProcess with no program name, then
# the program's own parser), as the control panel starts an UninstallString;
# prints the process id. The uninstaller traces into $TRACE.
start_command_line() {
  local line=$1
  shift
  (
    export ZARVEL_UNINSTALL_TRACE="$TRACE"
    for setting in "$@"; do export "${setting?}"; done
    zd start --line "$line"
  )
}

# start_registered NAME: the Uninstall entry NAME's UninstallString, started
# as above.
start_registered() {
  local line
  line=$(regget "$UNINSTALL_KEY\\$1" UninstallString)
  [ -n "$line" ] || fail "no UninstallString for $1"
  start_command_line "$line"
}

# The trace the uninstaller writes when asked: one line per item
# (progress shown, path, outcome), then the key and the reboot deletion,
# and a close line as the dialog closes itself.
trace_text() {
  tr -d '\r' < "$WORK/uninstall_trace.txt" | iconv -f CP932 -t UTF-8
}

# trace_lines: the trace but for its close lines, which run_to_the_end checks.
trace_lines() {
  trace_text | { grep -v '^close	' || true; }
}

# The whole prefix's files with their content, for "nothing else was
# touched".
list_files() { prefix_state; }

pending_renames() {
  regget "$PENDING_KEY" PendingFileRenameOperations
}

# Presses start in dialog 105, answers the restart message and waits for the
# dialog to close by itself; prints the seconds that took after the answer.
# REFUSED: the number of records the uninstaller is to refuse (0).
run_to_the_end() {
  local done=$'を\n削除しました。'
  [ "${1:-0}" -eq 0 ] || done+="($1 行は削除しませんでした)"
  zd click --title "$DIALOG_TITLE" 1023 >/dev/null
  # Long logs take a while on a loaded machine.
  zd wait-window --timeout 100000 --title "$MESSAGE_TITLE" >/dev/null
  zd texts --title "$MESSAGE_TITLE" | grep -q 'Windowsを再起動' || fail "restart message text"
  expect_eq "$done" "$(zd text --title "$DIALOG_TITLE" 1025)" "control 1025 when done"
  expect_eq '終了(&E)' "$(zd text --title "$DIALOG_TITLE" 2)" "button 2 when done"
  # The dialog then closes itself: its close line (this run's is the last)
  # says the delay it asked for and what passed by its own clock, which a
  # busy machine can lengthen but not shorten; so the machine's load cannot
  # fail this. The timer and that clock need not agree to the millisecond,
  # hence the margin.
  zd click --title "$MESSAGE_TITLE" 1 >/dev/null
  zd wait-gone --timeout 60000 --title "$DIALOG_TITLE" >/dev/null || fail "the dialog did not close itself"
  local close
  close=$(trace_text | grep '^close	' | tail -n 1)
  awk -F'\t' '{ exit !($2 == 5000 && $3 >= 4500) }' <<<"$close" ||
    fail "close line '$close', not a 5000 ms delay that passed"
  cut -f3 <<<"$close"
}

# --- ZARVEL's own medium -------------------------------------------------------
# The medium the e2e_medium fixture made from this tree's programs and data,
# its install dialog (setup.ini's Title) and the copy dialog once done, whose
# caption the installer's message boxes share.
MEDIUM_INSTALL_DLG=(--class '#32770' --title 'ZARVEL セットアップ')
MEDIUM_DONE_DLG=(--class '#32770' --title 'セットアップ プログラム')

# need_medium: the medium and install_probe.exe are there, or the test fails.
need_medium() {
  [ -f "$BUILD/medium/setup.ini" ] || fail "no medium in $BUILD (the e2e_medium fixture makes it)"
  [ -f "$BUILD/install_probe.exe" ] || fail "no install_probe.exe in $BUILD"
}

# start_medium MEDIUM: the medium among STATE_ROOTS, the prefix's files (the medium's among them) and the
# registry recorded in files_before and registry_before, then setup.exe
# started from the medium, its process id in setup_pid.
start_medium() {
  STATE_ROOTS+=("$1")
  files_before=$(prefix_state)
  registry_before=$(registry_state)
  setup_pid=$(zd start --cwd "$(winpath "$1")" "$(winpath "$1/setup.exe")")
}

# probe ARGS...: install_probe.exe, whose answers are in code page 932 on
# any system.
probe() {
  timeout 60 "$WINELOADER" "$BUILD/install_probe.exe" "$@" | iconv -f CP932 -t UTF-8 | tr -d '\r'
}

# expect_uninstalled FILES_BEFORE REGISTRY_BEFORE WHAT: the Uninstall entry
# ZARVEL is gone, and the prefix's files and registry are as before but for
# the uninstaller, whose deletion waits for the next restart.
expect_uninstalled() {
  key_exists "$UNINSTALL_KEY\\ZARVEL" && fail "the Uninstall entry is still there"
  expect_state "$1" "$3" ./windows/zarvel_uninstall.exe
  expect_registry "$2" "$3" \
    '^> \[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\Session Manager\]\|"PendingFileRenameOperations"='
}

# shell_folder CSIDL: the path of a shell folder as the system names it
# (through a link where it is one; winpath would follow the link).
shell_folder() {
  probe folder "$1"
}

# wine_user_links: the profile's shell folders as Wine makes them for a user
# whose home has the usual folders: Desktop, Documents, Downloads, Music,
# Pictures and Videos are symbolic links into $HOME (the template has
# folders instead). What lands behind them is compared too (STATE_ROOTS).
wine_user_links() {
  local name
  for name in Desktop Documents Downloads Music Pictures Videos; do
    rm -rf "${WINPROFILE:?}/$name"
    mkdir -p "$HOME/$name"
    ln -s "$HOME/$name" "$WINPROFILE/$name"
    STATE_ROOTS+=("$HOME/$name")
  done
}

# install_zarvel FOLDER [desktop]: ZARVEL from the medium the e2e_medium
# fixture made, into FOLDER (empty: the default C:\ZARVEL), the start-menu
# box ticked as the medium has it and the desktop box too when asked.
install_zarvel() {
  local medium=$BUILD/medium pid
  local dialog=("${MEDIUM_INSTALL_DLG[@]}")
  need_medium
  pid=$(zd start --cwd "$(winpath "$medium")" "$(winpath "$medium/setup.exe")")
  zd wait-window --timeout 30000 "${dialog[@]}" >/dev/null || fail "no install dialog"
  [ -z "$1" ] || zd set-text "${dialog[@]}" 1003 "$1" >/dev/null
  [ "${2:-}" != desktop ] || zd click "${dialog[@]}" 1026 >/dev/null
  zd click "${dialog[@]}" 1 >/dev/null
  finish_setup "$pid" "${MEDIUM_DONE_DLG[@]}"
}

# edit_log LOG RECORD...: the records put into the log after its record 2,
# as whoever may write the install folder could.
edit_log() {
  local log
  log=$(unix_path "$1")
  shift
  { head -n 2 "$log"; printf '%s\r\n' "$@" | iconv -f UTF-8 -t CP932; tail -n +3 "$log"; } > "$log.new"
  mv "$log.new" "$log"
}

# keep_victims PATH...: files that are not ours, each made with content of
# its own where it is missing and copied aside; victims_kept checks each is
# still there, byte for byte.
VICTIMS=()
keep_victims() {
  local f u
  for f in "$@"; do
    u=$(unix_path "$f")
    mkdir -p "$(dirname "$u")" "$WORK/kept$(dirname "$u")"
    [ -f "$u" ] || head -c 2000 /dev/urandom > "$u"
    cp -p "$u" "$WORK/kept$u"
    VICTIMS+=("$f")
  done
}
victims_kept() {
  local f u
  for f in "${VICTIMS[@]}"; do
    u=$(unix_path "$f")
    cmp -s "$WORK/kept$u" "$u" || fail "deleted or changed: $f"
  done
}
