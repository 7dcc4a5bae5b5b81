# A second installation over the first, then one uninstallation.
# - With '. CopyMode = OverWrite' (as ZARVEL's setup.ini has it) the second
#   log names the same files again, so everything goes.
# - Installing again before the restart: the restart takes the new
#   uninstaller, as the restart message warns, and the new log still lets a
#   copy of setup.exe remove the installation.
# - With the starting copy mode IfNotExit the second installation copies and
#   records nothing that is already there, so one uninstallation leaves the
#   first installation's files (measured, as the copy rules make it).
. "$SRC/tests/e2e/install_lib.sh"
. "$SRC/tests/e2e/uninstall_lib.sh"

M=$WORK/medium
make_medium "$M"
printf 'data\r\n' > "$M/a.dat"
write_medium_ini() {  # COPYMODE-LINE
  write_ini "$M/setup.ini" <<INI
[UninstallSetting]
UseUninstaller=1
UninstallProgramName=zarvel_uninstall.exe
RegName=Foo
ShowName=Foo
ShowUninstallProgramName=Foo
[Install]
$1
game.exe
a.dat
[AddUninstallDeleteFile]
score.dat
INI
}
install() {
  local pid
  pid=$(start_setup "$M")
  install_to 'C:\Games\Foo'
  wait_complete
  exit_setup "$pid"
}
uninstall_with() {  # PROGRAM: runs it on the log to the end
  local pid
  pid=$(export ZARVEL_UNINSTALL_TRACE="$TRACE"; zd start "$1" -u 'C:\Games\Foo\_inst_.log')
  zd wait-window --title "$DIALOG_TITLE" >/dev/null
  run_to_the_end >/dev/null
  expect_eq 0 "$(zd wait-exit "$pid")" "exit code of $1"
}
before=$(list_files)

write_medium_ini '. CopyMode = OverWrite'
install
install
expect_eq 8 "$(log_lines "$DRIVE_C/Games/Foo/_inst_.log" | grep -c .)" "one log's records"
printf 'scores\r\n' > "$DRIVE_C/Games/Foo/score.dat"
uninstall_with "$UNINSTALLER"
expect_state "$before" "after the uninstallation (OverWrite)" ./windows/zarvel_uninstall.exe
key_exists "$UNINSTALL_KEY\\Foo" && fail "the entry is still there"

# Install again before restarting, then restart.
install
timeout 120 "$WINELOADER" wineboot -r >/dev/null 2>&1 || fail "wineboot -r"
[ ! -e "$(unix_path "$UNINSTALLER")" ] || fail "the pending deletion did not happen"
[ -f "$DRIVE_C/Games/Foo/_inst_.log" ] || fail "the installation went too"
uninstall_with "$(winpath "$M/setup.exe")"
[ ! -e "$DRIVE_C/Games" ] || fail "the second installation stayed"

# The starting copy mode: the second log misses what was already there.
write_medium_ini ''
install
install
expect_eq 6 "$(log_lines "$DRIVE_C/Games/Foo/_inst_.log" | grep -c .)" "second log (IfNotExit)"
uninstall_with "$UNINSTALLER"
expect_eq $'./Games\n./Games/Foo\n./Games/Foo/a.dat\n./Games/Foo/game.exe' \
  "$(list_files | cut -f1 | grep '^\./Games')" "left by IfNotExit"
