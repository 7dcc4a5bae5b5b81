# A logged file that another program holds open stays on disk; the
# uninstallation goes on with the next item and ends as usual. The holder is
# a running program started from the installation folder.
. "$SRC/tests/e2e/uninstall_lib.sh"

install_uninstaller
log='C:\Games\ZARVEL\_inst_.log'
make_files 'C:\Games\ZARVEL\a.dat' 'C:\Games\ZARVEL\b.dat'
cp "$(setup_exe)" "$DRIVE_C/Games/ZARVEL/running.exe"
# It runs as an installer from its own folder, with a setup.ini beside it.
mkdir -p "$DRIVE_C/Holder"
printf '[init]\r\nBigTitle=Holder\r\n[Install]\r\nnothing.txt\r\n' > "$DRIVE_C/Holder/setup.ini"
write_log "$log" 'C:\Games\ZARVEL' "$log" 'C:\Games\ZARVEL\a.dat' 'C:\Games\ZARVEL\running.exe' \
  'C:\Games\ZARVEL\b.dat' ZARVEL ZARVEL "$UNINSTALLER"
register_entry ZARVEL "$log"

holder=$(zd start --cwd 'C:\Holder' 'C:\Games\ZARVEL\running.exe')
zd wait-window --class Raro-Re_Vader >/dev/null

pid=$(start_uninstall "$log")
zd wait-window --title "$DIALOG_TITLE" >/dev/null
run_to_the_end >/dev/null
expect_eq 0 "$(zd wait-exit "$pid")" "exit code"
expect_eq "20	C:\\Games\\ZARVEL\\b.dat	file 0
40	C:\\Games\\ZARVEL\\running.exe	kept 0
60	C:\\Games\\ZARVEL\\a.dat	file 0
80	C:\\Games\\ZARVEL\\_inst_.log	file 0
100	C:\\Games\\ZARVEL	kept 0
key	ZARVEL" "$(trace_lines | sed -n 1,6p)" "the held file stays, the rest goes"
expect_eq "./Games/ZARVEL/running.exe" "$(cd "$DRIVE_C" && find ./Games -type f)" "what is left"
key_exists "$UNINSTALL_KEY\\ZARVEL" && fail "the Uninstall entry is still there"

# The holder ends normally (cancel in its install dialog).
zd wait-window --title 'セットアップ' >/dev/null
zd click --title 'セットアップ' 2 >/dev/null
expect_eq 0 "$(zd wait-exit "$holder")" "the holder's exit code"
