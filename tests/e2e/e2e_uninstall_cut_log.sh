# A log cut short, as a cancelled installation leaves it: install folder,
# log and two files, none of the three closing records. Its key record is a
# path, which no key name is, so the whole log is read as items: all of them
# go, from the last to the first; no registry key is touched and nothing is
# left for the next restart. Nothing outside the log is touched.
. "$SRC/tests/e2e/uninstall_lib.sh"

install_uninstaller
log='C:\Games\ZARVEL\_inst_.log'
make_files 'C:\Games\ZARVEL\a.dat' 'C:\Games\ZARVEL\b.dat' 'C:\Other\keep.txt'
write_log "$log" 'C:\Games\ZARVEL' "$log" 'C:\Games\ZARVEL\a.dat' 'C:\Games\ZARVEL\b.dat'
register_entry Other 'C:\Other\_inst_.log'
before=$(list_files)

pid=$(start_uninstall "$log")
zd wait-window --title "$DIALOG_TITLE" >/dev/null
expect_eq 'C:\Games\ZARVEL' "$(zd text --title "$DIALOG_TITLE" 1022)" "the name shown"
run_to_the_end >/dev/null
expect_eq 0 "$(zd wait-exit "$pid")" "exit code"
expect_eq "25	C:\\Games\\ZARVEL\\b.dat	file 0
50	C:\\Games\\ZARVEL\\a.dat	file 0
75	C:\\Games\\ZARVEL\\_inst_.log	file 0
100	C:\\Games\\ZARVEL	folders 2
key	
reboot	0	" "$(trace_lines)" "what the cut log did"
expect_eq "$(grep -v '^\./Games' <<<"$before")" "$(list_files)" "files"
key_exists "$UNINSTALL_KEY\\Other" || fail "another entry went"
key_exists "$UNINSTALL_KEY\\C:" && fail "keys were made from a path"
pending_renames | grep -qi zarvel && fail "something is pending: $(pending_renames)"
echo "cut log: 4 of 4 records removed"
