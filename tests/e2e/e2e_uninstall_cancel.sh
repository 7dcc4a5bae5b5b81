# Cancel before start, and the close box: everything stays - the files, the
# registry entry, the uninstaller, and no deletion is pending.
. "$SRC/tests/e2e/uninstall_lib.sh"

install_uninstaller
log='C:\Games\ZARVEL\_inst_.log'
make_files 'C:\Games\ZARVEL\a.dat'
write_log "$log" 'C:\Games\ZARVEL' "$log" 'C:\Games\ZARVEL\a.dat' ZARVEL ZARVEL "$UNINSTALLER"
register_entry ZARVEL "$log"
before=$(list_files)

pid=$(start_uninstall "$log")
zd wait-window --title "$DIALOG_TITLE" >/dev/null
zd click --title "$DIALOG_TITLE" 2 >/dev/null
expect_eq 0 "$(zd wait-exit "$pid")" "exit code after cancel"

pid=$(start_uninstall "$log")
zd wait-window --title "$DIALOG_TITLE" >/dev/null
zd keys --title "$DIALOG_TITLE" ESC >/dev/null
expect_eq 0 "$(zd wait-exit "$pid")" "exit code after Esc"

expect_eq "$before" "$(list_files)" "files"
key_exists "$UNINSTALL_KEY\\ZARVEL" || fail "the Uninstall entry went"
pending_renames | grep -qi zarvel && fail "a deletion is pending: $(pending_renames)"
[ ! -f "$WORK/uninstall_trace.txt" ] || fail "an item was touched: $(trace_lines)"
