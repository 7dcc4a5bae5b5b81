# A log cut short, as a cancelled installation leaves it: install folder,
# log and two files, none of the three closing records. Its last three lines
# are read as key name, name and uninstaller, so the only item is the install
# folder, which still holds the files: nothing is removed, no registry key
# is touched, and the last file is left for deletion at the next restart
# (it stands where the uninstaller's path would). Nothing outside the log.
. "$SRC/tests/e2e/uninstall_lib.sh"

install_uninstaller
log='C:\Games\ZARVEL\_inst_.log'
make_files 'C:\Games\ZARVEL\a.dat' 'C:\Games\ZARVEL\b.dat'
write_log "$log" 'C:\Games\ZARVEL' "$log" 'C:\Games\ZARVEL\a.dat' 'C:\Games\ZARVEL\b.dat'
register_entry Other 'C:\Other\_inst_.log'
before=$(list_files)

pid=$(start_uninstall "$log")
zd wait-window --title "$DIALOG_TITLE" >/dev/null
expect_eq 'C:\Games\ZARVEL\a.dat' "$(zd text --title "$DIALOG_TITLE" 1022)" "the name shown"
run_to_the_end >/dev/null
expect_eq 0 "$(zd wait-exit "$pid")" "exit code"
expect_eq "100	C:\\Games\\ZARVEL	kept 0
key	C:\\Games\\ZARVEL\\_inst_.log
reboot	1	C:\\Games\\ZARVEL\\b.dat" "$(trace_lines)" "what the cut log did"
expect_eq "$before" "$(list_files)" "files"
key_exists "$UNINSTALL_KEY\\Other" || fail "another entry went"
key_exists "$UNINSTALL_KEY\\C:" && fail "keys were made from a path"
pending_renames | grep -qi 'ZARVEL\\b.dat' || fail "b.dat not pending: $(pending_renames)"
