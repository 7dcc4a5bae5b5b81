# Where the system's delayed deletion is unavailable (forced by the test
# switch), WININIT.INI in the Windows folder gets [Rename] with NUL= and the
# short path of the uninstaller. An entry that was there stays.
. "$SRC/tests/e2e/uninstall_lib.sh"

install_uninstaller
log='C:\Games\ZARVEL\_inst_.log'
make_files 'C:\Games\ZARVEL\a.dat'
write_log "$log" 'C:\Games\ZARVEL' "$log" 'C:\Games\ZARVEL\a.dat' ZARVEL ZARVEL "$UNINSTALLER"
register_entry ZARVEL "$log"
printf '[Rename]\r\nNUL=C:\\OLD.TMP\r\n' > "$DRIVE_C/windows/WININIT.INI"

pid=$(start_uninstall "$log" ZARVEL_UNINSTALL_NO_DELAYED_DELETE=1)
zd wait-window --title "$DIALOG_TITLE" >/dev/null
run_to_the_end >/dev/null
expect_eq 0 "$(zd wait-exit "$pid")" "exit code"
expect_eq "reboot	2	$UNINSTALLER" "$(trace_lines | tail -n 1)" "the WININIT.INI way"

ini=$(tr -d '\r' < "$DRIVE_C/windows/WININIT.INI")
expect_eq '[Rename]' "$(sed -n 1p <<<"$ini")" "section"
expect_eq 'NUL=C:\OLD.TMP' "$(sed -n 2p <<<"$ini")" "the entry that was there"
short=$(sed -n 3p <<<"$ini")
case "$short" in NUL=C:\\*) ;; *) fail "third line: $short" ;; esac
short=${short#NUL=}
# An 8.3 name in every component, and it names the uninstaller itself.
tr '\\' '\n' <<<"${short#C:\\}" | grep -Evq '^[^.]{1,8}(\.[^.]{1,3})?$' &&
  fail "not a short path: $short"
[ "$short" != "$UNINSTALLER" ] || fail "the long name was written: $short"
expect_eq "$(realpath "$(unix_path "$UNINSTALLER")")" \
  "$(realpath "$(timeout 60 "$WINELOADER" winepath -u "$short" 2>/dev/null)")" "the short path's file"
pending_renames | grep -qi zarvel && fail "the system's list has it too: $(pending_renames)"
echo "WININIT.INI: NUL=$short"
