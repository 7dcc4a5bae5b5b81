# Logs that name nothing to delete: fewer than four lines, and a log whose
# key-name record is empty. The first shows that there is nothing to remove
# and touches nothing; the second never removes the Uninstall key itself.
. "$SRC/tests/e2e/uninstall_lib.sh"

install_uninstaller
log='C:\Games\ZARVEL\_inst_.log'
make_files 'C:\Games\ZARVEL\a.dat'
write_log "$log" ZARVEL ZARVEL "$UNINSTALLER"
register_entry ZARVEL "$log"
reg_add "$UNINSTALL_KEY\\Other" DisplayName Other
before=$(list_files)

pid=$(start_uninstall "$log")
zd wait-window --title "$DIALOG_TITLE" >/dev/null
expect_eq $'アンインストールの記録に\n削除するものがありません。' \
  "$(zd text --title "$DIALOG_TITLE" 1025)" "control 1025"
expect_eq 'checked=0 enabled=0 visible=1' "$(zd state --title "$DIALOG_TITLE" 1023)" "start button"
expect_eq '終了(&E)' "$(zd text --title "$DIALOG_TITLE" 2)" "button 2"
zd click --title "$DIALOG_TITLE" 2 >/dev/null
expect_eq 0 "$(zd wait-exit "$pid")" "exit code"
expect_eq "$before" "$(list_files)" "files"
key_exists "$UNINSTALL_KEY\\ZARVEL" || fail "the entry went"

# An empty key-name record: the items go, the Uninstall key and its other
# entries stay.
write_log "$log" 'C:\Games\ZARVEL' "$log" 'C:\Games\ZARVEL\a.dat' '' ZARVEL "$UNINSTALLER"
pid=$(start_uninstall "$log")
zd wait-window --title "$DIALOG_TITLE" >/dev/null
run_to_the_end >/dev/null
expect_eq 0 "$(zd wait-exit "$pid")" "exit code"
[ ! -e "$DRIVE_C/Games/ZARVEL" ] || fail "the installation stayed"
key_exists "$UNINSTALL_KEY\\Other" || fail "another program's entry went"
key_exists "$UNINSTALL_KEY" || fail "the Uninstall key went"
