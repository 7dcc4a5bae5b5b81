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
# (progress shown, path, outcome), then the key and the reboot deletion.
trace_lines() {
  tr -d '\r' < "$WORK/uninstall_trace.txt" | iconv -f CP932 -t UTF-8
}

# The whole prefix's files with their content, for "nothing else was
# touched".
list_files() { prefix_state; }

pending_renames() {
  regget "$PENDING_KEY" PendingFileRenameOperations
}

# Presses start in dialog 105, answers the restart message and waits for the
# dialog to close by itself; prints the seconds that took after the answer.
run_to_the_end() {
  zd click --title "$DIALOG_TITLE" 1023 >/dev/null
  # Long logs take a while on a loaded machine.
  zd wait-window --timeout 60000 --title "$MESSAGE_TITLE" >/dev/null
  zd texts --title "$MESSAGE_TITLE" | grep -q 'Windowsを再起動' || fail "restart message text"
  expect_eq $'を\n削除しました。' "$(zd text --title "$DIALOG_TITLE" 1025)" "control 1025 when done"
  expect_eq '終了(&E)' "$(zd text --title "$DIALOG_TITLE" 2)" "button 2 when done"
  local t0 t1
  t0=$(date +%s.%N)
  zd click --title "$MESSAGE_TITLE" 1 >/dev/null
  zd wait-gone --timeout 15000 --title "$DIALOG_TITLE" >/dev/null
  t1=$(date +%s.%N)
  echo "$t0 $t1" | awk '{ printf "%.1f\n", $2 - $1 }'
}
