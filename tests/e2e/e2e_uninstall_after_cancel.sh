# Cancel during the installation, then uninstall with the log it left. The
# log lacks its three closing records; its key record is a path, so every
# record is an item: all the installed files, the log and the folders go,
# nothing outside the log is touched, no registry key is made or removed,
# and the uninstaller copy the installer made first stays (no record names
# it).
. "$SRC/tests/e2e/install_lib.sh"
. "$SRC/tests/e2e/uninstall_lib.sh"

M=$WORK/medium
make_medium "$M"
{
  printf '[UninstallSetting]\nUseUninstaller=1\nUninstallProgramName=zarvel_uninstall.exe\n'
  printf 'RegName=ZarvelCancel\nShowName=Foo\nShowUninstallProgramName=Foo\n[Install]\n'
  for i in $(seq -w 1 400); do
    echo "file $i" > "$M/f$i.dat"
    echo "f$i.dat"
  done
} | write_ini "$M/setup.ini"
reg_add "$UNINSTALL_KEY\\Other" DisplayName Other
before=$(list_files)

pid=$(start_setup "$M")
log=$DRIVE_C/Games/Foo/_inst_.log
install_cancelled_at 'C:\Games\Foo' "$log" 12
expect_eq 0 "$(zd wait-exit "$pid")" "setup.exe exit code after cancel"
mapfile -t records < <(log_lines "$log")
r=${#records[@]}
[ "$r" -ge 8 ] || fail "cancel came too early: $r records"
[ -f "$(unix_path "$UNINSTALLER")" ] || fail "the uninstaller was not copied before the cancel"

pid=$(start_uninstall 'C:\Games\Foo\_inst_.log')
zd wait-window --title "$DIALOG_TITLE" >/dev/null
expect_eq 'C:\Games\Foo' "$(zd text --title "$DIALOG_TITLE" 1022)" "the name shown"
run_to_the_end >/dev/null
expect_eq 0 "$(zd wait-exit "$pid")" "uninstaller exit code"
expect_state "$before" "what is left" ./windows/zarvel_uninstall.exe
expect_eq "$r" "$(trace_lines | grep -c '	file 0$\|	folders')" "every record removed"
key_exists "$UNINSTALL_KEY\\Other" || fail "another entry went"
key_exists "$UNINSTALL_KEY\\C:" && fail "keys were made from a path"
pending_renames | grep -qi 'Foo' && fail "something is pending: $(pending_renames)"
echo "cancelled after $((r - 2)) files: all $r records removed"
