# Cancel during the installation, then uninstall with the log it left. The
# log lacks its three closing records, so its last three file records are
# read as key name, name and uninstaller: every earlier record goes, those
# three files stay (the last one is left for deletion at the next restart),
# the folder holding them stays, nothing outside the log is touched, and no
# registry key is made or removed.
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
install_to 'C:\Games\Foo'
log=$DRIVE_C/Games/Foo/_inst_.log
for _ in $(seq 100); do
  [ -f "$log" ] && [ "$(grep -c . "$log")" -ge 12 ] && break
  sleep 0.1
done
zd click "${COPYING_DLG[@]}" 2 >/dev/null || fail "no copy dialog to cancel"
expect_eq 0 "$(zd wait-exit --timeout 20000 "$pid")" "setup.exe exit code after cancel"
mapfile -t records < <(log_lines "$log")
r=${#records[@]}
[ "$r" -ge 8 ] || fail "cancel came too early: $r records"
[ -f "$(unix_path "$UNINSTALLER")" ] || fail "the uninstaller was not copied before the cancel"

pid=$(start_uninstall 'C:\Games\Foo\_inst_.log')
zd wait-window --title "$DIALOG_TITLE" >/dev/null
expect_eq "${records[r-2]}" "$(zd text --title "$DIALOG_TITLE" 1022)" "the name shown"
run_to_the_end >/dev/null
expect_eq 0 "$(zd wait-exit "$pid")" "uninstaller exit code"

# Left: the three files read as closing records, and their folder.
want=$(printf '%s\n' "${records[@]:r-3:3}" | sed 's/^C:\\Games\\Foo\\/.\/Games\/Foo\//' )
expect_eq "$(printf '%s\n' "$before" ./Games ./Games/Foo $want ./windows/zarvel_uninstall.exe | LC_ALL=C sort)" "$(list_files)" "what is left"
expect_eq "key	${records[r-3]}" "$(trace_lines | grep '^key')" "the key name read"
pending_renames | grep -qiF "${records[r-1]##*\\}" || fail "the last file is not pending: $(pending_renames)"
key_exists "$UNINSTALL_KEY\\Other" || fail "another entry went"
key_exists "$UNINSTALL_KEY\\C:" && fail "keys were made from a path"
echo "cancelled after $((r - 2)) files: $((r - 5)) removed, 3 left, the folder kept"
