# The whole journey, as a person makes it: install ZARVEL from its medium
# with the start-menu and desktop boxes ticked, start the game through its
# start-menu shortcut, play a few seconds and quit, then uninstall through
# the registry's UninstallString. Afterwards nothing the installation made is
# left - files, folders, shortcuts, the registry entry - except the
# uninstaller, whose deletion waits for the next restart; the prefix's files
# and registry equal those before the installation apart from that. The
# prefix's shell folders are Wine's own links into the home folder.
. "$SRC/tests/e2e/uninstall_lib.sh"
. "$SRC/tests/e2e/tzk_lib.sh"

need_medium
medium=$BUILD/medium
# The prefix as Wine makes it for a user: Desktop, Documents... are links
# into the home folder, and the desktop shortcut lands behind one.
wine_user_links

# --- install ---------------------------------------------------------------
INSTALL_DLG=("${MEDIUM_INSTALL_DLG[@]}")
DONE_DLG=("${MEDIUM_DONE_DLG[@]}")
start_medium "$medium"
zd wait-window --timeout 30000 "${INSTALL_DLG[@]}" >/dev/null
sleep 1  # let the dialog's controls paint before the picture
shot install_dialog.png
expect_eq 'C:\ZARVEL' "$(zd text "${INSTALL_DLG[@]}" 1003)" "install folder"
expect_eq 'checked=1 enabled=1 visible=1' "$(zd state "${INSTALL_DLG[@]}" 1011)" "start-menu box"
expect_eq 'checked=0 enabled=1 visible=1' "$(zd state "${INSTALL_DLG[@]}" 1026)" "desktop box"
zd click "${INSTALL_DLG[@]}" 1026 >/dev/null
wait_eq 'checked=1 enabled=1 visible=1' "desktop box ticked" zd state "${INSTALL_DLG[@]}" 1026
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
tzk_wait_window
zd keys --class tzk Z sleep:1500 down:Z sleep:3000 up:Z sleep:500 >/dev/null
shot playing.png
tzk_quit "$game_pid" >/dev/null
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
pending_renames | grep -qi 'windows\\zarvel_uninstall.exe' || fail "uninstaller not pending: $(pending_renames)"
expect_uninstalled "$files_before" "$registry_before" "after the journey"
echo "journey done; registry differs only by: $(grep -c '^[<>]' "$WORK/registry.diff") line(s)"
