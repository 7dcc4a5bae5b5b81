# The whole journey, as a person makes it: install ZARVEL from its medium
# with the start-menu and desktop boxes ticked, start the game through its
# start-menu shortcut, play a few seconds and quit, then uninstall through
# the registry's UninstallString. Afterwards nothing the installation made is
# left - files, folders, shortcuts, the registry entry - except the
# uninstaller, whose deletion waits for the next restart; the prefix's files
# and registry equal those before the installation apart from that.
. "$SRC/tests/e2e/uninstall_lib.sh"

PROBE=$BUILD/install_probe.exe
[ -f "$PROBE" ] || fail "no install_probe.exe in $BUILD"
probe() { timeout 60 "$WINELOADER" "$PROBE" "$@" | tr -d '\r'; }

# The medium the e2e_medium fixture made from this tree's programs and data
# before the tests started.
medium=$BUILD/medium
[ -f "$medium/setup.ini" ] || fail "no medium in $BUILD (the e2e_medium fixture makes it)"
STATE_ROOTS=("$medium")
files_before=$(prefix_state)
registry_before=$(registry_state)

# --- install ---------------------------------------------------------------
INSTALL_DLG=(--class '#32770' --title 'ZARVEL セットアップ')
DONE_DLG=(--class '#32770' --title 'セットアップ プログラム')
setup_pid=$(zd start --cwd "$(winpath "$medium")" "$(winpath "$medium/setup.exe")")
zd wait-window --timeout 30000 "${INSTALL_DLG[@]}" >/dev/null
sleep 1  # let the dialog's controls paint before the picture
shot install_dialog.png
expect_eq 'C:\ZARVEL' "$(zd text "${INSTALL_DLG[@]}" 1003)" "install folder"
expect_eq 'checked=1 enabled=1 visible=1' "$(zd state "${INSTALL_DLG[@]}" 1011)" "start-menu box"
expect_eq 'checked=0 enabled=1 visible=1' "$(zd state "${INSTALL_DLG[@]}" 1026)" "desktop box"
zd click "${INSTALL_DLG[@]}" 1026 >/dev/null
expect_eq 'checked=1 enabled=1 visible=1' "$(zd state "${INSTALL_DLG[@]}" 1026)" "desktop box ticked"
zd click "${INSTALL_DLG[@]}" 1 >/dev/null
finish_setup "$setup_pid" "${DONE_DLG[@]}"

command=$(regget "$UNINSTALL_KEY\\ZARVEL" UninstallString)
expect_eq "$UNINSTALLER -u C:\\ZARVEL\\_inst_.log" "$command" "UninstallString"
group="$(probe folder 2)\\ZARVEL"
desktop=$(probe folder 0)
for f in "$group\\ZARVEL.lnk" "$group\\はじめにお読みください.lnk" "$group\\ZARVEL アンインストール.lnk" \
         "$desktop\\ZARVEL.lnk" 'C:\ZARVEL\tzk.exe' 'C:\ZARVEL\_inst_.log' "$UNINSTALLER"; do
  [ -e "$(unix_path "$f")" ] || fail "not installed: $f"
done

# --- play ------------------------------------------------------------------
link=$(probe lnk "$group\\ZARVEL.lnk")
target=$(sed -n 's/^target=//p' <<<"$link")
workdir=$(sed -n 's/^workdir=//p' <<<"$link")
expect_eq 'C:\ZARVEL\tzk.exe' "$target" "the shortcut's target"
expect_eq 'C:\ZARVEL' "$workdir" "the shortcut's working folder"
game_pid=$(zd start --cwd "$workdir" "$target")
zd wait-window --timeout 30000 --class tzk >/dev/null
sleep 2
zd keys --class tzk Z sleep:1500 down:Z sleep:3000 up:Z sleep:500 >/dev/null
shot playing.png
zd keys --class tzk ESC >/dev/null
zd wait-window --class '#32770' --title ZARVEL >/dev/null
zd click --class '#32770' --title ZARVEL 6 >/dev/null   # Yes
farewell_ok
expect_eq 0 "$(zd wait-exit --timeout 30000 "$game_pid")" "tzk.exe exit code"
[ -f "$DRIVE_C/ZARVEL/score.dat" ] || fail "no score.dat in the install folder"

# --- uninstall, as Windows runs the UninstallString ------------------------
uninstall_pid=$(start_registered ZARVEL)
zd wait-window --title "$DIALOG_TITLE" >/dev/null
expect_eq 'ZARVEL' "$(zd text --title "$DIALOG_TITLE" 1022)" "name shown"
run_to_the_end >/dev/null
expect_eq 0 "$(zd wait-exit "$uninstall_pid")" "uninstaller exit code"
expect_eq 100 "$(trace_lines | grep -v '^key\|^reboot' | tail -n 1 | cut -f1)" "the bar at the end"
trace_lines | grep -q 'score.dat	file' || fail "score.dat was not deleted"

# --- nothing left ------------------------------------------------------------
[ ! -e "$DRIVE_C/ZARVEL" ] || fail "C:\\ZARVEL is still there: $(cd "$DRIVE_C" && find ZARVEL)"
[ ! -e "$(unix_path "$group")" ] || fail "the start-menu group is still there"
[ ! -e "$(unix_path "$desktop\\ZARVEL.lnk")" ] || fail "the desktop shortcut is still there"
key_exists "$UNINSTALL_KEY\\ZARVEL" && fail "the Uninstall entry is still there"
pending_renames | grep -qi 'windows\\zarvel_uninstall.exe' || fail "uninstaller not pending: $(pending_renames)"
expect_state "$files_before" "after the journey" ./windows/zarvel_uninstall.exe
expect_registry "$registry_before" "after the journey" \
  '^> \[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\Session Manager\]\|"PendingFileRenameOperations"='
echo "journey done; registry differs only by: $(grep -c '^[<>]' "$WORK/registry.diff") line(s)"
