# The seven-record log: install folder, log, two files, key name, name to
# show, uninstaller. Items go second file, first file, log, folder, with the
# bar at 25, 50, 75, 100; then the registry entry goes, the uninstaller is
# left for the next restart, and the dialog closes itself 5 s after the
# restart message.
. "$SRC/tests/e2e/uninstall_lib.sh"

install_uninstaller
log='C:\Games\ZARVEL\_inst_.log'
make_files 'C:\Games\ZARVEL\a.dat' 'C:\Games\ZARVEL\b.dat' 'C:\Other\keep.txt'
write_log "$log" 'C:\Games\ZARVEL' "$log" 'C:\Games\ZARVEL\a.dat' 'C:\Games\ZARVEL\b.dat' \
  ZARVEL 'ZARVEL ゲーム' "$UNINSTALLER"
register_entry ZARVEL "$log"
before=$(list_files)

pid=$(start_uninstall "$log")
zd wait-window --title "$DIALOG_TITLE" >/dev/null
shot dialog105.png
expect_eq 'ZARVEL ゲーム' "$(zd text --title "$DIALOG_TITLE" 1022)" "name shown"
expect_eq $'を\n削除します...' "$(zd text --title "$DIALOG_TITLE" 1025)" "control 1025"
expect_eq 'checked=0 enabled=1 visible=1' "$(zd state --title "$DIALOG_TITLE" 1023)" "start button"

ms=$(run_to_the_end)
expect_eq 0 "$(zd wait-exit "$pid")" "exit code"

expect_eq "25	C:\\Games\\ZARVEL\\b.dat	file 0
50	C:\\Games\\ZARVEL\\a.dat	file 0
75	C:\\Games\\ZARVEL\\_inst_.log	file 0
100	C:\\Games\\ZARVEL	folders 2
key	ZARVEL
reboot	1	$UNINSTALLER" "$(trace_lines)" "items, progress and finish"

# Gone: the four items and C:\Games, which held nothing else. Kept: the rest.
[ ! -e "$DRIVE_C/Games" ] || fail "C:\\Games is still there"
after=$(list_files)
expect_eq "$(grep -v '^\./Games' <<<"$before")" "$after" "the prefix's files besides the installation"
key_exists "$UNINSTALL_KEY\\ZARVEL" && fail "the Uninstall entry is still there"
key_exists "$UNINSTALL_KEY" || fail "the Uninstall key itself went"
pending_renames | grep -qi 'windows\\zarvel_uninstall.exe' || fail "uninstaller not pending deletion: $(pending_renames)"
[ -f "$(unix_path "$UNINSTALLER")" ] || fail "the uninstaller went before the restart"
echo "closed ${ms} ms after the restart message, by its own clock"

# Run twice (the uninstall shortcut was kept somewhere): the log is gone, so
# the second run shows nothing and ends with 3.
pid=$(start_uninstall "$log")
expect_eq 3 "$(zd wait-exit "$pid")" "exit code of a second run"
