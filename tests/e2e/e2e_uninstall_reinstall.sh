# A second installation over the first, then one uninstallation: the second
# log replaced the first and names the same files, so everything goes; the
# uninstall entry (written anew) goes with it. Then install again without a
# restart and let Wine restart: the deletion that was pending takes the new
# uninstaller, as the restart message warns, and the new installation's log
# still lets it be removed by a copy of setup.exe.
. "$SRC/tests/e2e/install_lib.sh"
. "$SRC/tests/e2e/uninstall_lib.sh"

M=$WORK/medium
make_medium "$M"
printf 'data\r\n' > "$M/a.dat"
write_ini "$M/setup.ini" <<'INI'
[UninstallSetting]
UseUninstaller=1
UninstallProgramName=zarvel_uninstall.exe
RegName=Foo
ShowName=Foo
ShowUninstallProgramName=Foo
[Install]
game.exe
a.dat
[AddUninstallDeleteFile]
score.dat
INI
before=$(list_files)
install() {
  local pid
  pid=$(start_setup "$M")
  install_to 'C:\Games\Foo'
  wait_complete
  exit_setup "$pid"
}
install
install
expect_eq 6 "$(log_lines "$DRIVE_C/Games/Foo/_inst_.log" | grep -c .)" "one log's records"
printf 'scores\r\n' > "$DRIVE_C/Games/Foo/score.dat"

pid=$(start_uninstall 'C:\Games\Foo\_inst_.log')
zd wait-window --title "$DIALOG_TITLE" >/dev/null
run_to_the_end >/dev/null
expect_eq 0 "$(zd wait-exit "$pid")" "uninstaller exit code"
expect_eq "$(printf '%s\n' "$before" ./windows/zarvel_uninstall.exe | LC_ALL=C sort)" "$(list_files)" "files after"
key_exists "$UNINSTALL_KEY\\Foo" && fail "the entry is still there"

# Install again before restarting, then restart.
install
timeout 120 "$WINELOADER" wineboot -r >/dev/null 2>&1 || fail "wineboot -r"
[ ! -e "$(unix_path "$UNINSTALLER")" ] || fail "the pending deletion did not happen"
[ -f "$DRIVE_C/Games/Foo/_inst_.log" ] || fail "the installation went too"
# As the message says, the log still serves: setup.exe from the medium.
pid=$(export ZARVEL_UNINSTALL_TRACE="$TRACE"; zd start "$(winpath "$M/setup.exe")" -u 'C:\Games\Foo\_inst_.log')
zd wait-window --title "$DIALOG_TITLE" >/dev/null
run_to_the_end >/dev/null
expect_eq 0 "$(zd wait-exit "$pid")" "exit code of the medium's uninstaller"
[ ! -e "$DRIVE_C/Games" ] || fail "the second installation stayed"
